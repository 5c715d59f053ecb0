#pragma once
// Starting other programs from the tests and the benchmarks: the one place
// that sets up posix_spawn.

#include <sys/types.h>

#include <string>
#include <vector>

namespace vantora::testing {

// This process's environment with each "NAME=value" of `overrides` set and
// each bare "NAME" of it removed.
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides);

struct ChildSetup {
  // Changes to this process's environment, as environmentWith takes them.
  std::vector<std::string> environment{};
  // The child's descriptor `child` is this process's `parent`, or /dev/null
  // when `parent` is negative. Every other descriptor of ours is closed on
  // exec when it was opened with O_CLOEXEC.
  struct Descriptor {
    int child;
    int parent;
  };
  std::vector<Descriptor> descriptors{};
  // Where the child starts; empty: where this process is.
  std::string directory{};
};

// Starts argv[0] (looked up on PATH when it has no slash). The child's pid,
// or -1 when it could not be started.
pid_t startChild(const std::vector<std::string>& argv, const ChildSetup& setup = {});

struct CommandResult {
  int status = -1;     // exit status; -1 when the program could not be run or was killed
  std::string output;  // what it wrote to standard output
};

// Runs a program (no shell) to its end, standard error discarded.
CommandResult runCommand(const std::vector<std::string>& argv);

}  // namespace vantora::testing
