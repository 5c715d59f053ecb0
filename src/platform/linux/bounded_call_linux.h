#pragma once
// The one door to a mounted file system. statvfs, the volume probes and
// libblkid can block for minutes on a dead server or a failing disk; every
// such call goes through runBounded, which gives up after a deadline so the
// refresh ends with ERROR_SEM_TIMEOUT instead of freezing the window.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/system_queries.h"

namespace vantora::linux_backend {

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

// Runs work on a worker thread and waits at most `deadline` for it. A worker
// still busy at the deadline is abandoned, not stopped (a system call stuck in
// a hung mount cannot be interrupted) and never joined; until it returns, new
// work for the same key (the mount point) is refused at once as timed out, so
// a dead server costs one thread, not one per refresh.
BoundedEnd runBoundedWork(const std::string& key, std::chrono::milliseconds deadline, std::function<void()> work);

// runBoundedWork for work that returns an Outcome. The work must own all it
// uses (capture by value): it may outlive the caller.
template <typename Work>
auto runBounded(const std::string& key, std::chrono::milliseconds deadline, Work work) -> decltype(work()) {
  using Result = decltype(work());
  // A worker that throws leaves this general failure behind.
  auto result = std::make_shared<Result>(Result{std::nullopt, winerror::ERROR_GEN_FAILURE});
  const BoundedEnd end = runBoundedWork(key, deadline, [result, work = std::move(work)]() mutable { *result = work(); });
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

}  // namespace vantora::linux_backend
