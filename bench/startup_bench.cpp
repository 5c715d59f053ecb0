// bench_startup: Vantora from exec to its first refreshed frame, and its peak
// memory, against the floor program (Form1's widget set and nothing else),
// under a private Xvfb, bare and with a window manager (as a desktop has one),
// and on Qt's offscreen platform. The two programs take turns within each
// round, so load from elsewhere on the machine falls on both.
//   bench_startup [--rounds N] [--rows-only]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "bench_table.h"
#include "private_xvfb.h"
#include "startup_path.h"
#include "startup_run.h"
#include "window_manager.h"

namespace {

using namespace vantora::bench;

constexpr int kDefaultRounds = 41;

PairedStartups measurePair(const std::vector<std::string>& environment, int rounds) {
  return measurePairedStartups({VANTORA_EXECUTABLE}, {VANTORA_STARTUP_FLOOR}, environment, rounds);
}

void addRows(std::vector<TableRow>& rows, const std::string& where, const PairedStartups& pair) {
  for (TableRow& row : startupRows("start-up, " + where, "peak RSS", pair)) rows.push_back(std::move(row));
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
    PairedStartups bare;
    PairedStartups managed;
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
