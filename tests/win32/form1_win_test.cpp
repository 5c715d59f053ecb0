// Form1 in this process, on a private X server (run_with_display.sh), against
// the in-memory machine of the refresh tests.

// The fake names Windows' error numbers as the seam does: it must come before <windows.h>.
#include "support/fake_system_queries.h"
#include "ui/win32/form1_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "driveinfo/refresh_steps.h"
#include "platform/win32/wide_text_win.h"
#include "ui/caption_fit.h"
#include "ui/layout_table.h"
#include "ui/win32/bound_controls_win.h"
#include "ui/win32/control_ids_win.h"
#include "ui/win32/form1_geometry_win.h"
#include "ui/win32/message_loop_win.h"

namespace vantora::ui::win32 {
namespace {

using vantora::testing::FakeDrive;
using vantora::testing::FakeSystemQueries;
using vantora::testing::FakeVolume;
using vantora::win32::toUtf8;

FakeDrive fixedDrive(std::uint64_t freeBytes, std::uint64_t totalBytes, const char* label) {
  FakeDrive drive;
  drive.type = DRIVE_FIXED;
  drive.freeBytesToCaller = freeBytes;
  drive.totalBytes = totalBytes;
  drive.volume = FakeVolume{label, "NTFS", 0x1234ABCD, 0x2 | 0x4, 255};
  return drive;
}

class Form1Win : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }

