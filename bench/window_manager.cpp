#include "window_manager.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>
#include <utility>

#include "support/child_process.h"

namespace vantora::bench {
namespace {

using namespace std::chrono_literals;

constexpr auto kStartDeadline = 10s;

}  // namespace

bool windowManagerRuns(const std::string& display) {
  // The root names a window of the manager's; a manager that has left leaves the
  // name behind but takes the window with it, so the window is asked for too.
  const auto root = testing::runCommand({"xprop", "-display", display, "-root", "_NET_SUPPORTING_WM_CHECK"});
  const std::size_t id = root.output.find("# 0x");
  if (root.status != 0 || id == std::string::npos) return false;
  const std::string window = root.output.substr(id + 2, root.output.find_first_of(" \n", id + 2) - id - 2);
  return testing::runCommand({"xprop", "-display", display, "-id", window, "_NET_SUPPORTING_WM_CHECK"}).status == 0;
}

std::optional<WindowManager> WindowManager::start(const std::string& display, std::string& problem) {
  const pid_t pid = testing::startChild({"openbox", "--sm-disable"},
                                        {.environment = {"DISPLAY=" + display},
                                         .descriptors = {{STDOUT_FILENO, -1}, {STDERR_FILENO, -1}}});
  if (pid < 0) {
    problem = "cannot run openbox (package openbox)";
    return std::nullopt;
  }
  WindowManager manager(pid);
  const auto deadline = std::chrono::steady_clock::now() + kStartDeadline;
  while (!windowManagerRuns(display)) {
    if (::waitpid(pid, nullptr, WNOHANG) == pid) {
      manager.pid_ = 0;
      problem = "openbox ended before it took over the screen";
      return std::nullopt;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      problem = "openbox did not take over the screen (or xprop, package x11-utils, is missing)";
      return std::nullopt;
    }
    std::this_thread::sleep_for(20ms);
  }
  return manager;
}

WindowManager::WindowManager(WindowManager&& other) noexcept : pid_(std::exchange(other.pid_, 0)) {}

WindowManager::~WindowManager() {
  if (pid_ <= 0) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

}  // namespace vantora::bench
