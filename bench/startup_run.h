#pragma once
// Starts of a program that marks its first painted frame: from exec until the
// mark, and the program's peak memory at that moment; a program and its floor
// taken in turns, so load from elsewhere on the machine falls on both.

#include <optional>
#include <string>
#include <vector>

#include "bench_table.h"

namespace vantora::bench {

struct StartupSample {
  double firstFrameMs = 0;  // from just before exec until the first frame was on screen
  double peakRssMiB = 0;    // VmHWM when the frame was marked
};

// Starts `command` in "/" with the environment changes of `environment`
// (see environmentWith) plus VANTORA_MARK_FIRST_FRAME, waits for its
// "first-frame" line on standard error, then kills it. Null, with the reason
// in `problem`, when the program ends or stays silent instead.
std::optional<StartupSample> measureStartup(const std::vector<std::string>& command,
                                            const std::vector<std::string>& environment, std::string& problem);

struct StartupSamples {
  std::vector<double> firstFrameMs;
  std::vector<double> peakRssMiB;
};

struct PairedStartups {
  StartupSamples program;
  StartupSamples floor;
  std::string problem;  // set when a start failed; the samples are then incomplete
};

// One untimed start of each fills the page cache and the font cache, then
// `rounds` rounds in which the two alternate who goes first.
PairedStartups measurePairedStartups(const std::vector<std::string>& program, const std::vector<std::string>& floor,
                                     const std::vector<std::string>& environment, int rounds);

// Two rows, "<figure>: exec to first frame" and "<figure>: <memory>", each
// against the floor with the target ratio <= 1.10; one row saying why when
// the pair was not measured.
std::vector<TableRow> startupRows(const std::string& figure, const std::string& memory, const PairedStartups& pair);

}  // namespace vantora::bench
