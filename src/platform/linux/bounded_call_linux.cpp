#include "platform/linux/bounded_call_linux.h"

#include <condition_variable>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

namespace vantora::linux_backend {
namespace {

struct CallState {
  std::mutex mutex;
  std::condition_variable changed;
  bool finished = false;  // the work has returned
};

// Keys (mount points) with a worker that has not returned yet. Claiming and
// checking are one step, so two callers can never both start a worker for
// the same key.
class BusyKeys {
 public:
  bool claim(const std::string& key) {
    std::lock_guard lock(mutex_);
    return keys_.insert(key).second;
  }
  void release(const std::string& key) {
    std::lock_guard lock(mutex_);
    keys_.erase(key);
  }

 private:
  std::mutex mutex_;
  std::set<std::string> keys_;
};

// Shared with every worker, so a worker that returns during program exit
// still finds it alive.
std::shared_ptr<BusyKeys> busyKeys() {
  static const auto keys = std::make_shared<BusyKeys>();
  return keys;
}

}  // namespace

BoundedEnd runBoundedWork(const std::string& key, std::chrono::milliseconds deadline, std::function<void()> work) {
  const auto busy = busyKeys();
  if (!busy->claim(key)) return BoundedEnd::TimedOut;
  const auto state = std::make_shared<CallState>();
  try {
    std::thread([state, busy, key, work = std::move(work)] {
      try {
        work();
      } catch (...) {
        // The caller's result keeps its general failure.
      }
      // Released before the caller can see the end, so a caller that asks
      // again at once is never refused.
      busy->release(key);
      std::lock_guard lock(state->mutex);
      state->finished = true;
      state->changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    busy->release(key);
    return BoundedEnd::NotStarted;
  }
  std::unique_lock lock(state->mutex);
  if (state->changed.wait_for(lock, deadline, [&] { return state->finished; })) return BoundedEnd::Finished;
  // The worker stays behind, touching only what it owns, and frees the key
  // when its system call finally returns.
  return BoundedEnd::TimedOut;
}

}  // namespace vantora::linux_backend
