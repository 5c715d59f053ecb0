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

  bool claim(const std::string& key) {
    std::lock_guard lock(mutex);
    return keys.insert(key).second;
  }
  void release(const std::string& key) {
    std::lock_guard lock(mutex);
    keys.erase(key);
  }
};

std::shared_ptr<BusyKeys> busyKeys() {
  static const auto keys = std::make_shared<BusyKeys>();
  return keys;
}

// A key claimed for one call, held until its work has returned or is sure
// never to start. Released once, by whoever ends the call first or by the
// destructor, so no path (an exception included) leaves it taken.
class HeldKey {
 public:
  explicit HeldKey(const std::string& key) : keys_(busyKeys()), key_(key), held_(keys_->claim(key_)) {}
  HeldKey(const HeldKey&) = delete;
  HeldKey& operator=(const HeldKey&) = delete;
  ~HeldKey() { release(); }

  bool held() const { return held_; }
  void release() {
    if (std::exchange(held_, false)) keys_->release(key_);
  }

 private:
  std::shared_ptr<BusyKeys> keys_;
  std::string key_;
  bool held_;
};

// What a caller and the thread of its call share; owned by both, so either
// may go first.
struct Call {
  enum class State { handedOver, running, ran, dropped };

  Call(const std::string& mountKey, BoundedClock::time_point deadline, std::function<void()> task)
      : key(mountKey), until(deadline), work(std::move(task)) {}

  // The call's thread: runs the work unless the deadline overtook it first.
  void serve() {
    {
      std::lock_guard lock(mutex);
      if (state != State::handedOver) return;  // the caller has given up on it
      if (BoundedClock::now() >= until) {
        drop();
        return;
      }
      state = State::running;
    }
    try {
      work();
    } catch (...) {
      // The caller's result keeps its general failure.
    }
    // Whatever the work holds goes before the caller hears of the end.
    work = nullptr;
    std::lock_guard lock(mutex);
    // Freed before the caller hears, so a caller that asks again at once is
    // never refused.
    key.release();
    state = State::ran;
    ended.notify_all();
  }

  // Called with the mutex held, while the work has not started.
  void drop() {
    key.release();
    state = State::dropped;
    ended.notify_all();
  }

  std::mutex mutex;
  std::condition_variable ended;
  HeldKey key;
  const BoundedClock::time_point until;
  std::function<void()> work;
  State state = State::handedOver;
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
  return mountQueryDeadlineFrom(std::getenv("VANTORA_QUERY_TIMEOUT_MS"));
}

std::uint32_t BoundedCalls::runWork(const std::string& key, BoundedClock::time_point until,
                                    std::function<void()> work) {
  if (BoundedClock::now() >= until) return winerror::kErrorSemTimeout;
  const auto call = std::make_shared<Call>(key, until, std::move(work));
  if (!call->key.held()) return winerror::kErrorSemTimeout;
  std::thread thread;
  try {
    thread = std::thread([call] { call->serve(); });
  } catch (const std::system_error&) {
    return winerror::kErrorGenFailure;  // the key goes with the call
  }
  std::unique_lock lock(call->mutex);
  using State = Call::State;
  call->ended.wait_until(lock, until, [&] { return call->state == State::ran || call->state == State::dropped; });
  if (call->state == State::running) {
    // The thread stays behind, touching only what it owns, and frees the key
    // when its system call finally returns.
    lock.unlock();
    thread.detach();
    return winerror::kErrorSemTimeout;
  }
  if (call->state == State::handedOver) call->drop();
  const bool ran = call->state == State::ran;
  lock.unlock();
  // The thread has ended its work or is about to see it dropped: it ends at once.
  thread.join();
  return ran ? winerror::kErrorSuccess : winerror::kErrorSemTimeout;
}

}  // namespace vantora::linux_backend
