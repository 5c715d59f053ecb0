#include <gtest/gtest.h>

#include <ostream>

#include "platform/linux/utf8_text.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;

#define FFFD "\xEF\xBF\xBD"

struct RepairCase {
  const char* name;
  std::string raw;
  std::string valid;    // validUtf8
  std::string display;  // displayText
  friend void PrintTo(const RepairCase& c, std::ostream* out) { *out << c.name; }
};

class Utf8Repair : public ::testing::TestWithParam<RepairCase> {};

TEST_P(Utf8Repair, ReplacesWhatCannotBeShown) {
  EXPECT_EQ(validUtf8(GetParam().raw), GetParam().valid);
  EXPECT_EQ(displayText(GetParam().raw), GetParam().display);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Utf8Repair,
    ::testing::Values(
        RepairCase{"ascii", "PHOTOS", "PHOTOS", "PHOTOS"},
        RepairCase{"japanese", "\xE5\x86\x99\xE7\x9C\x9F", "\xE5\x86\x99\xE7\x9C\x9F", "\xE5\x86\x99\xE7\x9C\x9F"},
        RepairCase{"emoji", "\xF0\x9F\x93\xB7", "\xF0\x9F\x93\xB7", "\xF0\x9F\x93\xB7"},
        RepairCase{"latin1_byte", "caf\xE9", "caf" FFFD, "caf" FFFD},
        RepairCase{"shift_jis_bytes", "\x83\x65", FFFD "e", FFFD "e"},
        RepairCase{"truncated_sequence", "a\xE5\x86", "a" FFFD FFFD, "a" FFFD FFFD},
        RepairCase{"overlong_slash", "\xC0\xAF", FFFD FFFD, FFFD FFFD},
        RepairCase{"surrogate", "\xED\xA0\x80", FFFD FFFD FFFD, FFFD FFFD FFFD},
        RepairCase{"beyond_unicode", "\xF4\x90\x80\x80", FFFD FFFD FFFD FFFD, FFFD FFFD FFFD FFFD},
        RepairCase{"newline_and_tab", "a\nb\tc", "a\nb\tc", "a" FFFD "b" FFFD "c"},
        RepairCase{"delete_and_c1", "x\x7F\xC2\x85y", "x\x7F\xC2\x85y", "x" FFFD FFFD "y"},
        RepairCase{"nbsp_is_not_control", "1\xC2\xA0" "000", "1\xC2\xA0" "000", "1\xC2\xA0" "000"},
        RepairCase{"embedded_nul", std::string("a\0b", 3), std::string("a\0b", 3), "a" FFFD "b"},
        RepairCase{"empty", "", "", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(Utf8Prefix, NeverEndsInsideACharacter) {
  const std::string text = "ab\xE5\x86\x99";  // "ab" and one 3-byte character
  EXPECT_EQ(utf8PrefixLength(text, 5), 5u);
  EXPECT_EQ(utf8PrefixLength(text, 4), 2u);
  EXPECT_EQ(utf8PrefixLength(text, 3), 2u);
  EXPECT_EQ(utf8PrefixLength(text, 2), 2u);
  EXPECT_EQ(utf8PrefixLength(text, 0), 0u);
  EXPECT_EQ(utf8PrefixLength(text, 100), 5u);
}

TEST(Utf8Prefix, CopyTerminatedCutsToFitWithItsNul) {
  std::array<char, 5> buffer;
  buffer.fill('#');
  copyTerminated("ab\xE5\x86\x99", buffer);  // 5 bytes do not fit with a NUL: the whole character goes
  EXPECT_STREQ(buffer.data(), "ab");

  copyTerminated("abcd", buffer);
  EXPECT_STREQ(buffer.data(), "abcd");

  std::array<char, 1> tiny{'#'};
  copyTerminated("abc", tiny);
  EXPECT_EQ(tiny[0], '\0');
}

}  // namespace
}  // namespace vantora::testing
