#pragma once
// A wine session for timing Windows programs: the tests' prefix, made or
// reused, with one idle Windows process kept running in it, so every measured
// start finds wine's server and services up, as a program on Windows finds
// its system already running.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace vantora::bench {

class WineSession {
 public:
  // `sourceDir` is the repository, whose tests/win32/wine_prefix.sh makes the
  // prefix; windows go to the X server `display`. Null, with the reason in
  // `problem`, when wine cannot be started.
  static std::optional<WineSession> start(const std::string& sourceDir, const std::string& display,
                                          std::string& problem);

  WineSession(WineSession&& other) noexcept;
  WineSession& operator=(WineSession&&) = delete;
  WineSession(const WineSession&) = delete;
  WineSession& operator=(const WineSession&) = delete;
  // Lets the idle process end, which ends the session once its last program has gone.
  ~WineSession();

  // The environment changes (as environmentWith takes them) under which
  // programs run in this session.
  const std::vector<std::string>& environment() const { return environment_; }

 private:
  WineSession(std::vector<std::string> environment, pid_t keeper, int keeperInput)
      : environment_(std::move(environment)), keeper_(keeper), keeperInput_(keeperInput) {}

  std::vector<std::string> environment_;
  pid_t keeper_ = 0;
  int keeperInput_ = -1;  // the idle process reads commands from here until it is closed
};

}  // namespace vantora::bench
