#include "win32/wide_text_win.h"

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

}  // namespace
}  // namespace vantora::win32
