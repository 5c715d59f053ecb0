#pragma once
// The environment handed to the programs a benchmark starts.

#include <optional>
#include <string>
#include <vector>

namespace vantora::bench {

// This process's environment with each "NAME=value" of `overrides` set, and
// each bare "NAME" of it removed.
std::vector<std::string> environmentWith(const std::vector<std::string>& overrides);

// NULL-terminated pointers into `strings`, as exec and posix_spawn take them.
std::vector<char*> argvOf(std::vector<std::string>& strings);

// Runs a program (no shell) and returns its standard output, or nothing when it
// cannot run or fails.
std::optional<std::string> captureOutput(std::vector<std::string> args);

}  // namespace vantora::bench
