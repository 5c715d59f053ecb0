#include "platform/win32/wide_text_win.h"

#include <gtest/gtest.h>

namespace vantora::win32 {
namespace {

TEST(WideText, RoundTripsTextOutsideTheAnsiCodePage) {
  for (const std::string text : {"", "SYSTEM", "写真 2024", "Ωmega", "😀 emoji"}) {
    EXPECT_EQ(toUtf8(toWide(text)), text) << text;
  }
}

TEST(WideText, ReplacesBrokenInputWithTheReplacementCharacter) {
  EXPECT_EQ(toWide("a\xff" "b"), L"a\xfffd" L"b");
  const wchar_t loneSurrogate[] = {L'a', static_cast<wchar_t>(0xD800), L'b', 0};
  EXPECT_EQ(toUtf8(loneSurrogate), "a\xef\xbf\xbd" "b");
}

TEST(WideText, CutsOnlyBetweenCharacters) {
  struct Case {
    std::string_view text;
    std::size_t maxBytes;
    std::string_view expected;
  };
  for (const Case& c : {
           Case{"ABC", 15, "ABC"},
           Case{"ABCDEFGHIJKLMNOPQ", 15, "ABCDEFGHIJKLMNO"},
           Case{"あいうえおか", 15, "あいうえお"},      // 18 bytes: five 3-byte characters fit
           Case{"AあいうえおかB", 15, "Aあいうえ"},     // the sixth character would end at byte 16
           Case{"😀😀😀😀", 15, "😀😀😀"},
           Case{"é", 1, ""},
       }) {
    EXPECT_EQ(cutAtCharacter(c.text, c.maxBytes), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace vantora::win32
