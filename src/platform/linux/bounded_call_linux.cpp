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
  bool finished = false;   // the work has returned
  bool abandoned = false;  // the caller stopped waiting
};

// Keys whose abandoned worker has not returned yet.
class StuckKeys {
 public:
  bool contains(const std::string& key) {
    std::lock_guard lock(mutex_);
    return keys_.contains(key);
  }
  void add(const std::string& key) {
    std::lock_guard lock(mutex_);
    keys_.insert(key);
  }
  void remove(const std::string& key) {
    std::lock_guard lock(mutex_);
    keys_.erase(key);
  }

 private:
  std::mutex mutex_;
  std::set<std::string> keys_;
};

// Shared with every worker, so a worker that returns during program exit
// still finds it alive.
std::shared_ptr<StuckKeys> stuckKeys() {
  static const auto keys = std::make_shared<StuckKeys>();
  return keys;
}

}  // namespace

BoundedEnd runBoundedWork(const std::string& key, std::chrono::milliseconds deadline, std::function<void()> work) {
  const auto stuck = stuckKeys();
  if (stuck->contains(key)) return BoundedEnd::TimedOut;
  const auto state = std::make_shared<CallState>();
  try {
    std::thread([state, stuck, key, work = std::move(work)] {
      try {
        work();
      } catch (...) {
        // The caller's result keeps its general failure.
      }
      std::lock_guard lock(state->mutex);
      state->finished = true;
      if (state->abandoned) stuck->remove(key);
      state->changed.notify_all();
    }).detach();
  } catch (const std::system_error&) {
    return BoundedEnd::NotStarted;
  }
  std::unique_lock lock(state->mutex);
  if (state->changed.wait_for(lock, deadline, [&] { return state->finished; })) return BoundedEnd::Finished;
  state->abandoned = true;
  stuck->add(key);
  return BoundedEnd::TimedOut;
}

}  // namespace vantora::linux_backend
