#include "support/child_process.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>

namespace vantora::testing {
namespace {

struct CommandCase {
  const char* name;
  std::vector<std::string> argv;
  CommandResult expected;
};

TEST(RunCommand, GivesTheExitStatusAndOnlyStandardOutput) {
  const CommandCase cases[] = {
      {"output_and_status", {"sh", "-c", "echo out; echo err >&2; exit 3"}, {3, "out\n"}},
      {"found_on_path_or_by_path", {"/bin/sh", "-c", "printf %s \"$0\"", "x"}, {0, "x"}},
      {"missing_program", {"vantora-no-such-program"}, {-1, ""}},
      {"killed_program", {"sh", "-c", "echo partial; kill -9 $$"}, {-1, "partial\n"}},
      {"nothing_to_run", {}, {-1, ""}},
  };
  for (const CommandCase& c : cases) {
    const CommandResult result = runCommand(c.argv);
    EXPECT_EQ(result.status, c.expected.status) << c.name;
    EXPECT_EQ(result.output, c.expected.output) << c.name;
  }
}

TEST(StartChild, GetsTheEnvironmentDirectoryAndDescriptorsItIsGiven) {
  ::setenv("VANTORA_PROBE", "old", 1);
  ::setenv("VANTORA_GONE", "here", 1);
  std::array<int, 2> fds{};
  ASSERT_EQ(::pipe2(fds.data(), O_CLOEXEC), 0);
  // Standard input on /dev/null: cat ends at once instead of waiting for the test's input.
  const pid_t pid = startChild({"sh", "-c", "pwd; echo \"$VANTORA_PROBE ${VANTORA_GONE-unset}\"; cat"},
                               {.environment = {"VANTORA_PROBE=new", "VANTORA_GONE"},
                                .descriptors = {{STDOUT_FILENO, fds[1]}, {STDIN_FILENO, -1}},
                                .directory = "/"});
  ::close(fds[1]);
  ASSERT_GT(pid, 0);
  std::string output;
  std::array<char, 256> chunk{};
  for (ssize_t got; (got = ::read(fds[0], chunk.data(), chunk.size())) > 0;) output.append(chunk.data(), got);
  ::close(fds[0]);
  int status = -1;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  EXPECT_EQ(output, "/\nnew unset\n");
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(EnvironmentWith, OverridesReplaceAndBareNamesRemove) {
  ::setenv("VANTORA_PROBE", "old", 1);
  ::setenv("VANTORA_GONE", "here", 1);
  const auto environment = environmentWith({"VANTORA_PROBE=new", "VANTORA_GONE", "VANTORA_ADDED=1"});
  for (const char* present : {"VANTORA_PROBE=new", "VANTORA_ADDED=1"}) {
    EXPECT_EQ(std::count(environment.begin(), environment.end(), present), 1) << present;
  }
  EXPECT_TRUE(std::none_of(environment.begin(), environment.end(), [](const std::string& entry) {
    return entry == "VANTORA_PROBE=old" || entry.starts_with("VANTORA_GONE=");
  }));
}

}  // namespace
}  // namespace vantora::testing
