#pragma once
// One long-lived thread that runs work handed to it, one piece at a time, and
// lets its caller wait for each piece at most a deadline. Making a thread for
// every statvfs would cost more than the statvfs.

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

namespace vantora::linux_backend {

class QueryWorker {
 public:
  // A worker waiting for work; null when no thread can be made.
  static std::unique_ptr<QueryWorker> start();

 private:
  struct Mailbox;
  struct StartKey {};

 public:
  // For start() alone: the thread comes after.
  explicit QueryWorker(StartKey);

  QueryWorker(const QueryWorker&) = delete;
  QueryWorker& operator=(const QueryWorker&) = delete;
  // An idle worker is told to end and joined; one that was let go is not.
  ~QueryWorker();

  // Hands work over and waits at most deadline for it to return; true when
  // it did. On false the work is still running: call letGo().
  bool run(std::function<void()> work, std::chrono::milliseconds deadline);

  // Gives up a worker whose work is stuck: the thread is detached and ends by
  // itself once the work returns, touching nothing but its own mailbox.
  void letGo();

 private:
  static void serve(const std::shared_ptr<Mailbox>& mailbox);

  std::shared_ptr<Mailbox> mailbox_;
  std::thread thread_;
};

}  // namespace vantora::linux_backend
