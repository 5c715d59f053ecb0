#include "platform/linux/query_worker_linux.h"

#include <condition_variable>
#include <mutex>
#include <system_error>

namespace vantora::linux_backend {

// What the caller and the thread share; owned by both, so either may go first.
struct QueryWorker::Mailbox {
  std::mutex mutex;
  std::condition_variable changed;
  std::function<void()> work;  // handed over, not yet taken
  bool done = false;           // the last work taken has returned
  bool stop = false;           // end after the current work, or now when idle
};

std::unique_ptr<QueryWorker> QueryWorker::start() {
  auto worker = std::make_unique<QueryWorker>(StartKey{});
  try {
    worker->thread_ = std::thread([mailbox = worker->mailbox_] { serve(mailbox); });
  } catch (const std::system_error&) {
    return nullptr;
  }
  return worker;
}

QueryWorker::QueryWorker(StartKey) : mailbox_(std::make_shared<Mailbox>()) {}

QueryWorker::~QueryWorker() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard lock(mailbox_->mutex);
    mailbox_->stop = true;
  }
  mailbox_->changed.notify_all();
  thread_.join();
}

bool QueryWorker::run(std::function<void()> work, std::chrono::milliseconds deadline) {
  std::unique_lock lock(mailbox_->mutex);
  mailbox_->work = std::move(work);
  mailbox_->done = false;
  mailbox_->changed.notify_all();
  return mailbox_->changed.wait_for(lock, deadline, [this] { return mailbox_->done; });
}

void QueryWorker::letGo() {
  {
    std::lock_guard lock(mailbox_->mutex);
    mailbox_->stop = true;
  }
  // The work may have returned just after the deadline, leaving the thread
  // waiting for more: wake it to end.
  mailbox_->changed.notify_all();
  if (thread_.joinable()) thread_.detach();
}

void QueryWorker::serve(const std::shared_ptr<Mailbox>& mailbox) {
  for (;;) {
    std::function<void()> work;
    {
      std::unique_lock lock(mailbox->mutex);
      mailbox->changed.wait(lock, [&] { return mailbox->stop || mailbox->work; });
      if (!mailbox->work) return;
      work = std::move(mailbox->work);
      mailbox->work = nullptr;
    }
    try {
      work();
    } catch (...) {
      // The caller's result keeps the failure it started with.
    }
    // Whatever the work holds goes before the caller hears of the end.
    work = nullptr;
    std::lock_guard lock(mailbox->mutex);
    mailbox->done = true;
    mailbox->changed.notify_all();
    if (mailbox->stop) return;
  }
}

}  // namespace vantora::linux_backend
