#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "ui/win32/control_ids_win.h"
#include "ui/win32/dpi_win.h"
#include "ui/win32/form1_geometry_win.h"

namespace vantora::ui::win32 {
namespace {

TEST(ControlIdsWin, EveryControlHasItsOwnIdClearOfTheDialogButtons) {
  std::set<int> ids;
  for (const ControlRow& row : kForm1Layout) {
    const int id = controlId(row.name);
    EXPECT_NE(id, IDOK) << row.name;
    EXPECT_NE(id, IDCANCEL) << row.name;
    EXPECT_TRUE(ids.insert(id).second) << row.name;
  }
  for (int page = 0; page < 3; ++page) EXPECT_FALSE(ids.contains(tabPageId(page)));
}

TEST(Form1GeometryWin, TwipsBecomePixelsAtTheScreensDpi) {
  struct Case {
    std::string_view control;
    int dpi;
    RECT expected;
  };
  for (const Case& c : {
           Case{"lbPC(5)", 96, {16, 8, 433, 33}},
           Case{"Image5", 96, {16, 48, 79, 111}},       // 945 twips: 63 pixels
           Case{"SSTab1", 96, {8, 120, 441, 281}},
           Case{"lbSyu(0)", 96, {176, 168, 401, 185}},  // page control: tab corner plus its own offset
           Case{"List1", 96, {88, 168, 425, 247}},
           Case{"MSChart1", 96, {272, 272, 353, 345}},  // reaches past the 338-pixel client area
           Case{"lbPC(5)", 144, {24, 12, 650, 50}},
           Case{"lbSyu(0)", 144, {264, 252, 602, 278}},
           Case{"lbSyu(0)", 120, {220, 210, 501, 231}},
       }) {
    const RECT actual = clientRectOf(*findControl(c.control), c.dpi);
    EXPECT_EQ(actual.left, c.expected.left) << c.control << " at " << c.dpi;
    EXPECT_EQ(actual.top, c.expected.top) << c.control << " at " << c.dpi;
    EXPECT_EQ(actual.right, c.expected.right) << c.control << " at " << c.dpi;
    EXPECT_EQ(actual.bottom, c.expected.bottom) << c.control << " at " << c.dpi;
  }
}

TEST(Form1GeometryWin, ClientAreaScalesWithTheDpi) {
  EXPECT_EQ(clientSizeAt(96).cx, 450);
  EXPECT_EQ(clientSizeAt(96).cy, 338);
  EXPECT_EQ(clientSizeAt(144).cx, 675);
  EXPECT_EQ(clientSizeAt(144).cy, 507);
}

// Before Windows 10 1607 the message font is the system DPI's, scaled: it must
// come out as the per-DPI answer does where the system gives one.
TEST(DpiFallback, ScaledMessageFontMatchesTheSystemsPerDpiFont) {
  const int system = systemDpi();
  const std::optional<LOGFONTW> atSystem = messageFontAt(system);
  ASSERT_TRUE(atSystem);
  for (const int dpi : {96, 120, 144, 192}) {
    const std::optional<LOGFONTW> perDpi = messageFontAt(dpi);
    ASSERT_TRUE(perDpi) << dpi;
    EXPECT_EQ(scaledFont(*atSystem, system, dpi).lfHeight, perDpi->lfHeight) << dpi;
    EXPECT_STREQ(scaledFont(*atSystem, system, dpi).lfFaceName, perDpi->lfFaceName) << dpi;
  }
}

TEST(DpiFallback, ScalingKeepsTheSignAndRounds) {
  LOGFONTW font{};
  for (const auto& [height, from, to, wanted] : {std::tuple{-12, 96, 144, -18}, std::tuple{-12, 96, 96, -12},
                                                 std::tuple{-15, 120, 96, -12}, std::tuple{16, 96, 120, 20},
                                                 std::tuple{-11, 96, 120, -14}}) {
    font.lfHeight = height;
    EXPECT_EQ(scaledFont(font, from, to).lfHeight, wanted) << height << " at " << from << " to " << to;
  }
}

}  // namespace
}  // namespace vantora::ui::win32
