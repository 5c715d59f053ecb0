#include "ui/pie_geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vantora::ui {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

struct WedgeCase {
  const char* name;
  double element1, element2;
  double degrees1, degrees2;
};

class WedgeAngles : public ::testing::TestWithParam<WedgeCase> {};

TEST_P(WedgeAngles, ShareTheCircleByRatio) {
  const WedgeCase& c = GetParam();
  EXPECT_NEAR(wedgeDegrees(c.element1, c.element2), c.degrees1, 1e-9);
  EXPECT_NEAR(wedgeDegrees(c.element2, c.element1), c.degrees2, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WedgeAngles,
    ::testing::Values(WedgeCase{"HalfUsed", 45.67, 54.33, 164.412, 195.588},
                      WedgeCase{"TwoThirdsUsed", 66.67, 33.33, 240.012, 119.988},
                      WedgeCase{"FullDrive", 100, 0, 360, 0}, WedgeCase{"EmptyDrive", 0, 100, 0, 360},
                      WedgeCase{"FailedRefresh", 0, 1000, 0, 360}, WedgeCase{"InitialData", 1000, 24, 351.5625, 8.4375},
                      WedgeCase{"BothZero", 0, 0, 0, 0}, WedgeCase{"NegativeIsNoWedge", -5, 10, 0, 360},
                      WedgeCase{"NaNIsNoWedge", kNaN, 10, 0, 360}, WedgeCase{"InfinityIsNoWedge", kInfinity, 10, 0, 360},
                      WedgeCase{"HugeValuesKeepTheirRatio", 1.5e308, 1.5e308, 180, 180}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(PieWedges, RunClockwiseFromTwelveOClockWithC1First) {
  const auto wedges = pieWedges(45.67, 54.33);
  ASSERT_TRUE(wedges[0] && wedges[1]);
  EXPECT_DOUBLE_EQ(wedges[0]->startDegrees, 90);
  EXPECT_NEAR(wedges[0]->sweepDegrees, -164.412, 1e-9);
  EXPECT_NEAR(wedges[1]->startDegrees, 90 - 164.412, 1e-9);
  EXPECT_NEAR(wedges[1]->sweepDegrees, -195.588, 1e-9);
}

TEST(PieWedges, AZeroShareDrawsNoWedge) {
  const auto failed = pieWedges(0, 1000);
  EXPECT_FALSE(failed[0]);
  ASSERT_TRUE(failed[1]);
  EXPECT_DOUBLE_EQ(failed[1]->sweepDegrees, -360);

  const auto nothing = pieWedges(kNaN, -1);
  EXPECT_FALSE(nothing[0]);
  EXPECT_FALSE(nothing[1]);
}

}  // namespace
}  // namespace vantora::ui
