#include "platform/linux/bounded_call_linux.h"

#include <charconv>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string_view>
#include <system_error>
#include <thread>
#include <utility>

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

// What a caller and its worker share; owned by both, so either may go first.
struct BoundedCalls::Mailbox {
  std::mutex mutex;
  std::condition_variable changed;
  std::function<void()> work;  // handed over, not yet taken
  bool done = false;           // the last work taken has returned
  bool stop = false;           // end once idle

  static void serve(const std::shared_ptr<Mailbox>& mailbox) {
    std::unique_lock lock(mailbox->mutex);
    for (;;) {
      mailbox->changed.wait(lock, [&] { return mailbox->stop || mailbox->work; });
      if (!mailbox->work) return;
      std::function<void()> work = std::exchange(mailbox->work, nullptr);
      lock.unlock();
      work();
      // Whatever the work holds goes before the caller hears of the end.
      work = nullptr;
      lock.lock();
      mailbox->done = true;
      mailbox->changed.notify_all();
    }
  }
};

BoundedCalls::~BoundedCalls() {
  endWorker();
  if (worker_.joinable()) worker_.join();
}

void BoundedCalls::endWorker() {
  if (!mailbox_) return;
  {
    std::lock_guard lock(mailbox_->mutex);
    mailbox_->stop = true;
  }
  // A worker whose work returned just after its deadline waits for more:
  // this wakes it to end.
  mailbox_->changed.notify_all();
  mailbox_.reset();
}

std::uint32_t BoundedCalls::runWork(const std::string& key, BoundedClock::time_point until,
                                    std::function<void()> work) {
  if (BoundedClock::now() >= until) return winerror::kErrorSemTimeout;
  const auto busy = busyKeys();
  if (!claim(*busy, key)) return winerror::kErrorSemTimeout;
  if (!mailbox_) {
    auto mailbox = std::make_shared<Mailbox>();
    try {
      worker_ = std::thread([mailbox] { Mailbox::serve(mailbox); });
    } catch (const std::system_error&) {
      release(*busy, key);
      return winerror::kErrorGenFailure;
    }
    mailbox_ = std::move(mailbox);
  }
  std::unique_lock lock(mailbox_->mutex);
  mailbox_->work = [busy, key, work = std::move(work)] {
    try {
      work();
    } catch (...) {
      // The caller's result keeps its general failure.
    }
    // Freed before the caller hears of the end, so a caller that asks again
    // at once is never refused.
    release(*busy, key);
  };
  mailbox_->done = false;
  mailbox_->changed.notify_all();
  const bool finished = mailbox_->changed.wait_until(lock, until, [this] { return mailbox_->done; });
  lock.unlock();
  if (finished) return winerror::kErrorSuccess;
  // The worker stays behind, touching only what it owns, and frees the key
  // when its system call finally returns.
  endWorker();
  worker_.detach();
  return winerror::kErrorSemTimeout;
}

}  // namespace vantora::linux_backend
