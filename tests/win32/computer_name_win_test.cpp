// The kernel32 backend with the computer name the system reports changed for
// each case. It runs alone (RUN_SERIAL), so no other test reads the name meanwhile.

#include "win32/windows_api.h"

#include <gtest/gtest.h>

#include <string>

#include "computer_name_setting_win.h"
#include "platform/make_system_queries.h"

namespace vantora {
namespace {

struct NameCase {
  const char* name;
  std::wstring systemName;
  bool given;
  std::string shown;  // what the buffer holds afterwards
};

using testing::ComputerNameSetting;

class ComputerNameWin : public ::testing::TestWithParam<NameCase> {};

TEST_P(ComputerNameWin, ArrivesWholeUpToFifteenCharacters) {
  const ComputerNameSetting setting(GetParam().systemName);
  const auto system = makeSystemQueries();
  ComputerNameBuffer buffer{};
  EXPECT_EQ(system->computerName(buffer), GetParam().given);
  EXPECT_EQ(std::string(buffer.data()), GetParam().shown);
  EXPECT_EQ(buffer.back(), '\0');
}

INSTANTIATE_TEST_SUITE_P(
    Names, ComputerNameWin,
    ::testing::Values(NameCase{"Ascii", L"PC01", true, "PC01"},
                      // Cut at 15 bytes it read 東京開発Ｐ.
                      NameCase{"Japanese", L"東京開発ＰＣ", true, "東京開発ＰＣ"},
                      NameCase{"FifteenJapaneseIn45Bytes", L"一二三四五六七八九十百千万億兆", true,
                               "一二三四五六七八九十百千万億兆"},
                      // A name shows on one line, in its own order.
                      NameCase{"LineSeparatorAndBidiMark", L"PC\u2028X\u061C", true, "PC\xEF\xBF\xBDX\xEF\xBF\xBD"},
                      // Longer than the system allows: refused, and the buffer stays empty.
                      NameCase{"SixteenRefused", L"一二三四五六七八九十百千万億兆円", false, ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora
