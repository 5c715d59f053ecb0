#include "platform/linux/bounded_call_linux.h"

#include <set>

#include "platform/linux/query_worker_linux.h"

namespace vantora::linux_backend {
namespace {

// Keys (mount points) with work that has not returned yet. Claiming and
// checking are one step, so two callers can never both start work on the
// same key.
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

BoundedCalls::BoundedCalls() = default;

BoundedCalls::~BoundedCalls() = default;

std::unique_ptr<QueryWorker> BoundedCalls::takeIdleWorker() {
  {
    std::lock_guard lock(mutex_);
    if (!idle_.empty()) {
      std::unique_ptr<QueryWorker> worker = std::move(idle_.back());
      idle_.pop_back();
      return worker;
    }
  }
  return QueryWorker::start();
}

BoundedEnd BoundedCalls::runWork(const std::string& key, std::chrono::milliseconds deadline,
                                 std::function<void()> work) {
  const auto busy = busyKeys();
  if (!busy->claim(key)) return BoundedEnd::TimedOut;
  std::unique_ptr<QueryWorker> worker = takeIdleWorker();
  if (!worker) {
    busy->release(key);
    return BoundedEnd::NotStarted;
  }
  const bool finished = worker->run(
      [busy, key, work = std::move(work)] {
        try {
          work();
        } catch (...) {
          // The caller's result keeps its general failure.
        }
        // Released before the caller can see the end, so a caller that asks
        // again at once is never refused.
        busy->release(key);
      },
      deadline);
  if (!finished) {
    // The worker stays behind, touching only what it owns, and frees the key
    // when its system call finally returns.
    worker->letGo();
    return BoundedEnd::TimedOut;
  }
  std::lock_guard lock(mutex_);
  idle_.push_back(std::move(worker));
  return BoundedEnd::Finished;
}

}  // namespace vantora::linux_backend
