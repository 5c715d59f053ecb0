#include "driveinfo/number_format.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <ostream>
#include <limits>
#include <stdexcept>
#include <vector>

namespace vantora {
namespace {

const NumberSeparators kEnglish{",", "."};
const NumberSeparators kGerman{".", ","};
const NumberSeparators kFrench{"\u202F", ","};  // narrow no-break space, several bytes
const NumberSeparators kPashto{"\u066C", "\u066B"};  // Arabic thousands and decimal separators
const NumberSeparators kFourBytes{"\U0001D7CE", "\U0001D7CF"};  // the longest a UTF-8 separator can be

struct DecimalCase {
  const char* name;
  double value;
  const char* grouped;  // "#,##0.##"
  const char* plain;    // "##0.##"
};

class TwoDecimals : public ::testing::TestWithParam<DecimalCase> {};

TEST_P(TwoDecimals, FormatsAsAPersonWouldWriteIt) {
  const DecimalCase& c = GetParam();
  EXPECT_EQ(formatTwoDecimals(c.value, Grouping::Grouped, kEnglish), c.grouped);
  EXPECT_EQ(formatTwoDecimals(c.value, Grouping::Plain, kEnglish), c.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Values, TwoDecimals,
    ::testing::Values(DecimalCase{"zero", 0, "0.", "0."},
                      DecimalCase{"rounds_to_two_places", 12.3456, "12.35", "12.35"},
                      DecimalCase{"drops_trailing_zero", 12.5, "12.5", "12.5"},
                      DecimalCase{"whole_keeps_separator", 100, "100.", "100."},
                      DecimalCase{"one_million", 1e6, "1,000,000.", "1000000."},
                      DecimalCase{"decimal_half_up_binary_below_0125", 0.125, "0.13", "0.13"},
                      DecimalCase{"decimal_half_up_binary_below_1005", 1.005, "1.01", "1.01"},
                      DecimalCase{"decimal_half_up_binary_below_2675", 2.675, "2.68", "2.68"},
                      DecimalCase{"tiny_rounds_up_to_a_hundredth", 0.005, "0.01", "0.01"},
                      DecimalCase{"tiny_rounds_down_to_zero", 0.0049, "0.", "0."},
                      DecimalCase{"far_below_a_hundredth", 1e-9, "0.", "0."},
                      DecimalCase{"carry_into_whole", 99.995, "100.", "100."},
                      DecimalCase{"carry_into_new_digit", 999.999, "1,000.", "1000."},
                      DecimalCase{"negative", -12.345, "-12.35", "-12.35"},
                      DecimalCase{"negative_rounding_to_zero_has_no_sign", -0.001, "0.", "0."},
                      DecimalCase{"beyond_fifteen_digits", 1.8446744073709552e19,
                                  "18,446,744,073,709,600,000.", "18446744073709600000."}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(TwoDecimals, RefusesWhatIsNotANumber) {
  EXPECT_THROW(formatTwoDecimals(std::numeric_limits<double>::quiet_NaN(), Grouping::Plain, kEnglish),
               std::domain_error);
  EXPECT_THROW(formatTwoDecimals(std::numeric_limits<double>::infinity(), Grouping::Plain, kEnglish),
               std::domain_error);
}

// The process locale (which a toolkit sets from the environment) must not
// change a digit, whatever the length of its own separators; the window's
// separators are passed in.
struct LocaleCase {
  const char* name;
  std::vector<const char*> locales;  // its names on Linux and in the Windows C runtime
  NumberSeparators separators;
  const char* grouped;  // 1234567.891 as "#,##0.##"
  const char* general;  // 45.67
  friend void PrintTo(const LocaleCase& c, std::ostream* out) { *out << c.name; }
};

class UnderProcessLocale : public ::testing::TestWithParam<LocaleCase> {
 protected:
  void SetUp() override {
    for (const char* locale : GetParam().locales) {
      if (std::setlocale(LC_ALL, locale)) return;
    }
    GTEST_SKIP() << GetParam().locales.front() << " is not installed";
  }
  void TearDown() override { std::setlocale(LC_ALL, "C"); }
};

TEST_P(UnderProcessLocale, EveryFormIsExact) {
  const LocaleCase& c = GetParam();
  EXPECT_EQ(formatTwoDecimals(1234567.891, Grouping::Grouped, c.separators), c.grouped);
  EXPECT_EQ(formatGeneral({4567}, c.separators), c.general);
  EXPECT_EQ(formatCount(1'000'000, c.separators), "1" + c.separators.group + "000" + c.separators.group + "000");
  EXPECT_EQ(formatMillions(1'005'000, c.separators), "1" + c.separators.decimal + "01");
  EXPECT_EQ(formatTwoDecimals(2.675, Grouping::Plain, c.separators), "2" + c.separators.decimal + "68");
  EXPECT_EQ(parseHundredths(c.general, c.separators), Hundredths{4567});
  EXPECT_DOUBLE_EQ(parseNumber(c.grouped, c.separators).value_or(0), 1234567.89);
}

const std::vector<const char*> kPashtoLocale{"ps_AF.UTF-8", "Pashto_Afghanistan.1256"};

INSTANTIATE_TEST_SUITE_P(
    Locales, UnderProcessLocale,
    ::testing::Values(
        LocaleCase{"pashto", kPashtoLocale, kPashto, "1\u066C234\u066C567\u066B89", "45\u066B67"},
        LocaleCase{"french", {"fr_FR.UTF-8", "French_France.1252"}, kFrench, "1\u202F234\u202F567,89", "45,67"},
        LocaleCase{"german", {"de_DE.UTF-8", "German_Germany.1252"}, kGerman, "1.234.567,89", "45,67"},
        LocaleCase{"english_under_pashto", kPashtoLocale, kEnglish, "1,234,567.89", "45.67"},
        LocaleCase{"four_byte_separators", kPashtoLocale, kFourBytes, "1\U0001D7CE234\U0001D7CE567\U0001D7CF89",
                   "45\U0001D7CF67"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(TwoDecimals, UsesTheLocaleSeparators) {
  EXPECT_EQ(formatTwoDecimals(1234567.891, Grouping::Grouped, kGerman), "1.234.567,89");
  EXPECT_EQ(formatTwoDecimals(100, Grouping::Plain, kGerman), "100,");
  EXPECT_EQ(formatTwoDecimals(1234.5, Grouping::Grouped, kFrench), "1\u202F234,5");
}

TEST(Counts, AreExactForEverySixtyFourBitValue) {
  EXPECT_EQ(formatCount(0, kEnglish), "0");
  EXPECT_EQ(formatCount(999, kEnglish), "999");
  EXPECT_EQ(formatCount(1000, kEnglish), "1,000");
  EXPECT_EQ(formatCount(1'000'000, kEnglish), "1,000,000");
  EXPECT_EQ(formatCount(922'337'203'685'478, kEnglish), "922,337,203,685,478");
  EXPECT_EQ(formatCount(std::numeric_limits<std::uint64_t>::max(), kEnglish), "18,446,744,073,709,551,615");
  EXPECT_EQ(formatCount(std::numeric_limits<std::uint64_t>::max(), kGerman), "18.446.744.073.709.551.615");
}

TEST(Millions, AreRoundedHalfAwayFromTheExactQuotient) {
  EXPECT_EQ(formatMillions(0, kEnglish), "0.");
  EXPECT_EQ(formatMillions(999, kEnglish), "0.");
  EXPECT_EQ(formatMillions(1'000'000, kEnglish), "1.");
  EXPECT_EQ(formatMillions(1'004'999, kEnglish), "1.");
  EXPECT_EQ(formatMillions(1'005'000, kEnglish), "1.01");
  EXPECT_EQ(formatMillions(1'234'567'890'123, kEnglish), "1,234,567.89");
  EXPECT_EQ(formatMillions(std::numeric_limits<std::uint64_t>::max(), kEnglish), "18,446,744,073,709.55");
  EXPECT_EQ(formatMillions(std::numeric_limits<std::uint64_t>::max(), kGerman), "18.446.744.073.709,55");
}

TEST(General, HasNoGroupingNoTrailingZerosAndNoBareSeparator) {
  EXPECT_EQ(formatGeneral({4567}, kEnglish), "45.67");
  EXPECT_EQ(formatGeneral({10000}, kEnglish), "100");
  EXPECT_EQ(formatGeneral({0}, kEnglish), "0");
  EXPECT_EQ(formatGeneral({821}, kEnglish), "8.21");
  EXPECT_EQ(formatGeneral({850}, kEnglish), "8.5");
  EXPECT_EQ(formatGeneral({-5000}, kEnglish), "-50");
  EXPECT_EQ(formatGeneral({-1}, kEnglish), "-0.01");
  EXPECT_EQ(formatGeneral({123456789}, kEnglish), "1234567.89");
  EXPECT_EQ(formatGeneral({4567}, kGerman), "45,67");
  EXPECT_EQ(formatGeneral({std::numeric_limits<std::int64_t>::min()}, kEnglish), "-92233720368547758.08");
}

TEST(Parsing, ReadsBackWhatTheFormattersWrite) {
  for (const NumberSeparators& separators : {kEnglish, kGerman, kFrench}) {
    for (double value : {0.0, 12.35, 100.0, 54.33, 1234567.89}) {
      const auto grouped = parseNumber(formatTwoDecimals(value, Grouping::Grouped, separators), separators);
      ASSERT_TRUE(grouped.has_value());
      EXPECT_DOUBLE_EQ(*grouped, value);
      const auto exact = parseHundredths(formatTwoDecimals(value, Grouping::Plain, separators), separators);
      ASSERT_TRUE(exact.has_value());
      EXPECT_EQ(exact->value, static_cast<std::int64_t>(value * 100 + 0.5));
    }
  }
  EXPECT_EQ(parseNumber("-50", kEnglish), -50.0);
  EXPECT_EQ(parseHundredths("100.", kEnglish), Hundredths{10000});
  EXPECT_EQ(parseHundredths(".5", kEnglish), Hundredths{50});
}

TEST(Parsing, RefusesTextThatIsNotANumberInThisLocale) {
  for (const char* text : {"", "-", ".", "abc", "12a", "1.2.3", ",5", "12 %", "1e5", " 12"}) {
    EXPECT_FALSE(parseNumber(text, kEnglish).has_value()) << text;
  }
  EXPECT_FALSE(parseNumber("12.5", kGerman).value_or(0) == 12.5);
  EXPECT_FALSE(parseHundredths("1.234", kEnglish).has_value()) << "three decimals are not hundredths";
  EXPECT_FALSE(parseHundredths("92233720368547758.08", kEnglish).has_value()) << "does not fit";
}

}  // namespace
}  // namespace vantora
