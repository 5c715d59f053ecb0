#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <limits>

#include "driveinfo/number_format.h"
#include "driveinfo/refresh_steps.h"
#include "refresh_fixture.h"

namespace vantora::testing {
namespace {

struct UsageCase {
  const char* name;
  std::uint64_t freeBytes;
  std::uint64_t totalBytes;
  const char* text1;
  const char* text2;
  const char* label4;
  ChartData chart;
};

class Usage : public RefreshTest, public ::testing::WithParamInterface<UsageCase> {};

TEST_P(Usage, ShowsTheRoundedFiguresAndChartsExactlyThose) {
  const UsageCase& c = GetParam();
  system.drives["c:\\"].freeBytesToCaller = c.freeBytes;
  system.drives["c:\\"].totalBytes = c.totalBytes;
  EXPECT_EQ(refresh("c:\\"), RefreshEnd::Normal);
  EXPECT_EQ(form.Text1.text, c.text1);
  EXPECT_EQ(form.Text2.text, c.text2);
  EXPECT_EQ(form.Label4.caption(), c.label4);
  EXPECT_EQ(form.MSChart1, c.chart);
}

INSTANTIATE_TEST_SUITE_P(
    Drives, Usage,
    ::testing::Values(UsageCase{"full", 0, 500, "0.", "100", "100 %", {100, 0}},
                      UsageCase{"empty", 500, 500, "100.", "0", "0 %", {0, 100}},
                      UsageCase{"third_free", 1, 3, "33.33", "66.67", "66.67 %", {66.67, 33.33}},
                      UsageCase{"fifty_four_free", 54'333'333, 100'000'000, "54.33", "45.67", "45.67 %",
                                {45.67, 54.33}},
                      UsageCase{"difference_exact_to_the_hundredth", 9'179, 10'000, "91.79", "8.21", "8.21 %",
                                {8.21, 91.79}},
                      UsageCase{"largest_counts", std::numeric_limits<std::uint64_t>::max(),
                                std::numeric_limits<std::uint64_t>::max(), "100.", "0", "0 %", {0, 100}},
                      UsageCase{"more_free_than_total_as_reported", 3, 2, "150.", "-50", "-50 %", {-50, 150}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(RefreshTest, ZeroTotalTakesTheFailurePathAndKeepsTheWorkingFields) {
  refresh("c:\\");
  system.drives["c:\\"].totalBytes = 0;
  system.drives["c:\\"].freeBytesToCaller = 0;
  EXPECT_EQ(refresh("c:\\"), RefreshEnd::Failure);
  EXPECT_EQ(form.lbSou(1).caption(), "0 (0.MB)") << "zero counts are shown, not a failure";
  EXPECT_EQ(form.Text1.text, "45.67");
  EXPECT_EQ(form.Text2.text, "54.33");
  EXPECT_EQ(form.Label4.caption(), "----");
  EXPECT_EQ(form.MSChart1, ChartData(0, 1000));
}

TEST_F(RefreshTest, QuotaLimitedFreeSpaceIsWhatTheCallerMayUse) {
  system.drives["c:\\"].freeBytesToCaller = 25'000'000;
  system.drives["c:\\"].totalFreeBytes = 60'000'000;
  refresh("c:\\");
  EXPECT_EQ(form.lbAki(2).caption(), "25,000,000 (25.MB)");
  EXPECT_EQ(form.Text1.text, "25.");
}

TEST_F(RefreshTest, HugeNetworkVolumeIsShownExactlyInsteadOfOverflowing) {
  system.drives["c:\\"].freeBytesToCaller = std::numeric_limits<std::uint64_t>::max();
  system.drives["c:\\"].totalBytes = std::numeric_limits<std::uint64_t>::max();
  EXPECT_EQ(refresh("c:\\"), RefreshEnd::Normal);
  EXPECT_EQ(form.lbSou(1).caption(), "18,446,744,073,709,551,615 (18,446,744,073,709.55MB)");
}

TEST_F(RefreshTest, FiguresFollowTheUsersSeparators) {
  system.separators = {".", ","};
  system.drives["c:\\"].freeBytesToCaller = 1'234'567'890;
  system.drives["c:\\"].totalBytes = 2'000'000'000;
  refresh("c:\\");
  EXPECT_EQ(form.lbAki(2).caption(), "1.234.567.890 (1.234,57MB)");
  EXPECT_EQ(form.Text1.text, "61,73");
  EXPECT_EQ(form.Text2.text, "38,27");
  EXPECT_EQ(form.Label4.caption(), "38,27 %");
  EXPECT_EQ(form.MSChart1, ChartData(38.27, 61.73));
}

TEST(CapacityText, CountThenMegabytes) {
  const NumberSeparators english;
  EXPECT_EQ(capacityText(0, english), "0 (0.MB)");
  EXPECT_EQ(capacityText(999, english), "999 (0.MB)");
  EXPECT_EQ(capacityText(1'000'000, english), "1,000,000 (1.MB)");
  EXPECT_EQ(capacityText(922'337'203'685'478, english), "922,337,203,685,478 (922,337,203.69MB)");
}

// Every free percentage a window can show: the used share is the exact
// complement, never a binary remainder like 8.20999999999999.
TEST(UsageComplement, EveryHundredthAddsUpToExactlyOneHundred) {
  const NumberSeparators english;
  for (int hundredths = 0; hundredths <= 10'000; ++hundredths) {
    Form1Model form;
    // 10,000 bytes in all, so free bytes are exactly the hundredths of a percent.
    showUsage(form, static_cast<std::uint64_t>(hundredths), 10'000, english);
    const auto text1 = parseHundredths(form.Text1.text, english);
    const auto text2 = parseHundredths(form.Text2.text, english);
    ASSERT_TRUE(text1 && text2) << form.Text1.text << " / " << form.Text2.text;
    EXPECT_EQ(text1->value, hundredths);
    EXPECT_EQ(text1->value + text2->value, 10'000) << form.Text1.text << " + " << form.Text2.text;
    EXPECT_EQ(form.Label4.caption(), form.Text2.text + " %");
    EXPECT_DOUBLE_EQ(form.MSChart1(1) + form.MSChart1(2), 100.0);
  }
}

}  // namespace
}  // namespace vantora::testing
