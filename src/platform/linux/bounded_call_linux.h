#pragma once
// The one door to a mounted file system. statvfs, the volume probes and
// libblkid can block for minutes on a dead server or a failing disk; every
// such call goes through BoundedCalls, which gives up after a deadline so the
// refresh ends with ERROR_SEM_TIMEOUT instead of freezing the window.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/system_queries.h"

namespace vantora::linux_backend {

class QueryWorker;

inline constexpr std::chrono::milliseconds kMountQueryDeadline{5000};

// The deadline the program uses: VANTORA_QUERY_TIMEOUT_MS when it holds a
// whole number of milliseconds from 1 to 600000, kMountQueryDeadline
// otherwise. The environment is read once, on the first call.
std::chrono::milliseconds mountQueryDeadline();

// The deadline a VANTORA_QUERY_TIMEOUT_MS value asks for; null (absent),
// empty, malformed or out-of-range text gives kMountQueryDeadline.
std::chrono::milliseconds mountQueryDeadlineFrom(const char* text);

// A value, or the Windows error number that says why there is none.
template <typename T>
struct Outcome {
  std::optional<T> value;
  std::uint32_t error = winerror::ERROR_SUCCESS;
};

enum class BoundedEnd {
  Finished,    // the work ran to its end within the deadline
  TimedOut,    // abandoned at the deadline, or refused while earlier work on the key is stuck
  NotStarted,  // no worker thread could be made
};

// Runs work on a worker thread and waits at most `deadline` for it. Workers
// are kept between calls, so a refresh costs no thread. A worker still busy
// at the deadline is abandoned, not stopped (a system call stuck in a hung
// mount cannot be interrupted) and never joined, and the next call gets a
// fresh one; until the stuck work returns, new work for the same key (the
// mount point, in every BoundedCalls of the process) is refused at once as
// timed out, so a dead server costs one thread, not one per refresh.
class BoundedCalls {
 public:
  BoundedCalls();
  BoundedCalls(const BoundedCalls&) = delete;
  BoundedCalls& operator=(const BoundedCalls&) = delete;
  // Ends the idle workers and waits for them; abandoned ones end on their own.
  ~BoundedCalls();

  BoundedEnd runWork(const std::string& key, std::chrono::milliseconds deadline, std::function<void()> work);

  // runWork for work that returns an Outcome. The work must own all it uses
  // (capture by value): it may outlive the caller.
  template <typename Work>
  auto run(const std::string& key, std::chrono::milliseconds deadline, Work work) -> decltype(work()) {
    using Result = decltype(work());
    // A worker that throws leaves this general failure behind.
    auto result = std::make_shared<Result>(Result{std::nullopt, winerror::ERROR_GEN_FAILURE});
    const BoundedEnd end = runWork(key, deadline, [result, work = std::move(work)]() mutable { *result = work(); });
    switch (end) {
      case BoundedEnd::Finished:
        return std::move(*result);
      case BoundedEnd::TimedOut:
        return Result{std::nullopt, winerror::ERROR_SEM_TIMEOUT};
      case BoundedEnd::NotStarted:
        break;
    }
    return Result{std::nullopt, winerror::ERROR_GEN_FAILURE};
  }

 private:
  std::unique_ptr<QueryWorker> takeIdleWorker();

  std::mutex mutex_;
  // Workers that finished their last work, waiting for the next.
  std::vector<std::unique_ptr<QueryWorker>> idle_;
};

}  // namespace vantora::linux_backend