  void SetUp() override {
    system.drives["c:\\"] = fixedDrive(250'000'000, 1'000'000'000, "SYSTEM");
    system.drives["d:\\"] = fixedDrive(1'000'000, 4'000'000, "DATA");
    system.driveList = {{{"c: [SYSTEM]", "c:\\"}, {"d: [DATA]", "d:\\"}}, 0};
    model.Drive1.replaceEntries(system.driveList.drives, system.driveList.current);
    form.emplace(GetModuleHandleW(nullptr), model, system);
  }

  HWND control(std::string_view name) const {
    struct Search {
      int id;
      HWND found = nullptr;
    } search{controlId(name)};
    EnumChildWindows(
        form->window(),
        [](HWND child, LPARAM context) -> BOOL {
          auto& wanted = *reinterpret_cast<Search*>(context);
          if (GetDlgCtrlID(child) != wanted.id) return TRUE;
          wanted.found = child;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  std::string text(std::string_view name) const {
    wchar_t buffer[512]{};
    GetWindowTextW(control(name), buffer, 512);
    return toUtf8(buffer);
  }
  std::vector<std::string> items(std::string_view name, UINT count, UINT get) const {
    std::vector<std::string> result;
    const HWND list = control(name);
    for (LRESULT i = 0; i < SendMessageW(list, count, 0, 0); ++i) {
      wchar_t buffer[512]{};
      SendMessageW(list, get, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(buffer));
      result.push_back(toUtf8(buffer));
    }
    return result;
  }
  void userPicks(std::size_t index) {
    const HWND combo = control("Drive1");
    SendMessageW(combo, CB_SETCURSEL, index, 0);
    SendMessageW(form->window(), WM_COMMAND, MAKEWPARAM(controlId("Drive1"), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
  }

  FakeSystemQueries system;
  Form1Model model;
  std::optional<Form1> form;
};

TEST_F(Form1Win, RenderCopiesEveryFieldIntoItsControl) {
  model.lbPC(4).setCaption("PC01");
  model.lbPC(5).setCaption("PC01　ディスク情報");
  model.lbSyu(0).setCaption("CD-ROM");
  model.Image3.visible = true;
  model.lbSou(1).setCaption("4,000,000 (4.MB)");
  model.lbAki(2).setCaption("1,000,000 (1.MB)");
  model.lbSys(0).setCaption("CDFS");
  model.lbSys(1).setCaption("写真 & 動画");
  model.lbSys(2).setCaption("1234ABCD");
  model.List1.items = {"ファイル名大文字小文字維持", "UNICODE", "ACL維持"};
  model.Text1.text = "25.";
  model.Text2.text = "75";
  model.Label4.setCaption("75 %");
  form->render(model);

  for (const auto& [name, expected] : std::vector<std::pair<std::string_view, std::string>>{
           {"lbPC(4)", "PC01"},
           {"lbPC(5)", "PC01　ディスク情報"},
           {"lbSyu(0)", "CD-ROM"},
           {"lbSou(1)", "4,000,000 (4.MB)"},
           {"lbAki(2)", "1,000,000 (1.MB)"},
           {"lbSys(0)", "CDFS"},
           {"lbSys(1)", "写真 & 動画"},
           {"lbSys(2)", "1234ABCD"},
           {"Text1", "25."},
           {"Text2", "75"},
           {"Label4", "75 %"},
       }) {
    EXPECT_EQ(text(name), expected) << name;
  }
  EXPECT_EQ(items("List1", LB_GETCOUNT, LB_GETTEXT), model.List1.items);
  for (const char* image : {"Image1", "Image2", "Image4", "Image5"}) {
    EXPECT_FALSE(GetWindowLongW(control(image), GWL_STYLE) & WS_VISIBLE) << image;
  }
  EXPECT_TRUE(GetWindowLongW(control("Image3"), GWL_STYLE) & WS_VISIBLE);
}

// The binding table is checked against the child windows once, when Form1 is
// made: a control gone or of another kind fails there instead of showing nothing.
TEST_F(Form1Win, AControlMissingOrOfTheWrongKindFailsAtStartUp) {
  Form1Controls built = createForm1Controls(GetModuleHandleW(nullptr), form->window());
  EXPECT_NO_THROW(BoundControls{built});
  const HWND button = control("cmdF10");
  for (const auto& [name, replacement] : std::vector<std::pair<std::string_view, HWND>>{
           {"lbSou(1)", nullptr}, {"Text1", button}, {"List1", button}, {"MSChart1", button},
           {"Drive1", button}, {"Image3", nullptr}}) {
    const std::size_t row = static_cast<std::size_t>(findControl(name) - kForm1Layout.data());
    const HWND kept = std::exchange(built.windows[row], replacement);
    EXPECT_THROW(BoundControls{built}, std::logic_error) << name;
    built.windows[row] = kept;
  }
}

TEST_F(Form1Win, LoadCentresTheWindowAndRefreshesTheCurrentDrive) {
  form->events().Form_Load();
  EXPECT_EQ(text("lbSyu(0)"), "ハードディスク");
  EXPECT_EQ(text("lbSys(1)"), "SYSTEM");
  EXPECT_EQ(text("Label4"), "75 %");
  EXPECT_TRUE(GetWindowLongW(control("Image2"), GWL_STYLE) & WS_VISIBLE);
  RECT frame{};
  GetWindowRect(form->window(), &frame);
  EXPECT_NEAR(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2.0, 0.5);
  EXPECT_NEAR(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2.0, 0.5);
}

TEST_F(Form1Win, OnlyTheUsersSelectionRunsTheRefresh) {
  form->events().Form_Load();
  system.calls.clear();
  form->render(model);  // sets the selection again, as every refresh does
  EXPECT_TRUE(system.calls.empty());
  userPicks(1);
  EXPECT_NE(std::find(system.calls.begin(), system.calls.end(), "driveType d:\\"), system.calls.end());
  EXPECT_EQ(text("lbSys(1)"), "DATA");
  EXPECT_EQ(model.Drive1.listIndex, 1u);
}

TEST_F(Form1Win, DroppingTheListDownReadsTheDrivesAgainAndKeepsTheSelection) {
  form->events().Form_Load();
  userPicks(1);
  system.drives["e:\\"] = fixedDrive(1, 2, "USB");
  system.driveList = {{{"a:", "a:\\"}, {"d: [DATA]", "d:\\"}, {"e: [USB]", "e:\\"}}, 0};
  system.calls.clear();
  SendMessageW(form->window(), WM_COMMAND, MAKEWPARAM(controlId("Drive1"), CBN_DROPDOWN),
               reinterpret_cast<LPARAM>(control("Drive1")));
  EXPECT_EQ(items("Drive1", CB_GETCOUNT, CB_GETLBTEXT), (std::vector<std::string>{"a:", "d: [DATA]", "e: [USB]"}));
  EXPECT_EQ(SendMessageW(control("Drive1"), CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(system.calls, std::vector<std::string>{"listDrives"}) << "dropping down runs no refresh";
}

// Every count a drive can report shows whole, at 96 and 144 dpi: a caption
// wider than its label steps its font down, never below 7 points.
TEST_F(Form1Win, CapacitiesFitTheirLabelsFromZeroToTheLargestCount) {
  for (const int dpi : {96, 144}) {
    if (dpi != kDesignDpi) {
      RECT suggested{0, 0, clientSizeAt(dpi).cx, clientSizeAt(dpi).cy};
      SendMessageW(form->window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    }
    for (const std::uint64_t count : {std::uint64_t{0}, std::uint64_t{270'553'174'016},
                                      std::uint64_t{16'000'000'000'000}, std::uint64_t{18'446'744'073'709'551'615u}}) {
      model.lbSou(1).setCaption(capacityText(count, {}));
      model.lbAki(2).setCaption(capacityText(count / 3, {}));
      form->render(model);
      for (const char* name : {"lbSou(1)", "lbAki(2)"}) {
        const HWND label = control(name);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0));
        LOGFONTW described{};
        GetObjectW(font, sizeof described, &described);
        const HDC dc = GetDC(label);
        const HGDIOBJ old = SelectObject(dc, font);
        const std::wstring shown = vantora::win32::toWide(text(name));
        SIZE extent{};
        GetTextExtentPoint32W(dc, shown.c_str(), static_cast<int>(shown.size()), &extent);
        SelectObject(dc, old);
        ReleaseDC(label, dc);
        RECT area{};
        GetClientRect(label, &area);
        EXPECT_LE(extent.cx, area.right) << name << " " << count << " at " << dpi;
        EXPECT_GE(-described.lfHeight, pointsToPixels(kSmallestCaptionPoints, dpi)) << name << " at " << dpi;
        if (count == 18'446'744'073'709'551'615u && std::string_view(name) == "lbSou(1)") {
          EXPECT_LT(-described.lfHeight, pointsToPixels(12, dpi)) << "the largest count needs a smaller font";
        }
      }
    }
  }
}

TEST_F(Form1Win, NewDpiRescalesControlsAndFontsAndTakesTheSuggestedRectangle) {
  constexpr int kDpi = 144;
  RECT suggested{40, 30, 0, 0};
  RECT outer{0, 0, clientSizeAt(kDpi).cx, clientSizeAt(kDpi).cy};
  AdjustWindowRectExForDpi(&outer, static_cast<DWORD>(GetWindowLongW(form->window(), GWL_STYLE)), FALSE,
                           static_cast<DWORD>(GetWindowLongW(form->window(), GWL_EXSTYLE)), kDpi);
  suggested.right = suggested.left + outer.right - outer.left;
  suggested.bottom = suggested.top + outer.bottom - outer.top;
  SendMessageW(form->window(), WM_DPICHANGED, MAKEWPARAM(kDpi, kDpi), reinterpret_cast<LPARAM>(&suggested));

  RECT frame{};
  GetWindowRect(form->window(), &frame);
  EXPECT_EQ(frame.left, suggested.left);
  EXPECT_EQ(frame.top, suggested.top);
  RECT client{};
  GetClientRect(form->window(), &client);
  EXPECT_EQ(client.right, 675);
  EXPECT_EQ(client.bottom, 507);
  for (const ControlRow& row : kForm1Layout) {
    RECT actual{};
    GetWindowRect(control(row.name), &actual);
    MapWindowPoints(nullptr, form->window(), reinterpret_cast<POINT*>(&actual), 2);
    const RECT wanted = clientRectOf(row, kDpi);
    EXPECT_EQ(actual.left, wanted.left) << row.name;
    EXPECT_EQ(actual.top, wanted.top) << row.name;
    EXPECT_EQ(actual.right, wanted.right) << row.name;
    EXPECT_EQ(actual.bottom, wanted.bottom) << row.name;
    if (row.font.face == FontFace::WindowDefault || row.kind == ControlKind::Image || row.kind == ControlKind::Chart) {
      continue;
    }
    LOGFONTW font{};
    ASSERT_TRUE(GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control(row.name), WM_GETFONT, 0, 0)), sizeof font,
                           &font))
        << row.name;
    EXPECT_EQ(font.lfHeight, -pointsToPixels(row.font.points, kDpi)) << row.name;
    EXPECT_EQ(font.lfWeight, row.font.weight) << row.name;
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET) << row.name;
    EXPECT_STREQ(font.lfFaceName, row.font.face == FontFace::MsGothic ? L"ＭＳ ゴシック" : L"ＭＳ Ｐゴシック") << row.name;
  }
}

struct KeyCase {
  const char* name;
  UINT message;
  std::string_view target;
};

class Form1WinKeys : public Form1Win, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(Form1WinKeys, F10EndsTheProgramWhicheverControlHasTheKey) {
  form->events().Form_Load();
  const HWND target = control(GetParam().target);
  // Another function key ends nothing; F10 is taken before the control sees it.
  PostMessageW(target, GetParam().message, VK_F9, 1);
  PostMessageW(target, GetParam().message, VK_F10, 1);
  EXPECT_EQ(runMessageLoop(*form), 0);
  EXPECT_EQ(form->window(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Keys, Form1WinKeys,
                         ::testing::Values(KeyCase{"SysKeyOnTheDriveList", WM_SYSKEYDOWN, "Drive1"},
                                           KeyCase{"KeyOnTheListBox", WM_KEYDOWN, "List1"},
                                           KeyCase{"SysKeyOnTheTabControl", WM_SYSKEYDOWN, "SSTab1"},
                                           KeyCase{"KeyOnTheButton", WM_KEYDOWN, "cmdF10"}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(Form1Win, TheExitButtonEndsTheProgram) {
  form->events().Form_Load();
  PostMessageW(control("cmdF10"), BM_CLICK, 0, 0);
  EXPECT_EQ(runMessageLoop(*form), 0);
  EXPECT_EQ(form->window(), nullptr);
}

}  // namespace
}  // namespace vantora::ui::win32
