#pragma once
// The usage pie's wedges, shared by both front ends. The chart knows two
// fractions, not disks: element 1 (series C1, red) and element 2 (series C2, green).

#include <array>
#include <limits>
#include <optional>

#include "ui/rgb.h"

namespace vantora::ui {

inline constexpr Rgb kSeriesC1Colour{255, 0, 0};
inline constexpr Rgb kSeriesC2Colour{0, 255, 0};

// Only a positive, finite value takes a share of the disc: zero, a negative
// value, NaN or infinity draws no wedge.
constexpr bool takesShare(double value) { return value > 0 && value <= std::numeric_limits<double>::max(); }

// 360 degrees x value / (value + other), counting only values that take a share.
constexpr double wedgeDegrees(double value, double other) {
  if (!takesShare(value)) return 0;
  const double rest = takesShare(other) ? other : 0;
  // Halving both keeps the sum of two huge values finite; the ratio is unchanged.
  const double share = value + rest <= std::numeric_limits<double>::max() ? value / (value + rest)
                                                                           : (value / 2) / (value / 2 + rest / 2);
  return 360.0 * share;
}

// Angles in degrees, counter-clockwise from three o'clock (the convention of
// QPainter::drawPie and GDI's AngleArc); a negative sweep runs clockwise.
struct PieWedge {
  double startDegrees = 0;
  double sweepDegrees = 0;
  friend constexpr bool operator==(const PieWedge&, const PieWedge&) = default;
};

// The two wedges, C1 first, running clockwise from twelve o'clock.
constexpr std::array<std::optional<PieWedge>, 2> pieWedges(double element1, double element2) {
  const double first = wedgeDegrees(element1, element2);
  const double second = wedgeDegrees(element2, element1);
  std::array<std::optional<PieWedge>, 2> wedges{};
  if (first > 0) wedges[0] = PieWedge{90.0, -first};
  if (second > 0) wedges[1] = PieWedge{90.0 - first, -second};
  return wedges;
}

}  // namespace vantora::ui
