// Form1 in this process, on a private X server (run_with_display.sh), against
// the in-memory machine of the refresh tests.

// The fake names Windows' error numbers as the seam does: it must come before <windows.h>.
#include "support/fake_system_queries.h"
#include "ui/win32/form1_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

#include "driveinfo/refresh_steps.h"
#include "ui/caption_fit.h"
#include "ui/copy_details.h"
#include "ui/layout_table.h"
#include "ui/win32/bound_controls_win.h"
#include "ui/win32/control_ids_win.h"
#include "ui/win32/form1_geometry_win.h"
#include "ui/win32/message_loop_win.h"
#include "win32/wide_text_win.h"

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

// Every control where the table puts it at `dpi`, in the table's font at that DPI.
void expectPlacedAt(int dpi, const std::function<HWND(std::string_view)>& control) {
  const HWND form = GetParent(control("SSTab1"));
  for (const ControlRow& row : kForm1Layout) {
    RECT actual{};
    GetWindowRect(control(row.name), &actual);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&actual), 2);
    const RECT wanted = clientRectOf(row, dpi);
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
    EXPECT_EQ(font.lfHeight, -pointsToPixels(row.font.points, dpi)) << row.name;
    EXPECT_EQ(font.lfWeight, row.font.weight) << row.name;
    EXPECT_EQ(font.lfCharSet, SHIFTJIS_CHARSET) << row.name;
    EXPECT_STREQ(font.lfFaceName, row.font.face == FontFace::MsGothic ? L"ＭＳ ゴシック" : L"ＭＳ Ｐゴシック") << row.name;
  }
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
  const Form1Fonts fonts(kDesignDpi);
  Form1Controls built = createForm1Controls(GetModuleHandleW(nullptr), form->window(), kDesignDpi, fonts);
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

