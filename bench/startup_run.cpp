#include "startup_run.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <utility>

#include "child_environment.h"

namespace vantora::bench {
namespace {

constexpr int kMarkDeadlineMs = 30'000;

double secondsAfterBoot() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Peak resident memory of the process so far, from /proc/PID/status.
double peakRssMiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

// Kills and reaps the child when the measurement is over, whatever happened.
class RunningChild {
 public:
  explicit RunningChild(pid_t pid) : pid_(pid) {}
  RunningChild(const RunningChild&) = delete;
  RunningChild& operator=(const RunningChild&) = delete;
  ~RunningChild() {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_;
};

class ReadEnd {
 public:
  explicit ReadEnd(int fd) : fd_(fd) {}
  ReadEnd(const ReadEnd&) = delete;
  ReadEnd& operator=(const ReadEnd&) = delete;
  ~ReadEnd() { ::close(fd_); }
  int get() const { return fd_; }

 private:
  int fd_;
};

// The program's mark: "first-frame <ms after exec> at <seconds after boot>".
std::optional<double> markedBootTime(const std::string& output) {
  const std::size_t mark = output.find("first-frame ");
  if (mark == std::string::npos || output.find('\n', mark) == std::string::npos) return std::nullopt;
  double sinceExec = 0;
  double bootTime = 0;
  if (std::sscanf(output.c_str() + mark, "first-frame %lf at %lf", &sinceExec, &bootTime) != 2) return std::nullopt;
  return bootTime;
}

}  // namespace

std::optional<StartupSample> measureStartup(const std::string& program, const std::vector<std::string>& environment,
                                            std::string& problem) {
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC) != 0) {
    problem = "cannot make a pipe";
    return std::nullopt;
  }
  const ReadEnd errors(fds[0]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, "/");
  std::vector<std::string> args = {program};
  std::vector<std::string> childEnvironment = environment;
  childEnvironment.push_back("VANTORA_MARK_FIRST_FRAME=1");
  childEnvironment = environmentWith(childEnvironment);

  pid_t pid = 0;
  const double spawnedAt = secondsAfterBoot();
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argvOf(args).data(),
                                  argvOf(childEnvironment).data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  if (spawned != 0) {
    problem = "cannot run " + program;
    return std::nullopt;
  }
  const RunningChild child(pid);

  std::string output;
  pollfd readable{errors.get(), POLLIN, 0};
  std::optional<double> markedAt;
  while (!markedAt && ::poll(&readable, 1, kMarkDeadlineMs) == 1) {
    char chunk[512];
    const ssize_t got = ::read(errors.get(), chunk, sizeof chunk);
    if (got <= 0) break;
    output.append(chunk, static_cast<std::size_t>(got));
    markedAt = markedBootTime(output);
  }
  if (!markedAt) {
    problem = program + " marked no first frame; it wrote: " + output.substr(0, 400);
    return std::nullopt;
  }
  return StartupSample{(*markedAt - spawnedAt) * 1000.0, peakRssMiB(child.pid())};
}

}  // namespace vantora::bench
