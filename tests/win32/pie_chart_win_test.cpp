#include "ui/win32/pie_chart_win.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

namespace vantora::ui::win32 {
namespace {

constexpr RECT kDisc{6, 6, 60, 60};

// The direction of a radial point from the disc's centre, in degrees counter-clockwise from three o'clock.
double directionOf(POINT point) {
  const double dx = point.x - (kDisc.left + kDisc.right) / 2.0;
  const double dy = (kDisc.top + kDisc.bottom) / 2.0 - point.y;
  const double degrees = std::atan2(dy, dx) * 180.0 / std::numbers::pi;
  return degrees < 0 ? degrees + 360.0 : degrees;
}

TEST(WedgeStroke, TwoWedgesRunClockwiseFromTwelveOClock) {
  // 45.67 used, 54.33 free: red 164.412 degrees from twelve o'clock, then green.
  const auto wedges = pieWedges(45.67, 54.33);
  const WedgeStroke used = wedgeStroke(wedges[0], kDisc);
  const WedgeStroke free = wedgeStroke(wedges[1], kDisc);
  ASSERT_EQ(used.kind, WedgeStroke::Kind::Pie);
  ASSERT_EQ(free.kind, WedgeStroke::Kind::Pie);
  // GDI draws counter-clockwise from `from` to `to`.
  EXPECT_NEAR(directionOf(used.from), 90.0 - 164.412 + 360.0, 0.01);
  EXPECT_NEAR(directionOf(used.to), 90.0, 0.01);
  EXPECT_NEAR(directionOf(free.from), 90.0, 0.01);
  EXPECT_NEAR(directionOf(free.to), 90.0 - 164.412 + 360.0, 0.01);
}

TEST(WedgeStroke, WholeDiscsAndMissingWedges) {
  struct Case {
    const char* name;
    double used, free;
    WedgeStroke::Kind first, second;
  };
  using enum WedgeStroke::Kind;
  for (const Case& c : {
           Case{"empty drive", 0, 100, Nothing, WholeDisc},
           Case{"full drive", 100, 0, WholeDisc, Nothing},
           Case{"failure path", 0, 1000, Nothing, WholeDisc},
           Case{"negative value", -5, 100, Nothing, WholeDisc},
           Case{"NaN", std::numeric_limits<double>::quiet_NaN(), 100, Nothing, WholeDisc},
           Case{"both zero", 0, 0, Nothing, Nothing},
           // A sliver far thinner than a pixel: GDI would draw a whole disc for two equal radials.
           Case{"sliver", 1e-9, 100, Nothing, WholeDisc},
       }) {
    const auto wedges = pieWedges(c.used, c.free);
    EXPECT_EQ(wedgeStroke(wedges[0], kDisc).kind, c.first) << c.name;
    EXPECT_EQ(wedgeStroke(wedges[1], kDisc).kind, c.second) << c.name;
  }
}

TEST(WedgeStroke, NarrowWedgesKeepDistinctRadials) {
  for (double used : {0.02, 0.1, 1.0, 99.0, 99.9}) {
    const auto wedges = pieWedges(used, 100 - used);
    for (const auto& wedge : wedges) {
      const WedgeStroke stroke = wedgeStroke(wedge, kDisc);
      ASSERT_EQ(stroke.kind, WedgeStroke::Kind::Pie) << used;
      EXPECT_FALSE(stroke.from.x == stroke.to.x && stroke.from.y == stroke.to.y) << used;
    }
  }
}

TEST(ChartName, NamesEachShareAsTheWindowShowsPercentages) {
  struct Case {
    const char* name;
    double used, free;
    std::string expected;
  };
  for (const Case& c : {
           Case{"refresh", 45.67, 54.33, "使用 45.67 %、空き 54.33 %"},
           Case{"whole numbers", 75, 25, "使用 75 %、空き 25 %"},
           Case{"empty drive", 0, 100, "使用 0 %、空き 100 %"},
           Case{"full drive", 100, 0, "使用 100 %、空き 0 %"},
           // Only the ratio counts, as in the drawing.
           Case{"failure path", 0, 1000, "使用 0 %、空き 100 %"},
           Case{"thirds", 1, 2, "使用 33.33 %、空き 66.67 %"},
           Case{"both zero draws nothing", 0, 0, ""},
           Case{"negative draws nothing", -5, 100, ""},
           Case{"NaN draws nothing", std::numeric_limits<double>::quiet_NaN(), 100, ""},
       }) {
    EXPECT_EQ(chartName(c.used, c.free), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace vantora::ui::win32
