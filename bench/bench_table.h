#pragma once
// The one table every benchmark program prints: each figure beside the floor
// measured in the same run, their ratio and the target it must meet.

#include <optional>
#include <string>
#include <vector>

namespace vantora::bench {

struct TableRow {
  std::string figure;             // what was measured
  std::optional<double> value;    // median of the rounds; null when not measured
  std::optional<double> floor;    // median of the floor's rounds, same unit
  std::string unit;               // "µs", "ms", "MiB" ...
  std::string target;             // "ratio <= 1.30", "< 50 ms", or empty for none
  std::optional<bool> met;        // null where the row has no target
  std::string note;               // a short remark (skipped, what the floor is)
};

// The median of the samples; 0 for none.
double median(std::vector<double> samples);

// Prints the rows under a header line unless `withHeader` is false (scripts/bench
// prints one header for all programs and asks each program for bare rows).
void printTable(const std::vector<TableRow>& rows, bool withHeader);

// True when argv holds "--rows-only", which scripts/bench passes; removes it.
bool takeRowsOnlyFlag(int& argc, char** argv);

}  // namespace vantora::bench
