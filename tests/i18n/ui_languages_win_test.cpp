#include <gtest/gtest.h>

#include "i18n/win32/ui_languages_win.h"

namespace vantora::i18n::win32 {
namespace {

TEST(UiLanguagesWin, AListOfNamesEndsAtItsEmptyName) {
  using Names = std::vector<std::string>;
  EXPECT_EQ(splitLanguageList(std::wstring_view(L"en-US\0ja-JP\0\0", 14)), (Names{"en-US", "ja-JP"}));
  EXPECT_EQ(splitLanguageList(std::wstring_view(L"\0\0", 2)), Names{});
  EXPECT_EQ(splitLanguageList(L""), Names{});
  EXPECT_EQ(splitLanguageList(std::wstring_view(L"fr-FR", 5)), Names{"fr-FR"});  // no terminator at all
  EXPECT_EQ(splitLanguageList(std::wstring_view(L"d\u00e9\0\0", 4)), Names{"d?"});
}

// Whatever wine or Windows answers, the answer is a list of names.
TEST(UiLanguagesWin, TheSystemNamesAtLeastOneLanguage) {
  const std::vector<std::string> languages = userUiLanguages();
  ASSERT_FALSE(languages.empty());
  for (const std::string& language : languages) EXPECT_FALSE(language.empty());
}

}  // namespace
}  // namespace vantora::i18n::win32
