// The usage pie painted to an image: colours on both sides of each wedge boundary.

#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <numbers>

#include "form1_fixture.h"
#include "ui/layout_table.h"
#include "ui/qt/pie_chart.h"

namespace vantora::ui::qt::testing {
namespace {

const QColor kRed(255, 0, 0), kGreen(0, 255, 0);

struct PieCase {
  const char* name;
  double element1, element2;
  double redDegrees;  // the C1 wedge, running clockwise from twelve o'clock
};

class PiePainting : public ::testing::TestWithParam<PieCase> {
 protected:
  PiePainting() : chart(nullptr) {
    chart.resize(81, 73);
    chart.setDiscRect(QRect(13, 6, 54, 54));
  }

  // The colour at `clockwiseDegrees` from twelve o'clock, well inside the rim.
  QColor colourAt(const QImage& image, double clockwiseDegrees) const {
    const QRectF disc = chart.discRect();
    const double radians = clockwiseDegrees * std::numbers::pi / 180.0;
    const double radius = disc.width() * 0.35;
    const QPointF point = disc.center() + QPointF(radius * std::sin(radians), -radius * std::cos(radians));
    return image.pixelColor((point * image.devicePixelRatio()).toPoint());
  }

  PieChart chart;
};

TEST_P(PiePainting, WedgesMeetAtTheComputedBoundary) {
  const PieCase& c = GetParam();
  chart.setData(c.element1, c.element2);
  const QImage image = chart.grab().toImage();
  constexpr double kMargin = 4;  // degrees either side of a boundary
  if (c.redDegrees > 0 && c.redDegrees < 360) {
    EXPECT_EQ(colourAt(image, kMargin), kRed);
    EXPECT_EQ(colourAt(image, c.redDegrees - kMargin), kRed);
    EXPECT_EQ(colourAt(image, c.redDegrees + kMargin), kGreen);
    EXPECT_EQ(colourAt(image, 360 - kMargin), kGreen);
  } else {
    const QColor whole = c.redDegrees >= 360 ? kRed : kGreen;
    for (double at = 0; at < 360; at += 15) EXPECT_EQ(colourAt(image, at), whole) << at;
  }
}

INSTANTIATE_TEST_SUITE_P(Data, PiePainting,
                         ::testing::Values(PieCase{"HalfUsed", 45.67, 54.33, 164.412},
                                           PieCase{"TwoThirdsUsed", 66.67, 33.33, 240.012},
                                           PieCase{"FullDrive", 100, 0, 360}, PieCase{"EmptyDrive", 0, 100, 0},
                                           PieCase{"FailedRefresh", 0, 1000, 0},
                                           PieCase{"InitialData", 1000, 24, 351.5625}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(PieChartData, ANewAssignmentReplacesTheLast) {
  PieChart chart(nullptr);
  chart.resize(81, 73);
  chart.setDiscRect(QRect(13, 6, 54, 54));
  chart.setData(100, 0);
  chart.setData(0, 100);
  const QImage image = chart.grab().toImage();
  EXPECT_EQ(image.pixelColor(chart.discRect().center() * image.devicePixelRatio()), kGreen);
}

TEST(PieChartData, NothingIsPaintedForValuesWithoutAShare) {
  PieChart chart(nullptr);
  chart.resize(81, 73);
  chart.setDiscRect(QRect(13, 6, 54, 54));
  chart.setData(std::nan(""), -1);
  const QImage image = chart.grab().toImage();
  const QColor centre = image.pixelColor(chart.discRect().center() * image.devicePixelRatio());
  EXPECT_NE(centre, kRed);
  EXPECT_NE(centre, kGreen);
}

class ChartInWindow : public Form1Fixture {};

// Labels lie beneath the controls with windows of their own: where Label20 runs
// under the chart, the chart is on top.
TEST_F(ChartInWindow, ChartCoversTheEndOfTheCreditLine) {
  makeForm();
  const QRect overlap = control("MSChart1").geometry() & control("Label20").geometry();
  ASSERT_FALSE(overlap.isEmpty());
  EXPECT_EQ(form->childAt(overlap.center()), &control("MSChart1"));
}

TEST_F(ChartInWindow, WholeDiscStaysAboveTheWindowsBottomEdge) {
  makeForm();
  const auto& chart = control<PieChart>("MSChart1");
  const QRect disc(chart.mapTo(form.get(), chart.discRect().topLeft()), chart.discRect().size());
  EXPECT_TRUE(form->rect().contains(disc)) << "disc bottom " << disc.bottom();
  EXPECT_GT(chart.geometry().bottom(), form->rect().bottom()) << "the control itself runs past the edge";
  EXPECT_TRUE(chart.geometry().contains(disc));
  EXPECT_FALSE(control("SSTab1").geometry().intersects(disc));
}

}  // namespace
}  // namespace vantora::ui::qt::testing
