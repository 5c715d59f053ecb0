#include <gtest/gtest.h>

#include <ostream>

#include "platform/utf8_text.h"

namespace vantora::testing {
namespace {

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
        // Marks, embeddings, overrides and isolates; their neighbours U+200D
        // (joiner), U+2010 and U+2070 are left alone, as are those of the
        // line separator and the other replaced marks: U+2027, U+202F (a
        // thousands separator), U+061B and U+FEFE.
        RepairCase{"bidi_override", "exe\xE2\x80\xAEtxt", "exe\xE2\x80\xAEtxt", "exe" FFFD "txt"},
        RepairCase{"bidi_marks_and_isolates", "\xE2\x80\x8E\xE2\x80\x8F\xE2\x80\xAA\xE2\x81\xA6\xE2\x81\xA9",
                   "\xE2\x80\x8E\xE2\x80\x8F\xE2\x80\xAA\xE2\x81\xA6\xE2\x81\xA9", FFFD FFFD FFFD FFFD FFFD},
        RepairCase{"bidi_neighbours", "\xE2\x80\x8D\xE2\x80\x90\xE2\x81\xB0", "\xE2\x80\x8D\xE2\x80\x90\xE2\x81\xB0",
                   "\xE2\x80\x8D\xE2\x80\x90\xE2\x81\xB0"},
        RepairCase{"separator_and_mark_neighbours", "\xE2\x80\xA7\xE2\x80\xAF\xD8\x9B\xEF\xBB\xBE",
                   "\xE2\x80\xA7\xE2\x80\xAF\xD8\x9B\xEF\xBB\xBE", "\xE2\x80\xA7\xE2\x80\xAF\xD8\x9B\xEF\xBB\xBE"},
        RepairCase{"embedded_nul", std::string("a\0b", 3), std::string("a\0b", 3), "a" FFFD "b"},
        RepairCase{"empty", "", "", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(Utf8Prefix, NeverEndsInsideACharacter) {
  struct Case {
    std::string_view text;
    std::size_t maxBytes;
    std::size_t expected;
  };
  for (const Case& c : {
           Case{"ab\xE5\x86\x99", 5, 5}, Case{"ab\xE5\x86\x99", 4, 2}, Case{"ab\xE5\x86\x99", 2, 2},
           Case{"ab\xE5\x86\x99", 0, 0}, Case{"ab\xE5\x86\x99", 100, 5},
           Case{"ABCDEFGHIJKLMNOPQ", 15, 15},
           Case{"あいうえおか", 15, 15},    // 18 bytes: five 3-byte characters fit
           Case{"AあいうえおかB", 15, 13},  // the sixth character would end at byte 16
           Case{"😀😀😀😀", 15, 12},
           Case{"é", 1, 0},
       }) {
    EXPECT_EQ(utf8PrefixLength(c.text, c.maxBytes), c.expected) << c.text << " in " << c.maxBytes;
  }
}

TEST(DriveText, BracketsTheDetailAndShowsBothOnOneLine) {
  EXPECT_EQ(driveText("/media/usb", "PHOTOS"), "/media/usb [PHOTOS]");
  EXPECT_EQ(driveText("c:", ""), "c:");
  EXPECT_EQ(driveText("/mnt/exe\xE2\x80\xAEtxt", "a\nb"), "/mnt/exe" FFFD "txt [a" FFFD "b]");
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
