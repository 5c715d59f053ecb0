#pragma once
// What a program opens between exec and its first frame, seen through
// strace: the start-up path must read the mount table once, probe no drive
// but the one it shows, and resolve no font file twice.

#include <optional>
#include <string>
#include <vector>

namespace vantora::bench {

struct StartupPath {
  int mountTableReads = 0;       // opens of the mount table
  int blockDevicesOpened = 0;    // distinct block-device nodes opened (volume probes)
  int fontFilesOpenedAgain = 0;  // distinct font files opened more than once
};

// Counts in an strace log (-f, -e trace=openat,write) what happened before
// the program wrote its first-frame mark.
StartupPath startupPathOf(const std::string& straceLog);

// Runs `program` under strace until its first-frame mark. Null, with the
// reason in `problem`, when strace is missing or the program marks no frame.
std::optional<StartupPath> traceStartupPath(const std::string& program, const std::vector<std::string>& environment,
                                            std::string& problem);

}  // namespace vantora::bench
