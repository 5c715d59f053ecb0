#pragma once
// One start of a program that marks its first painted frame: from exec until
// the mark, and the program's peak memory at that moment.

#include <optional>
#include <string>
#include <vector>

namespace vantora::bench {

struct StartupSample {
  double firstFrameMs = 0;  // from just before exec until the first frame was on screen
  double peakRssMiB = 0;    // VmHWM when the frame was marked
};

// Starts `program` in "/" with the environment changes of `environment`
// (see environmentWith) plus VANTORA_MARK_FIRST_FRAME, waits for its
// "first-frame" line on standard error, then kills it. Null, with the reason
// in `problem`, when the program ends or stays silent instead.
std::optional<StartupSample> measureStartup(const std::string& program, const std::vector<std::string>& environment,
                                            std::string& problem);

}  // namespace vantora::bench
