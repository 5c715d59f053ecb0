#pragma once
// A started program that announces its first painted frame on standard error,
// killed when the object goes. The mark is a line of its own:
// "first-frame <ms> at <seconds after boot>", or a bare "first-frame" from a
// program with no clock to compare (a Windows program under wine), which is
// then timed when the line arrives.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace vantora::bench {

class MarkingChild {
 public:
  // Starts args[0] (found on PATH) with args in "/", with the environment
  // changes of `environment` (see environmentWith) plus VANTORA_MARK_FIRST_FRAME.
  // Null, with the reason in `problem`, when it cannot be started.
  static std::optional<MarkingChild> start(std::vector<std::string> args, std::vector<std::string> environment,
                                           std::string& problem);

  MarkingChild(MarkingChild&& other) noexcept;
  MarkingChild& operator=(MarkingChild&&) = delete;
  MarkingChild(const MarkingChild&) = delete;
  MarkingChild& operator=(const MarkingChild&) = delete;
  ~MarkingChild();

  // The boot-clock time in the mark, once it has been written; null, with
  // what the program wrote in `problem`, when it ends or stays silent.
  std::optional<double> waitForMark(std::string& problem);

  // Waits up to `timeoutMs` for the program to end by itself (a tracer whose
  // tracee is gone), then kills it.
  void awaitExit(int timeoutMs);

  pid_t pid() const { return pid_; }
  // The boot clock just before exec, in seconds.
  double startedAt() const { return startedAt_; }

 private:
  MarkingChild(pid_t pid, int errors, double startedAt) : pid_(pid), errors_(errors), startedAt_(startedAt) {}
  void reap();

  pid_t pid_ = 0;
  int errors_ = -1;  // read end of the program's standard error
  double startedAt_ = 0;
};

// The boot clock now, in seconds.
double secondsAfterBoot();

// The boot-clock time of the first complete mark line in `output`, taking
// `arrivedAt` for a bare mark; null while there is none.
std::optional<double> markTime(const std::string& output, double arrivedAt);

}  // namespace vantora::bench
