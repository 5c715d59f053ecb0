#include "private_xvfb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <utility>
#include <vector>

#include "support/child_process.h"

namespace vantora::bench {
namespace {

constexpr int kStartDeadlineMs = 10'000;

class Pipe {
 public:
  Pipe() {
    if (::pipe2(fds_.data(), O_CLOEXEC) != 0) fds_ = {-1, -1};
  }
  Pipe(const Pipe&) = delete;
  Pipe& operator=(const Pipe&) = delete;
  ~Pipe() {
    for (int fd : fds_) {
      if (fd >= 0) ::close(fd);
    }
  }
  bool ok() const { return fds_[0] >= 0; }
  int readEnd() const { return fds_[0]; }
  int writeEnd() const { return fds_[1]; }
  void closeWriteEnd() {
    ::close(fds_[1]);
    fds_[1] = -1;
  }

 private:
  std::array<int, 2> fds_{};
};

// Xvfb writes its display number to this descriptor once it accepts clients.
// -noreset: it would otherwise reset, refusing connections for a moment, each
// time its last client (one measured start) leaves.
constexpr int kDisplayFd = 3;

}  // namespace

std::optional<PrivateXvfb> PrivateXvfb::start(std::string& problem) {
  Pipe displayPipe;
  if (!displayPipe.ok()) {
    problem = "cannot make a pipe";
    return std::nullopt;
  }
  const pid_t pid = testing::startChild(
      {"Xvfb", "-displayfd", std::to_string(kDisplayFd), "-screen", "0", "1280x1024x24", "-dpi", "96", "-nolisten",
       "tcp", "-noreset"},
      {.descriptors = {{kDisplayFd, displayPipe.writeEnd()}, {STDOUT_FILENO, -1}, {STDERR_FILENO, -1}}});
  displayPipe.closeWriteEnd();
  if (pid < 0) {
    problem = "cannot run Xvfb (package xvfb)";
    return std::nullopt;
  }
  PrivateXvfb server(pid, {});

  std::string number;
  pollfd ready{displayPipe.readEnd(), POLLIN, 0};
  while (number.find('\n') == std::string::npos && ::poll(&ready, 1, kStartDeadlineMs) == 1) {
    char chunk[16];
    const ssize_t got = ::read(displayPipe.readEnd(), chunk, sizeof chunk);
    if (got <= 0) break;
    number.append(chunk, static_cast<std::size_t>(got));
  }
  if (number.find('\n') == std::string::npos) {
    problem = "Xvfb did not report a display";
    return std::nullopt;
  }
  server.display_ = ":" + number.substr(0, number.find('\n'));
  return server;
}

PrivateXvfb::PrivateXvfb(PrivateXvfb&& other) noexcept
    : pid_(std::exchange(other.pid_, 0)), display_(std::move(other.display_)) {}

PrivateXvfb::~PrivateXvfb() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

}  // namespace vantora::bench
