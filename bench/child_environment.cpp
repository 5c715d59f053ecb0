#include "child_environment.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>

extern char** environ;

namespace vantora::bench {
namespace {

std::string nameOf(const std::string& entry) { return entry.substr(0, entry.find('=')); }

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

std::vector<char*> argvOf(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

}  // namespace vantora::bench

namespace vantora::bench {

std::optional<std::string> captureOutput(std::vector<std::string> args) {
  std::array<int, 2> fds{};
  if (::pipe2(fds.data(), O_CLOEXEC) != 0) return std::nullopt;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> environment = environmentWith({});
  pid_t pid = 0;
  const int spawned = posix_spawnp(&pid, args.front().c_str(), &actions, nullptr, argvOf(args).data(),
                                   argvOf(environment).data());
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  std::string output;
  char chunk[4096];
  for (ssize_t got; (got = ::read(fds[0], chunk, sizeof chunk)) > 0;) output.append(chunk, static_cast<std::size_t>(got));
  ::close(fds[0]);
  if (spawned != 0) return std::nullopt;
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

}  // namespace vantora::bench
