#include "wine_session.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <thread>
#include <utility>

#include "support/child_process.h"

namespace vantora::bench {
namespace {

using namespace std::chrono_literals;

constexpr auto kKeeperExitDeadline = 10s;

// The settings the Windows tests run under (tests/win32/wine_prefix.sh).
std::vector<std::string> wineEnvironment(const std::string& sourceDir, const std::string& display) {
  return {"WINEPREFIX=" + sourceDir + "/build/wineprefix", "WINEARCH=win64", "WINEDEBUG=-all",
          "WINEDLLOVERRIDES=mscoree,mshtml=", "LC_ALL=C.UTF-8", "DISPLAY=" + display};
}

}  // namespace

std::optional<WineSession> WineSession::start(const std::string& sourceDir, const std::string& display,
                                              std::string& problem) {
  std::vector<std::string> environment = wineEnvironment(sourceDir, display);
  // The script makes the prefix once and brings its registry up to date.
  if (testing::runCommand({"bash", sourceDir + "/tests/win32/wine_prefix.sh"}).status != 0) {
    problem = "the wine prefix could not be made (packages wine, wine64)";
    return std::nullopt;
  }
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC) != 0) {
    problem = "cannot make a pipe";
    return std::nullopt;
  }
  // cmd.exe waits for its next command until its input closes.
  const pid_t keeper =
      testing::startChild({"wine", "cmd"}, {.environment = environment,
                                            .descriptors = {{STDIN_FILENO, fds[0]}, {STDOUT_FILENO, -1},
                                                            {STDERR_FILENO, -1}}});
  ::close(fds[0]);
  if (keeper < 0) {
    ::close(fds[1]);
    problem = "cannot run wine";
    return std::nullopt;
  }
  return WineSession(std::move(environment), keeper, fds[1]);
}

WineSession::WineSession(WineSession&& other) noexcept
    : environment_(std::move(other.environment_)),
      keeper_(std::exchange(other.keeper_, 0)),
      keeperInput_(std::exchange(other.keeperInput_, -1)) {}

WineSession::~WineSession() {
  if (keeperInput_ >= 0) ::close(keeperInput_);
  if (keeper_ <= 0) return;
  const auto deadline = std::chrono::steady_clock::now() + kKeeperExitDeadline;
  while (::waitpid(keeper_, nullptr, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(keeper_, SIGKILL);
      ::waitpid(keeper_, nullptr, 0);
      return;
    }
    std::this_thread::sleep_for(20ms);
  }
}

}  // namespace vantora::bench
