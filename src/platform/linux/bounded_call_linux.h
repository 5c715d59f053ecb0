#pragma once
// The one door to a mounted file system. statvfs, the volume probes and
// libblkid can block for minutes on a dead server or a failing disk; every
// such call goes through BoundedCalls, which gives up at a deadline so the
// refresh ends with kErrorSemTimeout instead of freezing the window.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/system_queries.h"

namespace vantora::linux_backend {

using BoundedClock = std::chrono::steady_clock;

inline constexpr std::chrono::milliseconds kMountQueryDeadline{5000};

// The deadline the program uses: VANTORA_QUERY_TIMEOUT_MS when it holds a
// whole number of milliseconds from 1 to 600000, kMountQueryDeadline
// otherwise. The program asks once, when it makes its queries.
std::chrono::milliseconds mountQueryDeadline();

// The deadline a VANTORA_QUERY_TIMEOUT_MS value asks for; null (absent),
// empty, malformed or out-of-range text gives kMountQueryDeadline.
std::chrono::milliseconds mountQueryDeadlineFrom(const char* text);

// A value, or the Windows error number that says why there is none.
template <typename T>
struct Outcome {
  std::optional<T> value;
  std::uint32_t error = winerror::kErrorSuccess;
};

// Runs work on a thread of its own and waits for it until `until`; each call
// has its own deadline, a refresh's shared one or a shorter one of the
// caller's. Work still running at the deadline is abandoned, not stopped (a
// system call stuck in a hung mount cannot be interrupted): its thread ends
// by itself once the call returns. Until then new work for the same key (the
// mount point, in every BoundedCalls of the process) is refused at once as
// timed out, so a dead server costs one thread, not one per refresh. Work
// that has not started by the deadline never starts. A thread per call costs
// tens of microseconds, far below what anyone can see.
class BoundedCalls {
 public:
  // The work must own all it uses (capture by value): it may outlive the
  // caller. Work that throws gives kErrorGenFailure, as does a thread that
  // cannot be made. Running out of memory throws std::bad_alloc and leaves
  // the key free.
  template <typename Work>
  auto run(const std::string& key, BoundedClock::time_point until, Work work) -> decltype(work()) {
    using Result = decltype(work());
    auto result = std::make_shared<Result>(Result{std::nullopt, winerror::kErrorGenFailure});
    const std::uint32_t end = runWork(key, until, [result, work = std::move(work)] { *result = work(); });
    if (end != winerror::kErrorSuccess) return Result{std::nullopt, end};
    return std::move(*result);
  }

 private:
  // kErrorSuccess when the work ran to its end, kErrorSemTimeout when it did
  // not in time (or was refused), kErrorGenFailure when no thread could be made.
  static std::uint32_t runWork(const std::string& key, BoundedClock::time_point until, std::function<void()> work);
};

}  // namespace vantora::linux_backend
