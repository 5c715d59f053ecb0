#include "platform/win32/number_separators_win.h"

#include <gtest/gtest.h>

namespace vantora::win32 {
namespace {

TEST(NumberSeparatorsWin, FromLocaleValues) {
  struct Case {
    const char* locale;
    std::wstring_view group, decimal, grouping;
    NumberSeparators expected;
  };
  for (const Case& c : {
           Case{"en-US", L",", L".", L"3;0", {",", "."}},
           Case{"ja-JP", L",", L".", L"3;0", {",", "."}},
           Case{"de-DE", L".", L",", L"3;0", {".", ","}},
           Case{"fr-FR", L"\x202f", L",", L"3;0", {"\xe2\x80\xaf", ","}},
           Case{"hi-IN", L",", L".", L"3;2;0", {",", "."}},
           Case{"no grouping", L" ", L",", L"0", {",", "."}},
           Case{"grouping unreadable", L".", L",", L"", {",", "."}},
           Case{"no decimal separator", L".", L"", L"3;0", {",", "."}},
           Case{"separators alike", L",", L",", L"3;0", {",", "."}},
       }) {
    EXPECT_EQ(separatorsFromLocale(c.group, c.decimal, c.grouping), c.expected) << c.locale;
  }
}

TEST(NumberSeparatorsWin, UserLocaleGivesTwoDistinctSeparators) {
  const NumberSeparators separators = userNumberSeparators();
  EXPECT_FALSE(separators.decimal.empty());
  EXPECT_NE(separators.group, separators.decimal);
}

}  // namespace
}  // namespace vantora::win32
