// bench_startup: Vantora from exec to its first refreshed frame, and its peak
// memory, against the floor program (Form1's widget set and nothing else),
// under a private Xvfb, bare and with a window manager (as a desktop has one),
// and on Qt's offscreen platform. The two programs take
// turns within each round, so load from elsewhere on the machine falls on both.
//   bench_startup [--rounds N] [--rows-only]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_table.h"
#include "private_xvfb.h"
#include "startup_path.h"
#include "startup_run.h"
#include "window_manager.h"

namespace {

using namespace vantora::bench;

constexpr int kDefaultRounds = 21;

struct Samples {
  std::vector<double> firstFrameMs;
  std::vector<double> peakRssMiB;
};

struct Pair {
  Samples vantora;
  Samples floor;
  std::string problem;
};

bool runOnce(const char* program, const std::vector<std::string>& environment, Samples& into, std::string& problem) {
  const auto sample = measureStartup(program, environment, problem);
  if (!sample) return false;
  into.firstFrameMs.push_back(sample->firstFrameMs);
  into.peakRssMiB.push_back(sample->peakRssMiB);
  return true;
}

// One untimed start of each fills the page cache and the font cache, then
// `rounds` rounds in which the two alternate who goes first.
Pair measurePair(const std::vector<std::string>& environment, int rounds) {
  Pair pair;
  Samples warmUp;
  if (!runOnce(VANTORA_EXECUTABLE, environment, warmUp, pair.problem) ||
      !runOnce(VANTORA_STARTUP_FLOOR, environment, warmUp, pair.problem)) {
    return pair;
  }
  for (int round = 0; round < rounds; ++round) {
    const bool floorFirst = round % 2 == 1;
    if (floorFirst && !runOnce(VANTORA_STARTUP_FLOOR, environment, pair.floor, pair.problem)) return pair;
    if (!runOnce(VANTORA_EXECUTABLE, environment, pair.vantora, pair.problem)) return pair;
    if (!floorFirst && !runOnce(VANTORA_STARTUP_FLOOR, environment, pair.floor, pair.problem)) return pair;
  }
  return pair;
}

void addRows(std::vector<TableRow>& rows, const std::string& where, const Pair& pair) {
  if (!pair.problem.empty()) {
    rows.push_back({"start-up, " + where, std::nullopt, std::nullopt, "", "", std::nullopt, "not measured: " + pair.problem});
    return;
  }
  const double frame = median(pair.vantora.firstFrameMs);
  const double floorFrame = median(pair.floor.firstFrameMs);
  const double rss = median(pair.vantora.peakRssMiB);
  const double floorRss = median(pair.floor.peakRssMiB);
  rows.push_back({"start-up, " + where + ": exec to first frame", frame, floorFrame, "ms", "ratio <= 1.10",
                  frame <= 1.10 * floorFrame, ""});
  rows.push_back({"start-up, " + where + ": peak RSS", rss, floorRss, "MiB", "ratio <= 1.10", rss <= 1.10 * floorRss,
                  ""});
}

// Traced once each on the offscreen platform, where the program writes nothing
// but its own output.
void addPathRows(std::vector<TableRow>& rows, const std::vector<std::string>& environment) {
  std::string problem;
  const auto vantora = traceStartupPath(VANTORA_EXECUTABLE, environment, problem);
  const auto floor = vantora ? traceStartupPath(VANTORA_STARTUP_FLOOR, environment, problem) : std::nullopt;
  if (!vantora || !floor) {
    rows.push_back({"start-up path", std::nullopt, std::nullopt, "", "", std::nullopt, "not measured: " + problem});
    return;
  }
  rows.push_back({"start-up path: mount table reads", vantora->mountTableReads, floor->mountTableReads, "reads",
                  "<= 1", vantora->mountTableReads <= 1, ""});
  rows.push_back({"start-up path: block devices opened", vantora->blockDevicesOpened, floor->blockDevicesOpened,
                  "devices", "<= 1", vantora->blockDevicesOpened <= 1, "(only the drive shown may be probed)"});
  rows.push_back({"start-up path: font files opened twice", vantora->fontFilesOpenedAgain,
                  floor->fontFilesOpenedAgain, "files", "<= floor",
                  vantora->fontFilesOpenedAgain <= floor->fontFilesOpenedAgain, ""});
}

}  // namespace

int main(int argc, char** argv) {
  const bool rowsOnly = takeRowsOnlyFlag(argc, argv);
  int rounds = kDefaultRounds;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[i + 1]));
  }

  // A private runtime directory keeps Qt quiet and the children apart from any session.
  char runtimeDir[] = "/tmp/vantora-bench-XXXXXX";
  if (::mkdtemp(runtimeDir) == nullptr) {
    std::fprintf(stderr, "bench_startup: cannot make a runtime directory\n");
    return 1;
  }
  const std::string runtime = std::string("XDG_RUNTIME_DIR=") + runtimeDir;

  std::vector<TableRow> rows;
  {
    std::string problem;
    const auto xvfb = PrivateXvfb::start(problem);
    Pair bare;
    Pair managed;
    if (xvfb) {
      const std::vector<std::string> onScreen = {"DISPLAY=" + xvfb->display(), "QT_QPA_PLATFORM=xcb", runtime};
      bare = measurePair(onScreen, rounds);
      if (const auto openbox = WindowManager::start(xvfb->display(), problem)) managed = measurePair(onScreen, rounds);
      else managed.problem = problem;
    } else {
      bare.problem = managed.problem = problem;
    }
    addRows(rows, "Xvfb", bare);
    addRows(rows, "Xvfb + openbox", managed);
  }
  const std::vector<std::string> offscreen = {"DISPLAY", "QT_QPA_PLATFORM=offscreen", runtime};
  addRows(rows, "offscreen", measurePair(offscreen, rounds));
  addPathRows(rows, offscreen);
  std::error_code ignored;
  std::filesystem::remove_all(runtimeDir, ignored);

  printTable(rows, !rowsOnly);
  return 0;
}