// Also run on a 400 x 300 screen (CMakeLists.txt): there the window stands at a
// negative position and must keep its whole client area.
TEST_F(Form1Win, LoadCentresTheWholeWindowAndRefreshesTheCurrentDrive) {
  form->events().Form_Load();
  form->show(SW_SHOWNORMAL);
  EXPECT_EQ(text("lbSyu(0)"), "ハードディスク");
  EXPECT_EQ(text("lbSys(1)"), "SYSTEM");
  EXPECT_EQ(text("Label4"), "75 %");
  EXPECT_TRUE(GetWindowLongW(control("Image2"), GWL_STYLE) & WS_VISIBLE);
  RECT client{};
  GetClientRect(form->window(), &client);
  EXPECT_EQ(client.right, clientSizeAt(kDesignDpi).cx);
  EXPECT_EQ(client.bottom, clientSizeAt(kDesignDpi).cy);
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
  // Windows 10's, so looked up: the build's API level is Windows 7's.
  using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  const auto adjustForDpi = reinterpret_cast<AdjustForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
  ASSERT_NE(adjustForDpi, nullptr);
  adjustForDpi(&outer, static_cast<DWORD>(GetWindowLongW(form->window(), GWL_STYLE)), FALSE,
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
  expectPlacedAt(kDpi, [&](std::string_view name) { return control(name); });
}

// Made straight at a DPI, the controls stand and look as a move to that DPI leaves them.
TEST_F(Form1Win, ControlsMadeAtADpiStandWhereAMoveToItPutsThem) {
  constexpr int kDpi = 144;
  const Form1Fonts fonts(kDpi);
  const Form1Controls made = createForm1Controls(GetModuleHandleW(nullptr), form->window(), kDpi, fonts);
  expectPlacedAt(kDpi, [&](std::string_view name) { return made.byName(name); });
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

std::string clipboardText() {
  if (!OpenClipboard(nullptr)) return "(clipboard not opened)";
  std::string text = "(no text)";
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = toUtf8(wide);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// Ctrl+C as the message loop meets it, with the key state it reads; Windows text ends its lines in CR LF.
TEST_F(Form1Win, CtrlCPutsTheWindowOnTheClipboardAsUnicodeText) {
  form->events().Form_Load();
  userPicks(1);
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  CloseClipboard();
  BYTE keys[256]{};
  GetKeyboardState(keys);
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  MSG press{control("List1"), WM_KEYDOWN, 'C', 1, 0, {}};
  handleMessage(*form, press);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);

  std::string expected;
  for (const char c : copyDetails(model)) expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(clipboardText(), expected);
  EXPECT_NE(expected.find("表示ディスク: d: [DATA]\r\n"), std::string::npos) << expected;
  EXPECT_NE(expected.find("ボリューム名: DATA\r\n"), std::string::npos) << expected;
  EXPECT_NE(form->window(), nullptr) << "Ctrl+C ends nothing";
}

TEST_F(Form1Win, TheExitButtonEndsTheProgram) {
  form->events().Form_Load();
  PostMessageW(control("cmdF10"), BM_CLICK, 0, 0);
  EXPECT_EQ(runMessageLoop(*form), 0);
  EXPECT_EQ(form->window(), nullptr);
}

// The window shown, and keys handled as the message loop handles them.
class Form1WinShown : public Form1Win {
 protected:
  void SetUp() override {
    Form1Win::SetUp();
    form->events().Form_Load();
    form->show(SW_SHOWNORMAL);
    pump();
  }
  void TearDown() override { setModifiers(false, false); }

  void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) handleMessage(*form, message);
  }
  static void setModifiers(bool shift, bool ctrl) {
    BYTE keys[256]{};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    keys[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(keys);
  }
  void pressTab(bool shift, bool ctrl) {
    setModifiers(shift, ctrl);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    pump();
    setModifiers(false, false);
  }
  void showPage(int page) {
    SendMessageW(control("SSTab1"), TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
    NMHDR header{control("SSTab1"), static_cast<UINT_PTR>(controlId("SSTab1")), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageW(form->window(), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
  }
  std::string focusName() const {
    const HWND focus = GetFocus();
    for (const ControlRow& row : kForm1Layout) {
      if (control(row.name) == focus) return std::string(row.name);
    }
    return focus == form->window() ? "Form1" : "elsewhere";
  }
};

TEST_F(Form1WinShown, FocusStartsOnTheTabStrip) { EXPECT_EQ(focusName(), "SSTab1"); }

struct CycleCase {
  const char* name;
  int page;
  std::vector<std::string> order;  // the focus order with this page showing
};

class Form1WinTabCycle : public Form1WinShown, public ::testing::WithParamInterface<CycleCase> {};

TEST_P(Form1WinTabCycle, TabAndShiftTabVisitEveryStopInOrderFromEachStart) {
  showPage(GetParam().page);
  const std::vector<std::string>& order = GetParam().order;
  for (std::size_t start = 0; start < order.size(); ++start) {
    for (const bool backward : {false, true}) {
      SetFocus(control(order[start]));
      std::vector<std::string> visited, wanted;
      for (std::size_t step = 1; step <= order.size(); ++step) {
        pressTab(backward, false);
        visited.push_back(focusName());
        const std::size_t size = order.size();
        wanted.push_back(order[backward ? (start + size * 2 - step) % size : (start + step) % size]);
      }
      EXPECT_EQ(visited, wanted) << "from " << order[start] << (backward ? " with Shift+Tab" : " with Tab");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Pages, Form1WinTabCycle,
    ::testing::Values(CycleCase{"TypePageHasNoStopOfItsOwn", 0, {"SSTab1", "cmdF10", "Drive1", "MSChart1"}},
                      CycleCase{"SystemPageHasNoStopOfItsOwn", 1, {"SSTab1", "cmdF10", "Drive1", "MSChart1"}},
                      CycleCase{"FeaturePageAddsItsList", 2, {"SSTab1", "cmdF10", "Drive1", "List1", "MSChart1"}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct PageSwitchCase {
  const char* name;
  std::string start;
  int page;
  bool shift;
  int wantedPage;
  std::string wantedFocus;
};

class Form1WinCtrlTab : public Form1WinShown, public ::testing::WithParamInterface<PageSwitchCase> {};

TEST_P(Form1WinCtrlTab, SwitchesThePageFromAnyControl) {
  showPage(GetParam().page);
  SetFocus(control(GetParam().start));
  pressTab(GetParam().shift, true);
  EXPECT_EQ(SendMessageW(control("SSTab1"), TCM_GETCURSEL, 0, 0), GetParam().wantedPage);
  EXPECT_EQ(IsWindowVisible(control("List1")) != FALSE, GetParam().wantedPage == 2) << "the page shown follows";
  EXPECT_EQ(focusName(), GetParam().wantedFocus);
}

INSTANTIATE_TEST_SUITE_P(
    Starts, Form1WinCtrlTab,
    ::testing::Values(PageSwitchCase{"FromTheStrip", "SSTab1", 0, false, 1, "SSTab1"},
                      PageSwitchCase{"BackFromTheStripWrapsRound", "SSTab1", 0, true, 2, "SSTab1"},
                      PageSwitchCase{"FromTheButton", "cmdF10", 1, false, 2, "cmdF10"},
                      PageSwitchCase{"FromTheDriveList", "Drive1", 2, false, 0, "Drive1"},
                      PageSwitchCase{"BackFromTheChart", "MSChart1", 1, true, 0, "MSChart1"},
                      // List1's page goes away, so its focus goes to the strip.
                      PageSwitchCase{"FromTheFeatureList", "List1", 2, false, 0, "SSTab1"},
                      PageSwitchCase{"BackFromTheFeatureList", "List1", 2, true, 1, "SSTab1"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// System colours set for the test, put back afterwards.
class SystemColours {
 public:
  SystemColours(std::vector<int> elements, const std::vector<COLORREF>& colours) : elements_(std::move(elements)) {
    for (const int element : elements_) saved_.push_back(GetSysColor(element));
    SetSysColors(static_cast<int>(elements_.size()), elements_.data(), colours.data());
  }
  ~SystemColours() { SetSysColors(static_cast<int>(elements_.size()), elements_.data(), saved_.data()); }
  SystemColours(const SystemColours&) = delete;
  SystemColours& operator=(const SystemColours&) = delete;

 private:
  std::vector<int> elements_;
  std::vector<COLORREF> saved_;
};

constexpr COLORREF kFace = RGB(16, 32, 48);
constexpr COLORREF kText = RGB(250, 240, 5);
constexpr COLORREF kHighlight = RGB(0, 200, 200);

struct ColourCase {
  const char* name;
  bool highContrast;
  std::string_view control;
  COLORREF present;
  COLORREF absent;
};

class Form1WinColours : public Form1WinShown, public ::testing::WithParamInterface<ColourCase> {
 protected:
  // How many of the control's painted pixels have this colour.
  int count(std::string_view name, COLORREF colour) const {
    const HWND window = name == "TypePage" ? GetDlgItem(control("SSTab1"), tabPageId(0)) : control(name);
    RECT area{};
    GetClientRect(window, &area);
    const HDC dc = GetDC(window);
    const HDC copy = CreateCompatibleDC(dc);
    const HBITMAP bitmap = CreateCompatibleBitmap(dc, area.right, area.bottom);
    const HGDIOBJ old = SelectObject(copy, bitmap);
    BitBlt(copy, 0, 0, area.right, area.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(copy, old);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, area.right, -area.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<RGBQUAD> pixels(static_cast<std::size_t>(area.right) * static_cast<std::size_t>(area.bottom));
    GetDIBits(copy, bitmap, 0, static_cast<UINT>(area.bottom), pixels.data(), &info, DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(copy);
    ReleaseDC(window, dc);
    return static_cast<int>(std::ranges::count_if(pixels, [&](RGBQUAD pixel) {
      return RGB(pixel.rgbRed, pixel.rgbGreen, pixel.rgbBlue) == colour;
    }));
  }
};

TEST_P(Form1WinColours, PaintsWithTheSystemsColoursAndTheThemesInHighContrast) {
  const SystemColours colours({COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_HIGHLIGHT}, {kFace, kText, kHighlight});
  pump();  // the system tells the window of its new colours
  if (GetParam().highContrast) form->followSystemColours(true);
  RedrawWindow(form->window(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  EXPECT_GT(count(GetParam().control, GetParam().present), 0);
  EXPECT_EQ(count(GetParam().control, GetParam().absent), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Palettes, Form1WinColours,
    ::testing::Values(
        ColourCase{"DefaultTextIsTheSystemsNotBlack", false, "lbSyu(0)", kText, RGB(0, 0, 0)},
        ColourCase{"LabelFaceIsTheSystems", false, "Label4", kFace, RGB(0, 0, 0)},
        ColourCase{"HeaderStaysGreen", false, "lbPC(5)", RGB(0, 128, 0), kText},
        ColourCase{"PageStaysGrey", false, "TypePage", RGB(192, 192, 192), kHighlight},
        ColourCase{"ChartStaysRedAndGreen", false, "MSChart1", RGB(255, 0, 0), kHighlight},
        ColourCase{"HighContrastHeaderInTheTextColour", true, "lbPC(5)", kText, RGB(0, 128, 0)},
        ColourCase{"HighContrastCaptionInTheTextColour", true, "Label18", kText, RGB(0, 0, 255)},
        ColourCase{"HighContrastCreditInTheTextColour", true, "Label20", kText, RGB(0, 0, 0)},
        ColourCase{"HighContrastPageInTheFaceColour", true, "TypePage", kFace, RGB(192, 192, 192)},
        ColourCase{"HighContrastUsedWedgeHighlighted", true, "MSChart1", kHighlight, RGB(255, 0, 0)},
        ColourCase{"HighContrastFreeWedgeInTheTextColour", true, "MSChart1", kText, RGB(0, 255, 0)}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(Form1Win, ScreenReadersFindANameOnEveryPictureThePieAndEachPage) {
  form->events().Form_Load();
  for (const char* image : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
    EXPECT_EQ(text(image), "ハードディスク") << image;
  }
  EXPECT_EQ(text("MSChart1"), "使用 75 %、空き 25 %");
  for (int page = 0; page < 3; ++page) {
    wchar_t caption[64]{};
    SendMessageW(GetDlgItem(control("SSTab1"), tabPageId(page)), WM_GETTEXT, 64, reinterpret_cast<LPARAM>(caption));
    EXPECT_EQ(toUtf8(caption), kTabCaptions[static_cast<std::size_t>(page)]);
  }
}

}  // namespace
}  // namespace vantora::ui::win32
