#include "marking_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <utility>

#include "support/child_process.h"

namespace vantora::bench {
namespace {

constexpr int kMarkDeadlineMs = 30'000;

}  // namespace

std::optional<double> markTime(const std::string& output, double arrivedAt) {
  for (std::size_t mark = output.find("first-frame"); mark != std::string::npos;
       mark = output.find("first-frame", mark + 1)) {
    if (mark > 0 && output[mark - 1] != '\n') continue;
    const std::size_t end = output.find('\n', mark);
    if (end == std::string::npos) return std::nullopt;
    const std::string line = output.substr(mark, end - mark);
    if (line == "first-frame") return arrivedAt;
    double sinceExec = 0;
    double bootTime = 0;
    char rest = 0;
    if (std::sscanf(line.c_str(), "first-frame %lf at %lf%c", &sinceExec, &bootTime, &rest) == 2) return bootTime;
  }
  return std::nullopt;
}

double secondsAfterBoot() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::optional<MarkingChild> MarkingChild::start(std::vector<std::string> args, std::vector<std::string> environment,
                                                std::string& problem) {
  std::array<int, 2> fds{};
  if (args.empty() || ::pipe2(fds.data(), O_CLOEXEC) != 0) {
    problem = "cannot make a pipe";
    return std::nullopt;
  }
  environment.push_back("VANTORA_MARK_FIRST_FRAME=1");
  const testing::ChildSetup setup{.environment = std::move(environment),
                                  .descriptors = {{STDERR_FILENO, fds[1]}, {STDOUT_FILENO, -1}},
                                  .directory = "/"};
  const double startedAt = secondsAfterBoot();
  const pid_t pid = testing::startChild(args, setup);
  ::close(fds[1]);
  if (pid < 0) {
    ::close(fds[0]);
    problem = "cannot run " + args.front();
    return std::nullopt;
  }
  return MarkingChild(pid, fds[0], startedAt);
}

MarkingChild::MarkingChild(MarkingChild&& other) noexcept
    : pid_(std::exchange(other.pid_, 0)), errors_(std::exchange(other.errors_, -1)), startedAt_(other.startedAt_) {}

MarkingChild::~MarkingChild() {
  if (pid_ > 0) ::kill(pid_, SIGKILL);
  reap();
  if (errors_ >= 0) ::close(errors_);
}

void MarkingChild::reap() {
  if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
  pid_ = 0;
}

std::optional<double> MarkingChild::waitForMark(std::string& problem) {
  std::string output;
  pollfd readable{errors_, POLLIN, 0};
  while (::poll(&readable, 1, kMarkDeadlineMs) == 1) {
    char chunk[512];
    const ssize_t got = ::read(errors_, chunk, sizeof chunk);
    if (got <= 0) break;
    output.append(chunk, static_cast<std::size_t>(got));
    if (const auto markedAt = markTime(output, secondsAfterBoot())) return markedAt;
  }
  problem = "marked no first frame; it wrote: " + output.substr(0, 400);
  return std::nullopt;
}

void MarkingChild::awaitExit(int timeoutMs) {
  constexpr int kStepMs = 10;
  for (int waited = 0; pid_ > 0 && waited < timeoutMs; waited += kStepMs) {
    if (::waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = 0;
      return;
    }
    ::usleep(kStepMs * 1000);
  }
}

}  // namespace vantora::bench
