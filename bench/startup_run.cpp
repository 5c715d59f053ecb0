#include "startup_run.h"

#include <fstream>

#include "marking_child.h"

namespace vantora::bench {
namespace {

// Peak resident memory of the process so far, from /proc/PID/status.
double peakRssMiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

}  // namespace

std::optional<StartupSample> measureStartup(const std::string& program, const std::vector<std::string>& environment,
                                            std::string& problem) {
  auto child = MarkingChild::start({program}, environment, problem);
  if (!child) return std::nullopt;
  const std::optional<double> markedAt = child->waitForMark(problem);
  if (!markedAt) {
    problem = program + " " + problem;
    return std::nullopt;
  }
  return StartupSample{(*markedAt - child->startedAt()) * 1000.0, peakRssMiB(child->pid())};
}

}  // namespace vantora::bench
