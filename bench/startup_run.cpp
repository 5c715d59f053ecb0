#include "startup_run.h"

#include <fstream>

#include "marking_child.h"

namespace vantora::bench {
namespace {

constexpr double kTargetRatio = 1.10;

// Peak resident memory of the process so far, from /proc/PID/status.
double peakRssMiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
  }
  return 0;
}

bool runOnce(const std::vector<std::string>& command, const std::vector<std::string>& environment,
             StartupSamples& into, std::string& problem) {
  const auto sample = measureStartup(command, environment, problem);
  if (!sample) return false;
  into.firstFrameMs.push_back(sample->firstFrameMs);
  into.peakRssMiB.push_back(sample->peakRssMiB);
  return true;
}

}  // namespace

std::optional<StartupSample> measureStartup(const std::vector<std::string>& command,
                                            const std::vector<std::string>& environment, std::string& problem) {
  auto child = MarkingChild::start(command, environment, problem);
  if (!child) return std::nullopt;
  const std::optional<double> markedAt = child->waitForMark(problem);
  if (!markedAt) {
    problem = command.back() + " " + problem;
    return std::nullopt;
  }
  return StartupSample{(*markedAt - child->startedAt()) * 1000.0, peakRssMiB(child->pid())};
}

PairedStartups measurePairedStartups(const std::vector<std::string>& program, const std::vector<std::string>& floor,
                                     const std::vector<std::string>& environment, int rounds) {
  PairedStartups pair;
  StartupSamples warmUp;
  if (!runOnce(program, environment, warmUp, pair.problem) || !runOnce(floor, environment, warmUp, pair.problem)) {
    return pair;
  }
  for (int round = 0; round < rounds; ++round) {
    const bool floorFirst = round % 2 == 1;
    if (floorFirst && !runOnce(floor, environment, pair.floor, pair.problem)) return pair;
    if (!runOnce(program, environment, pair.program, pair.problem)) return pair;
    if (!floorFirst && !runOnce(floor, environment, pair.floor, pair.problem)) return pair;
  }
  return pair;
}

std::vector<TableRow> startupRows(const std::string& figure, const std::string& memory, const PairedStartups& pair) {
  if (!pair.problem.empty()) {
    return {{figure, std::nullopt, std::nullopt, "", "", std::nullopt, "not measured: " + pair.problem}};
  }
  const double frame = median(pair.program.firstFrameMs);
  const double floorFrame = median(pair.floor.firstFrameMs);
  const double rss = median(pair.program.peakRssMiB);
  const double floorRss = median(pair.floor.peakRssMiB);
  return {{figure + ": exec to first frame", frame, floorFrame, "ms", "ratio <= 1.10", frame <= kTargetRatio * floorFrame,
           ""},
          {figure + ": " + memory, rss, floorRss, "MiB", "ratio <= 1.10", rss <= kTargetRatio * floorRss, ""}};
}

}  // namespace vantora::bench
