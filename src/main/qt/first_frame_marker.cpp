#include "main/qt/first_frame_marker.h"

#include <unistd.h>

#include <QEvent>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>

namespace vantora::startup {
namespace {

// Field 22 of /proc/self/stat: the start time in clock ticks after boot (one
// tick is 10 ms on most kernels, so a start-up measurement that needs better
// takes the absolute time of the mark instead). The command name before it may
// hold spaces and parentheses, so fields are counted from the last ')'.
std::optional<double> processStartSecondsAfterBoot() {
  std::ifstream file("/proc/self/stat");
  const std::string stat{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  const auto nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return std::nullopt;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string field;
  constexpr int kStartTimeAfterName = 20;  // field 3 is the first after the name
  for (int i = 0; i < kStartTimeAfterName && fields >> field; ++i) {
  }
  const long ticksPerSecond = sysconf(_SC_CLK_TCK);
  if (!fields || ticksPerSecond <= 0) return std::nullopt;
  return std::stod(field) / static_cast<double>(ticksPerSecond);
}

double secondsAfterBoot() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Milliseconds since the kernel started this process (before the loader ran),
// or since the first call where that time cannot be read.
double millisecondsSinceProcessStart() {
  static const std::optional<double> start = processStartSecondsAfterBoot();
  static const double fallbackStart = secondsAfterBoot();
  return (secondsAfterBoot() - start.value_or(fallbackStart)) * 1000.0;
}

void printFirstFrameMark() {
  const double sinceStart = millisecondsSinceProcessStart();
  std::fprintf(stderr, "first-frame %.1f at %.6f\n", sinceStart, secondsAfterBoot());
}

}  // namespace

FirstFrameMarker::FirstFrameMarker(QWidget& window) : window_(window) { window_.installEventFilter(this); }

bool FirstFrameMarker::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Paint) {
    window_.removeEventFilter(this);
    // The window and its children are painted and flushed to the screen in this
    // same pass; a zero timer fires once that pass is over.
    QTimer::singleShot(0, this, printFirstFrameMark);
  }
  return false;
}

std::unique_ptr<FirstFrameMarker> firstFrameMarkerIfAsked(QWidget& window) {
  if (!qEnvironmentVariableIsSet("VANTORA_MARK_FIRST_FRAME")) return nullptr;
  return std::make_unique<FirstFrameMarker>(window);
}

}  // namespace vantora::startup
