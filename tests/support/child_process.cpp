#include "support/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>

extern char** environ;

namespace vantora::testing {
namespace {

std::string nameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

// NULL-terminated pointers into `strings`, as posix_spawn takes them.
std::vector<char*> pointersInto(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace

std::vector<std::string> environmentWith(const std::vector<std::string>& overrides) {
  std::vector<std::string> result;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string current(*entry);
    const bool overridden = std::any_of(overrides.begin(), overrides.end(),
                                        [&](const std::string& override) { return nameOf(override) == nameOf(current); });
    if (!overridden) result.push_back(current);
  }
  for (const std::string& override : overrides) {
    if (override.find('=') != std::string::npos) result.push_back(override);
  }
  return result;
}

pid_t startChild(const std::vector<std::string>& argv, const ChildSetup& setup) {
  if (argv.empty()) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (const ChildSetup::Descriptor& descriptor : setup.descriptors) {
    if (descriptor.parent < 0) {
      posix_spawn_file_actions_addopen(&actions, descriptor.child, "/dev/null", O_RDWR, 0);
    } else {
      posix_spawn_file_actions_adddup2(&actions, descriptor.parent, descriptor.child);
    }
  }
  if (!setup.directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, setup.directory.c_str());
  std::vector<std::string> args = argv;
  std::vector<std::string> environment = environmentWith(setup.environment);
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, args.front().c_str(), &actions, nullptr, pointersInto(args).data(),
                                  pointersInto(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

CommandResult runCommand(const std::vector<std::string>& argv) {
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC) != 0) return {};
  const pid_t pid = startChild(argv, {.descriptors = {{STDOUT_FILENO, fds[1]}, {STDERR_FILENO, -1}}});
  ::close(fds[1]);
  CommandResult result;
  std::array<char, 4096> chunk{};
  for (ssize_t got; (got = ::read(fds[0], chunk.data(), chunk.size())) > 0;) {
    result.output.append(chunk.data(), static_cast<std::size_t>(got));
  }
  ::close(fds[0]);
  if (pid < 0) return {};
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace vantora::testing
