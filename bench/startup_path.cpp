#include "startup_path.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "marking_child.h"

namespace vantora::bench {
namespace {

constexpr int kStraceExitMs = 5'000;

// The quoted path of an open in an strace line, empty for other lines.
std::string openedPath(const std::string& line) {
  const std::size_t call = line.find("open");
  if (call == std::string::npos || line.find("resumed>") != std::string::npos) return {};
  const std::size_t open = line.find('"', call);
  const std::size_t close = open == std::string::npos ? std::string::npos : line.find('"', open + 1);
  if (close == std::string::npos) return {};
  return line.substr(open + 1, close - open - 1);
}

bool isMountTable(const std::string& path) {
  return path.ends_with("/mountinfo") || path == "/proc/mounts" || path.ends_with("/mounts");
}

bool isFontFile(std::string path) {
  std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return std::tolower(c); });
  for (const char* extension : {".ttf", ".otf", ".ttc", ".otc", ".pfb", ".pfa"}) {
    if (path.ends_with(extension)) return true;
  }
  return false;
}

bool isBlockDevice(const std::string& path) {
  struct stat info {};
  return path.starts_with("/dev/") && ::stat(path.c_str(), &info) == 0 && S_ISBLK(info.st_mode);
}

// The process strace started: the one whose parent it is.
pid_t childOf(pid_t parent) {
  std::error_code error;
  for (std::filesystem::directory_iterator it("/proc", error), end; !error && it != end; it.increment(error)) {
    std::ifstream stat(it->path() / "stat");
    std::string text;
    std::getline(stat, text);
    // "pid (name) state ppid ...": the name may hold anything but ends at the last ')'.
    const std::size_t nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos) continue;
    std::istringstream fields(text.substr(nameEnd + 1));
    std::string state;
    pid_t ppid = 0;
    if (fields >> state >> ppid && ppid == parent) return static_cast<pid_t>(std::stol(text));
  }
  return 0;
}

}  // namespace

StartupPath startupPathOf(const std::string& straceLog) {
  StartupPath path;
  std::set<std::string> blockDevices;
  std::map<std::string, int> fontOpens;
  std::istringstream lines(straceLog);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("write(2, \"first-frame") != std::string::npos) break;
    const std::string opened = openedPath(line);
    if (opened.empty()) continue;
    if (isMountTable(opened)) ++path.mountTableReads;
    if (isBlockDevice(opened)) blockDevices.insert(opened);
    if (isFontFile(opened)) ++fontOpens[opened];
  }
  path.blockDevicesOpened = static_cast<int>(blockDevices.size());
  path.fontFilesOpenedAgain =
      static_cast<int>(std::count_if(fontOpens.begin(), fontOpens.end(), [](const auto& font) { return font.second > 1; }));
  return path;
}

std::optional<StartupPath> traceStartupPath(const std::string& program, const std::vector<std::string>& environment,
                                            std::string& problem) {
  char logFile[] = "/tmp/vantora-strace-XXXXXX";
  const int logFd = ::mkstemp(logFile);
  if (logFd < 0) {
    problem = "cannot make a log file";
    return std::nullopt;
  }
  ::close(logFd);
  std::optional<StartupPath> path;
  {
    auto strace = MarkingChild::start({"strace", "-f", "-qq", "-e", "trace=openat,open,write", "-o", logFile, program},
                                      environment, problem);
    if (strace && strace->waitForMark(problem)) {
      // Ending the program lets strace finish its log and leave by itself.
      if (const pid_t traced = childOf(strace->pid()); traced > 0) ::kill(traced, SIGKILL);
      strace->awaitExit(kStraceExitMs);
      std::ifstream log(logFile);
      std::ostringstream text;
      text << log.rdbuf();
      path = startupPathOf(text.str());
    } else if (strace) {
      problem = "under strace, " + program + " " + problem;
    } else {
      problem = "cannot run strace (package strace)";
    }
  }
  std::error_code ignored;
  std::filesystem::remove(logFile, ignored);
  return path;
}

}  // namespace vantora::bench
