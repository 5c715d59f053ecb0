#include "platform/linux/bounded_call_linux.h"

#include <charconv>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string_view>
#include <system_error>
#include <thread>

namespace vantora::linux_backend {
namespace {

// Longer than anyone waits for a window; a typo must not freeze it for hours.
constexpr long long kLongestDeadlineMs = 600'000;

// Keys (mount points) with work that has not returned yet. Claiming and
// checking are one step, so two callers can never both start work on the
// same key. Shared with every thread, so one that returns during program
// exit still finds it alive.
struct BusyKeys {
  std::mutex mutex;
  std::set<std::string> keys;
};

std::shared_ptr<BusyKeys> busyKeys() {
  static const auto keys = std::make_shared<BusyKeys>();
  return keys;
}

bool claim(BusyKeys& busy, const std::string& key) {
  std::lock_guard lock(busy.mutex);
  return busy.keys.insert(key).second;
}

void release(BusyKeys& busy, const std::string& key) {
  std::lock_guard lock(busy.mutex);
  busy.keys.erase(key);
}

// What the caller and the thread share; owned by both, so either may go first.
struct Handover {
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
};

}  // namespace

std::chrono::milliseconds mountQueryDeadlineFrom(const char* text) {
  if (!text) return kMountQueryDeadline;
  const std::string_view digits(text);
  long long milliseconds = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), milliseconds);
  if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) return kMountQueryDeadline;
  if (milliseconds < 1 || milliseconds > kLongestDeadlineMs) return kMountQueryDeadline;
  return std::chrono::milliseconds(milliseconds);
}

std::chrono::milliseconds mountQueryDeadline() {
  static const std::chrono::milliseconds deadline = mountQueryDeadlineFrom(std::getenv("VANTORA_QUERY_TIMEOUT_MS"));
  return deadline;
}

std::uint32_t runBoundedWork(const std::string& key, BoundedClock::time_point until, std::function<void()> work) {
  if (BoundedClock::now() >= until) return winerror::kErrorSemTimeout;
  const auto busy = busyKeys();
  if (!claim(*busy, key)) return winerror::kErrorSemTimeout;
  const auto handover = std::make_shared<Handover>();
  std::thread thread;
  try {
    thread = std::thread([busy, key, handover, work = std::move(work)]() mutable {
      try {
        work();
      } catch (...) {
        // The caller's result keeps its general failure.
      }
      // Whatever the work holds goes, and the key is free, before the caller
      // hears of the end: a caller that asks again at once is never refused.
      work = nullptr;
      release(*busy, key);
      std::lock_guard lock(handover->mutex);
      handover->done = true;
      handover->ended.notify_all();
    });
  } catch (const std::system_error&) {
    release(*busy, key);
    return winerror::kErrorGenFailure;
  }
  std::unique_lock lock(handover->mutex);
  const bool finished = handover->ended.wait_until(lock, until, [&] { return handover->done; });
  lock.unlock();
  if (!finished) {
    // The thread stays behind, touching only what it owns, and frees the key
    // when its system call finally returns.
    thread.detach();
    return winerror::kErrorSemTimeout;
  }
  thread.join();
  return winerror::kErrorSuccess;
}

}  // namespace vantora::linux_backend
