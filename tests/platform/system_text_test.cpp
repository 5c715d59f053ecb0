// Error numbers, the computer name and the number separators.

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <ostream>
#include <string>

#include "platform/linux/computer_name_linux.h"
#include "platform/linux/error_numbers_linux.h"
#include "platform/linux/number_separators_linux.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;

struct ErrnoCase {
  int errnoValue;
  std::uint32_t windowsError;
  friend void PrintTo(const ErrnoCase& c, std::ostream* out) { *out << "errno " << c.errnoValue; }
};

class ErrorNumbers : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(ErrorNumbers, SpeakWindows) {
  EXPECT_EQ(windowsErrorFromErrno(GetParam().errnoValue), GetParam().windowsError) << GetParam().errnoValue;
}

INSTANTIATE_TEST_SUITE_P(
    Table, ErrorNumbers,
    ::testing::Values(ErrnoCase{0, 0}, ErrnoCase{ENOMEDIUM, 21}, ErrnoCase{ENOENT, 3}, ErrnoCase{ENOTDIR, 3},
                      ErrnoCase{EACCES, 5}, ErrnoCase{EPERM, 5}, ErrnoCase{EIO, 1117}, ErrnoCase{ETIMEDOUT, 121},
                      ErrnoCase{ESTALE, 53}, ErrnoCase{ENOTCONN, 53}, ErrnoCase{EHOSTDOWN, 53},
                      ErrnoCase{ENETUNREACH, 53}, ErrnoCase{ENOMEM, 31}, ErrnoCase{EINVAL, 31},
                      ErrnoCase{-1, 31}));

struct NameCase {
  const char* name;
  std::string hostName;
  std::string computerName;
  friend void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }
};

class ComputerName : public ::testing::TestWithParam<NameCase> {};

TEST_P(ComputerName, IsCutToFifteenCharactersNeverInsideOne) {
  EXPECT_EQ(computerNameFromHostName(GetParam().hostName), GetParam().computerName);
}

// 東京開発ＰＣ is six characters of three bytes each; once cut at 15 bytes it lost its last.
const std::string kTokyoPc = "東京開発ＰＣ";
const std::string kFifteenKanji = "一二三四五六七八九十百千万億兆";
const std::string kGrinning = "\xF0\x9F\x98\x80";  // U+1F600, four bytes

std::string repeated(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ComputerName,
    ::testing::Values(NameCase{"short", "pc01", "pc01"},
                      NameCase{"exactly_fifteen", "abcdefghijklmno", "abcdefghijklmno"},
                      NameCase{"long_ascii", "build-server-number-42.example", "build-server-nu"},
                      NameCase{"japanese_kept_whole", kTokyoPc, kTokyoPc},
                      NameCase{"fifteen_japanese_in_45_bytes", kFifteenKanji, kFifteenKanji},
                      NameCase{"sixteenth_japanese_cut", kFifteenKanji + "円", kFifteenKanji},
                      NameCase{"mixed_cut_after_fifteen", "ab" + kFifteenKanji, "ab" + kFifteenKanji.substr(0, 39)},
                      // Fifteen four-byte characters do not fit 45 bytes: eleven do, and no half of the twelfth.
                      NameCase{"four_byte_characters_cut_to_the_buffer", repeated(kGrinning, 15), repeated(kGrinning, 11)},
                      NameCase{"invalid_byte_counts_as_one", "pc\xFF", "pc\xEF\xBF\xBD"},
                      NameCase{"escape_is_not_drawn", "pc\x1b[31m", "pc\xEF\xBF\xBD[31m"},
                      NameCase{"bidi_override", "pc\u202Eabc", "pc\xEF\xBF\xBD" "abc"},
                      NameCase{"empty", "", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(ComputerName, HostNameOfThisMachineIsRead) {
  EXPECT_FALSE(readHostName().empty());
}

struct SeparatorCase {
  const char* name;
  std::string grouping, thousands, decimal;
  NumberSeparators expected;
  friend void PrintTo(const SeparatorCase& c, std::ostream* out) { *out << c.name; }
};

class Separators : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(Separators, ComeFromTheLocaleOrTheWindowsDefault) {
  EXPECT_EQ(separatorsFromLocaleData(GetParam().grouping, GetParam().thousands, GetParam().decimal),
            GetParam().expected);
}

const std::string kNoGrouping(1, CHAR_MAX);

INSTANTIATE_TEST_SUITE_P(
    Locales, Separators,
    ::testing::Values(SeparatorCase{"c_locale", "", "", ".", {",", "."}},
                      SeparatorCase{"char_max_grouping", kNoGrouping, "", ".", {",", "."}},
                      SeparatorCase{"en_us", "\x03\x03", ",", ".", {",", "."}},
                      SeparatorCase{"de_de", "\x03\x03", ".", ",", {".", ","}},
                      SeparatorCase{"fr_fr_narrow_nbsp", "\x03", "\xE2\x80\xAF", ",", {"\xE2\x80\xAF", ","}},
                      SeparatorCase{"latin1_nbsp", "\x03", "\xA0", ",", {"\xEF\xBF\xBD", ","}},
                      SeparatorCase{"grouping_without_separator", "\x03", "", ",", {",", "."}},
                      SeparatorCase{"same_separators", "\x03", ",", ",", {",", "."}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
