// bench_win: the size of Vantora.exe and the DLLs it imports, and its start-up
// under wine on a private Xvfb (exec to first painted frame, peak working
// set), against a floor program of Form1's shape made of stock controls
// (win_floor.cpp), built here with the same cross compiler and flags. Runs
// only where the Windows build exists (build/win64-release, made by
// scripts/test and scripts/package).
//   bench_win [--rounds N] [--rows-only]

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bench_table.h"
#include "private_xvfb.h"
#include "startup_run.h"
#include "support/child_process.h"
#include "wine_session.h"

namespace {

using namespace vantora::bench;
namespace fs = std::filesystem;

constexpr const char* kObjdump = "x86_64-w64-mingw32-objdump";
constexpr const char* kCompiler = "x86_64-w64-mingw32-g++-posix";
constexpr const char* kResourceCompiler = "x86_64-w64-mingw32-windres";
constexpr int kDefaultRounds = 41;

// DLLs every Windows installation has; anything else would have to ship beside Vantora.exe.
const std::set<std::string> kWindowsDlls = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll",   "imm32.dll",  "kernel32.dll",
    "mpr.dll",      "msvcrt.dll",   "ntdll.dll",    "ole32.dll",   "oleaut32.dll", "shell32.dll",
    "shlwapi.dll",  "ucrtbase.dll", "user32.dll",   "uxtheme.dll", "version.dll", "dwmapi.dll",
    "shcore.dll",   "ws2_32.dll",   "bcrypt.dll",   "winmm.dll"};

std::string lowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

struct PeFacts {
  double fileKiB = 0;
  double imageKiB = 0;  // SizeOfImage: what Windows maps
  std::vector<std::string> dlls;
};

std::optional<PeFacts> inspect(const fs::path& executable) {
  const vantora::testing::CommandResult dump = vantora::testing::runCommand({kObjdump, "-p", executable.string()});
  if (dump.status != 0) return std::nullopt;
  PeFacts facts;
  std::error_code error;
  facts.fileKiB = static_cast<double>(fs::file_size(executable, error)) / 1024.0;
  std::size_t at = 0;
  while ((at = dump.output.find("DLL Name: ", at)) != std::string::npos) {
    at += 10;
    facts.dlls.push_back(lowerCase(dump.output.substr(at, dump.output.find('\n', at) - at)));
  }
  if (const std::size_t image = dump.output.find("SizeOfImage"); image != std::string::npos) {
    facts.imageKiB = static_cast<double>(std::stoul(dump.output.substr(dump.output.find_first_of("0123456789abcdef", image + 11)),
                                                    nullptr, 16)) /
                     1024.0;
  }
  return facts;
}

std::string joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : " ") + name;
  return text;
}

// Both programs started in turns under wine; the mark ends the frame (see first_frame_mark_win.h).
std::vector<TableRow> startupRows(const fs::path& exe, const fs::path& floorExe, int rounds) {
  std::string problem;
  PairedStartups pair;
  const auto xvfb = PrivateXvfb::start(problem);
  const auto wine = xvfb ? WineSession::start(VANTORA_SOURCE_DIR, xvfb->display(), problem) : std::nullopt;
  if (wine) {
    pair = measurePairedStartups({"wine", exe.string()}, {"wine", floorExe.string()}, wine->environment(), rounds);
  } else {
    pair.problem = problem;
  }
  return startupRows("start-up, Vantora.exe (wine)", "peak working set", pair);
}

}  // namespace

int main(int argc, char** argv) {
  const bool rowsOnly = takeRowsOnlyFlag(argc, argv);
  int rounds = kDefaultRounds;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--rounds") == 0) rounds = std::max(1, std::atoi(argv[i + 1]));
  }
  std::vector<TableRow> rows;
  const fs::path exe = VANTORA_WIN_EXE;
  const fs::path floorExe = fs::path(VANTORA_BENCH_DIR) / "win_floor.exe";

  std::optional<PeFacts> vantora;
  if (fs::exists(exe)) vantora = inspect(exe);
  if (!vantora) {
    rows.push_back({"Vantora.exe", std::nullopt, std::nullopt, "", "", std::nullopt,
                    "not measured: no Windows build at " + exe.string() + " (scripts/test makes it)"});
    printTable(rows, !rowsOnly);
    return 0;
  }
  // The flags of the win64-release preset: release optimisation, everything static, no symbols.
  const fs::path floorResources = fs::path(VANTORA_BENCH_DIR) / "win_floor_rc.o";
  const bool floorBuilt =
      vantora::testing::runCommand({kResourceCompiler, "-I", std::string(VANTORA_SOURCE_DIR) + "/src/main/win32",
                                    VANTORA_WIN_FLOOR_RESOURCES, "-o", floorResources.string()})
              .status == 0 &&
      vantora::testing::runCommand({kCompiler, "-std=c++20", "-O3", "-DNDEBUG", "-static", "-s", "-municode",
                                    "-mwindows", "-I", std::string(VANTORA_SOURCE_DIR) + "/src",
                                    VANTORA_WIN_FLOOR_SOURCE, VANTORA_WIN_MARK_SOURCE, floorResources.string(), "-o",
                                    floorExe.string(), "-lcomctl32"})
              .status == 0;
  const std::optional<PeFacts> floor = floorBuilt ? inspect(floorExe) : std::nullopt;
  const std::string floorNote = floor ? "" : "floor not built (" + std::string(kCompiler) + ")";
  const auto ofFloor = [&](double PeFacts::*field) { return floor ? std::optional<double>((*floor).*field) : std::nullopt; };

  rows.push_back({"Vantora.exe file size", vantora->fileKiB, ofFloor(&PeFacts::fileKiB), "KiB", "", std::nullopt,
                  floorNote});
  rows.push_back({"Vantora.exe mapped image (SizeOfImage)", vantora->imageKiB, ofFloor(&PeFacts::imageKiB), "KiB", "",
                  std::nullopt, floorNote});
  std::vector<std::string> foreign;
  for (const std::string& dll : vantora->dlls) {
    if (!kWindowsDlls.contains(dll)) foreign.push_back(dll);
  }
  const std::optional<double> floorDlls =
      floor ? std::optional<double>(static_cast<double>(floor->dlls.size())) : std::nullopt;
  rows.push_back({"Vantora.exe imported DLLs", static_cast<double>(vantora->dlls.size()), floorDlls, "DLLs", "Windows' own only", foreign.empty(),
                  foreign.empty() ? joined(vantora->dlls) : "not Windows': " + joined(foreign)});
  if (floor) {
    for (TableRow& row : startupRows(exe, floorExe, rounds)) rows.push_back(std::move(row));
  } else {
    rows.push_back({"start-up, Vantora.exe (wine)", std::nullopt, std::nullopt, "", "", std::nullopt, floorNote});
  }
  printTable(rows, !rowsOnly);
  return 0;
}
