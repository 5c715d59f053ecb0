#include "bench_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace vantora::bench {
namespace {

// Column widths in characters.
constexpr int kFigureWidth = 52;
constexpr int kNumberWidth = 11;
constexpr int kTargetWidth = 19;

std::string number(double value) {
  char text[32];
  if (value >= 100 || (value == static_cast<long long>(value) && value < 1e6)) std::snprintf(text, sizeof text, "%.0f", value);
  else if (value >= 10) std::snprintf(text, sizeof text, "%.1f", value);
  else std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// Pads to `width` columns counting UTF-8 characters, not bytes.
std::string padded(const std::string& text, int width) {
  int columns = 0;
  for (unsigned char c : text) columns += (c & 0xC0) != 0x80 ? 1 : 0;
  return text + std::string(static_cast<std::size_t>(std::max(0, width - columns)), ' ');
}

}  // namespace

double median(std::vector<double> samples) {
  if (samples.empty()) return 0;
  const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
  std::nth_element(samples.begin(), middle, samples.end());
  if (samples.size() % 2 == 1) return *middle;
  const double upper = *middle;
  const double lower = *std::max_element(samples.begin(), middle);
  return (lower + upper) / 2;
}

void printTable(const std::vector<TableRow>& rows, bool withHeader) {
  if (withHeader) {
    std::printf("%s%s%s%s%s%s\n", padded("figure", kFigureWidth).c_str(), padded("measured", kNumberWidth + 5).c_str(),
                padded("floor", kNumberWidth + 5).c_str(), padded("ratio", 8).c_str(),
                padded("target", kTargetWidth).c_str(), "verdict");
  }
  for (const TableRow& row : rows) {
    const std::string value = row.value ? number(*row.value) + " " + row.unit : "-";
    const std::string floor = row.floor ? number(*row.floor) + " " + row.unit : "-";
    char ratio[16] = "-";
    if (row.value && row.floor && *row.floor > 0) std::snprintf(ratio, sizeof ratio, "%.2f", *row.value / *row.floor);
    const std::string verdict = !row.met ? "" : *row.met ? "met" : "MISSED";
    std::string line = padded(row.figure, kFigureWidth) + padded(value, kNumberWidth + 5) +
                       padded(floor, kNumberWidth + 5) + padded(ratio, 8) + padded(row.target, kTargetWidth) + verdict;
    if (!row.note.empty()) line += (verdict.empty() ? "" : "  ") + row.note;
    std::printf("%s\n", line.c_str());
  }
  std::fflush(stdout);
}

bool takeRowsOnlyFlag(int& argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--rows-only") == 0) {
      std::copy(argv + i + 1, argv + argc + 1, argv + i);
      --argc;
      return true;
    }
  }
  return false;
}

}  // namespace vantora::bench
