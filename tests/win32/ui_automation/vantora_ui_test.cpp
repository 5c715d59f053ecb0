// Starts Vantora.exe on a computer named 東京開発ＰＣ and drives it as a user
// would: checks Form1 against the layout table, walks it with Tab and Ctrl+Tab,
// reads the names screen readers find, switches tabs, picks drives through the drive list (a fixed
// disk, then the empty CD-ROM drive x: with its message box), and ends it
// with Ctrl+F10 from the list box; then starts it again to see Enter and
// Escape do nothing and F10 alone end it. Given a language, it checks instead
// that the window, its names for screen readers and the message box speak that
// language. Prints one line per check and "RESULT: PASS" or "RESULT: FAIL" last.
// Run inside a wine desktop of its own (run_ui_automation.sh) so no window
// manager gets in the way, with the user's language set by LC_ALL.
//
//   vantora_ui_automation.exe VANTORA.EXE SCREENSHOT.BMP [LANGUAGE]

#include "automation_win.h"
#include "computer_name_setting_win.h"

#include <commctrl.h>

#include <cstdio>
#include <set>
#include <string>
#include "driveinfo/drive_types.h"
#include "driveinfo/refresh_drive_info.h"
#include "driveinfo/refresh_steps.h"
#include "i18n/language.h"
#include "platform/make_system_queries.h"
#include "ui/layout_table.h"
#include "ui/win32/control_ids_win.h"
#include "ui/win32/form1_geometry_win.h"
#include "win32/wide_text_win.h"

namespace vantora::automation {
namespace {

using vantora::win32::toUtf8;
using vantora::win32::toWide;

class Checks {
 public:
  bool operator()(bool passed, const std::string& what) {
    std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
    std::fflush(stdout);
    failures_ += passed ? 0 : 1;
    return passed;
  }
  int failures() const { return failures_; }

 private:
  int failures_ = 0;
};

std::string describe(const RECT& r) {
  return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + ")";
}

bool sameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Fields the refresh writes; every other label and the button keep the table's caption.
const std::set<std::string_view> kRunTimeFields{"lbPC(4)", "lbPC(5)", "lbSyu(0)", "lbSou(1)", "lbAki(2)", "lbSys(0)",
                                                "lbSys(1)", "lbSys(2)", "Label4", "Text1", "Text2"};

// Windows 10's GetDpiForWindow, looked up: the build's API level is Windows 7's.
int dpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : USER_DEFAULT_SCREEN_DPI;
}

class Form1Driver {
 public:
  Form1Driver(HWND form, Checks& check) : form_(form), check_(check), dpi_(dpiOf(form)) {}

  HWND control(std::string_view name) const { return findDescendant(form_, ui::win32::controlId(name)); }
  std::string text(std::string_view name) const { return toUtf8(windowText(control(name))); }
  bool visible(std::string_view name) const { return IsWindowVisible(control(name)) != FALSE; }
  // The control that has the keyboard focus in Vantora's thread.
  HWND focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(form_, nullptr), &info);
    return info.hwndFocus;
  }
  bool focusOn(std::string_view name) const {
    return waitUntil([&] { return focus() == control(name); }, 3s);
  }
  int page() const { return static_cast<int>(SendMessageW(control("SSTab1"), TCM_GETCURSEL, 0, 0)); }
  int dpi() const { return dpi_; }

  void checkFrame() {
    RECT client{};
    GetClientRect(form_, &client);
    const SIZE wanted = ui::win32::clientSizeAt(dpi_);
    check_(client.right == wanted.cx && client.bottom == wanted.cy,
           "client area is 6750 x 5070 twips at " + std::to_string(dpi_) + " dpi: " + describe(client));
    const LONG style = GetWindowLongW(form_, GWL_STYLE);
    check_((style & (WS_MAXIMIZEBOX | WS_THICKFRAME)) == 0, "frame has no maximize button and no sizing border");
    RECT frame{};
    GetWindowRect(form_, &frame);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const double left = (screenWidth - (frame.right - frame.left)) / 2.0;
    const double top = (screenHeight - (frame.bottom - frame.top)) / 2.0;
    check_(std::abs(frame.left - left) <= 0.5 && std::abs(frame.top - top) <= 0.5,
           "window is centred on the " + std::to_string(screenWidth) + " x " + std::to_string(screenHeight) +
               " screen: " + describe(frame));
  }

  void checkLayout() {
    for (const ui::ControlRow& row : ui::kForm1Layout) {
      const std::string name(row.name);
      const HWND window = control(row.name);
      if (!check_(window != nullptr, name + " exists")) continue;
      const RECT actual = rectInClient(form_, window);
      const RECT wanted = ui::win32::clientRectOf(row, dpi_);
      check_(sameRect(actual, wanted), name + " stands at " + describe(wanted) + ": " + describe(actual));
      if (row.container != ui::Container::Window) {
        const int page = ui::tabPageIndex(row.container);
        const HWND pageWindow = findDescendant(form_, ui::win32::tabPageId(page));
        check_(pageWindow && IsChild(pageWindow, window), name + " belongs to tab page " + std::to_string(page));
      }
      if (row.kind != ui::ControlKind::Image) {
        const bool shown = row.visible && ui::tabPageIndex(row.container) <= 0;
        check_(visible(row.name) == shown, name + (shown ? " is shown" : " is hidden"));
      }
      if ((row.kind == ui::ControlKind::Label || row.kind == ui::ControlKind::CommandButton) &&
          !kRunTimeFields.contains(row.name)) {
        check_(text(row.name) == row.content, name + " reads \"" + std::string(row.content) + "\"");
      }
    }
    const HWND tab = control("SSTab1");
    check_(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0) == 3 && SendMessageW(tab, TCM_GETCURSEL, 0, 0) == 0,
           "SSTab1 has three tabs and the first is selected");
  }

  void checkPictures(std::string_view shown) {
    for (const char* name : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
      const bool wanted = shown == name;
      check_(visible(name) == wanted, std::string(name) + (wanted ? " is shown" : " is hidden"));
    }
  }

  // Pure red and pure green pixels inside the pie.
  std::pair<int, int> pieColours() const {
    RECT area{};
    GetWindowRect(control("MSChart1"), &area);
    int red = 0, green = 0;
    for (COLORREF pixel : screenPixels(area)) {
      red += pixel == RGB(255, 0, 0);
      green += pixel == RGB(0, 255, 0);
    }
    return {red, green};
  }

  // Clicks a tab as a user does; the first click on a window that is not yet
  // active may only activate it, so a click that changed nothing is repeated.
  bool clickTab(int page) {
    const HWND tab = control("SSTab1");
    RECT strip{};
    GetWindowRect(tab, &strip);
    const int tabWidth = (strip.right - strip.left - 4) / 3;
    const POINT target{strip.left + 2 + tabWidth * page + tabWidth / 2,
                       strip.top + ui::twipsToPixels(ui::kTabStripTwips, dpi_) / 2};
    return clickUntil(target, [&] { return SendMessageW(tab, TCM_GETCURSEL, 0, 0) == page; });
  }

  std::string selectedDrive() const {
    const HWND combo = control("Drive1");
    const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
    const std::vector<std::wstring> items = comboBoxItems(combo);
    return selected >= 0 && static_cast<std::size_t>(selected) < items.size()
               ? toUtf8(items[static_cast<std::size_t>(selected)])
               : std::string{};
  }

  // Drops the drive list down with the mouse and types the drive letter, as a user does.
  bool pickDrive(wchar_t letter, bool pressEnter) {
    const HWND combo = control("Drive1");
    RECT box{};
    GetWindowRect(combo, &box);
    if (!check_(clickUntil({(box.left + box.right) / 2, (box.top + box.bottom) / 2},
                           [&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0; }),
                "Drive1 drops down on a click")) {
      return false;
    }
    pressKey(static_cast<WORD>(LOBYTE(VkKeyScanW(letter))));
    if (pressEnter) {
      pressKey(VK_RETURN);
      check_(waitUntil([&] { return SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) == 0; }, 3s),
             "Enter closes the drive list");
    }
    return true;
  }

 private:
  bool clickUntil(POINT target, const std::function<bool()>& done) {
    for (int attempt = 0; attempt < 3; ++attempt) {
      // A second click on the same spot soon after the first would be a double click.
      Sleep(GetDoubleClickTime() + 100);
      SetForegroundWindow(form_);
      clickAt(target);
      if (waitUntil(done, 2s)) return true;
    }
    return false;
  }

  HWND form_;
  Checks& check_;
  int dpi_;
};

std::string expectedHeader() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1]{};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  GetComputerNameW(name, &size);
  return toUtf8(name);
}

bool endsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

int run(const std::wstring& executable, const std::wstring& screenshot) {
  Checks check;
  // Six characters of three bytes each: cut at 15 bytes it would lose its last.
  const testing::ComputerNameSetting japaneseName(L"東京開発ＰＣ");
  Program vantora(executable, L"C:\\");
  check(vantora.processId() != 0, "Vantora.exe starts");
  HWND form = nullptr;
  check(waitUntil([&] { return (form = findTopLevel(vantora.processId(), L"VantoraForm1", L"Vantora  V2.1")); }, 30s),
        "Form1 appears with the title \"Vantora  V2.1\"");
  if (!form) return 1;
  Form1Driver driver(form, check);
  check(!findTopLevel(vantora.processId(), L"#32770", L"Vantora"), "no message box for the fixed disk c:");

  driver.checkFrame();
  driver.checkLayout();

  // The first refresh ran for c:, the working directory's drive.
  const std::string name = expectedHeader();
  check(driver.text("lbPC(4)") == name, "lbPC(4) holds the computer name " + name);
  check(driver.text("lbPC(5)") == "東京開発ＰＣ　ディスク情報", "lbPC(5) reads 東京開発ＰＣ　ディスク情報: " + driver.text("lbPC(5)"));
  check(driver.text("lbSyu(0)") == "ハードディスク", "c: is a hard disk: " + driver.text("lbSyu(0)"));
  driver.checkPictures("Image2");
  check(endsWith(driver.text("lbSou(1)"), "MB)") && endsWith(driver.text("lbAki(2)"), "MB)"),
        "capacities read N (M.MB): " + driver.text("lbSou(1)") + " / " + driver.text("lbAki(2)"));
  check(!driver.text("lbSys(0)").empty(), "lbSys(0) names the file system: " + driver.text("lbSys(0)"));
  check(endsWith(driver.text("Label4"), " %"), "Label4 shows the used percentage: " + driver.text("Label4"));
  const auto [red, green] = driver.pieColours();
  check(red > 0 && green > 0, "the pie shows used (red) and free (green) space");
  check(comboBoxItems(driver.control("Drive1")).size() >= 4, "Drive1 lists c:, r:, x: and z:");
  check(driver.selectedDrive() == "c:", "Drive1 shows the working directory's drive c:");

  RECT frame{};
  GetWindowRect(form, &frame);
  check(saveScreenBitmap(frame, screenshot), "screenshot saved");

  // What a screen reader finds where nothing is written.
  check(windowText(driver.control("Image2")) == toWide(driver.text("lbSyu(0)")), "Image2 is named as lbSyu(0) reads");
  check(driver.text("MSChart1").starts_with("使用 " + driver.text("Label4") + "、空き ") &&
            endsWith(driver.text("MSChart1"), " %"),
        "MSChart1 is named with the used share Label4 shows and the free share: " + driver.text("MSChart1"));
  for (int page = 0; page < 3; ++page) {
    const HWND pageWindow = findDescendant(form, ui::win32::tabPageId(page));
    check(toUtf8(windowText(pageWindow)) == ui::kTabCaptions[static_cast<std::size_t>(page)],
          "tab page " + std::to_string(page) + " is named " + std::string(ui::kTabCaptions[static_cast<std::size_t>(page)]));
  }

  // The keyboard alone: the focus starts on the strip, Tab leaves it and Shift+Tab
  // comes back; Ctrl+Tab switches the page from the button.
  SetForegroundWindow(form);
  check(driver.focusOn("SSTab1"), "the focus starts on SSTab1");
  pressKey(VK_TAB);
  check(driver.focusOn("cmdF10"), "Tab goes on to cmdF10");
  pressKey(VK_TAB, {VK_SHIFT});
  check(driver.focusOn("SSTab1"), "Shift+Tab comes back to SSTab1");
  pressKey(VK_TAB);
  pressKey(VK_TAB, {VK_CONTROL});
  check(waitUntil([&] { return driver.page() == 1; }, 3s) && driver.focusOn("cmdF10"),
        "Ctrl+Tab on cmdF10 shows the page システム and leaves the focus on cmdF10");
  pressKey(VK_TAB, {VK_CONTROL, VK_SHIFT});
  check(waitUntil([&] { return driver.page() == 0; }, 3s), "Ctrl+Shift+Tab goes back to the page 種類・容量");

  // Tab pages: only the selected page's controls are shown.
  check(driver.clickTab(2), "a click selects the tab 属性");
  check(waitUntil([&] { return driver.visible("List1"); }, 3s) && !driver.visible("lbSyu(0)") &&
            !driver.visible("lbSys(0)"),
        "the tab 属性 shows List1 alone");
  const std::vector<std::wstring> features = listBoxItems(driver.control("List1"));
  check(!features.empty(), "List1 holds the features of c: (" + std::to_string(features.size()) + " lines)");
  check(driver.visible("MSChart1"), "the pie stays visible on every tab");

  // A user picks r:, a RAM disk: its own capacity, and no picture.
  const auto system = makeSystemQueries();
  std::uint64_t toCaller = 0, total = 0, totalFree = 0;
  system->diskFreeSpaceEx("r:\\", toCaller, total, totalFree);
  const std::string totalText = capacityText(total, system->numberSeparators());
  if (driver.pickDrive(L'r', true)) {
    check(waitUntil([&] { return driver.text("lbSou(1)") == totalText; }, 5s),
          "after picking r: lbSou(1) reads " + totalText + ": " + driver.text("lbSou(1)"));
    check(driver.text("lbSyu(0)") == "RAMDISK", "r: is a RAM disk: " + driver.text("lbSyu(0)"));
    driver.checkPictures("");
    check(driver.selectedDrive().starts_with("r:"), "Drive1 shows r:: " + driver.selectedDrive());
    check(!findTopLevel(vantora.processId(), L"#32770", L"Vantora"), "no message box for r:");
  }

  // The empty CD-ROM drive x: takes the failure path.
  if (driver.pickDrive(L'x', false)) {
    HWND box = nullptr;
    check(waitUntil([&] { return (box = findTopLevel(vantora.processId(), L"#32770", L"Vantora")); }, 5s),
          "a message box captioned Vantora appears for x:");
    if (box) {
      int texts = 0, icons = 0, buttons = 0;
      for (HWND child : childrenOf(box)) {
        if (!IsWindowVisible(child)) continue;
        const std::wstring kind = className(child);
        const LONG style = GetWindowLongW(child, GWL_STYLE);
        // An icon static without an icon shows nothing.
        if (kind == L"Static" && (style & SS_TYPEMASK) == SS_ICON && SendMessageW(child, STM_GETICON, 0, 0)) ++icons;
        if (kind == L"Static" && windowText(child) == L"ディスクが挿入されていません。") ++texts;
        if (kind == L"Button") ++buttons;
      }
      check(texts == 1, "it says ディスクが挿入されていません。");
      check(icons == 0 && buttons == 1, "it has an OK button only and no icon (" + std::to_string(buttons) +
                                            " buttons, " + std::to_string(icons) + " icons)");
      check(driver.text("Label4") == "----", "Label4 reads ---- behind the box: " + driver.text("Label4"));
      check(driver.text("lbSyu(0)") == "CD-ROM", "x: is a CD-ROM drive: " + driver.text("lbSyu(0)"));
      driver.checkPictures("Image3");
      const HWND ok = FindWindowExW(box, nullptr, L"Button", nullptr);
      PostMessageW(ok, BM_CLICK, 0, 0);
      check(waitUntil([&] { return !IsWindow(box); }, 5s), "OK closes the message box");
      check(driver.focusOn("Drive1"), "the focus is back on Drive1 after the box");
      const auto [failedRed, failedGreen] = driver.pieColours();
      check(failedRed == 0 && failedGreen > 0, "after the failure the pie is one green disc");
    }
  }

  // Ctrl+C, and 「コピー」 in the context menu, put what the window shows on the
  // clipboard: one caption line per field, ending in CR LF as Windows text does.
  emptyClipboard();
  SetForegroundWindow(form);
  pressKey('C', {VK_CONTROL});
  std::wstring copied;
  check(waitUntil([&] { return !(copied = clipboardText()).empty(); }, 5s), "Ctrl+C puts text on the clipboard");
  const auto lineCount = [](const std::wstring& text) {
    std::size_t lines = 0;
    for (std::size_t at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) ++lines;
    return lines;
  };
  check(copied.starts_with(L"表示ディスク: x:") && copied.find(L"\r\nDisk使用率: ----\r\n") != std::wstring::npos &&
            lineCount(copied) == 9,
        "the copy is x:'s nine caption lines in CR LF: " + toUtf8(copied));
  emptyClipboard();
  RECT whole{};
  GetWindowRect(form, &whole);
  PostMessageW(form, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form),
               MAKELPARAM((whole.left + whole.right) / 2, (whole.top + whole.bottom) / 2));
  check(waitUntil([&] { return findTopLevel(vantora.processId(), L"#32768", L"") != nullptr; }, 5s),
        "the context menu opens");
  pressKey(VK_DOWN);
  pressKey(VK_RETURN);
  std::wstring fromMenu;
  check(waitUntil([&] { return !(fromMenu = clipboardText()).empty(); }, 5s) && fromMenu == copied,
        "its コピー copies the same text: " + toUtf8(fromMenu));

  // Ctrl+F10 with the focus in the list box ends the program.
  RECT list{};
  GetWindowRect(driver.control("List1"), &list);
  SetForegroundWindow(form);
  clickAt({(list.left + list.right) / 2, list.bottom - 4});
  pressKey(VK_F10, {VK_CONTROL});
  const std::optional<DWORD> exitCode = vantora.waitForExit(10s);
  check(exitCode.has_value(), "Ctrl+F10 with the focus on List1 ends Vantora");
  check(exitCode.value_or(1) == 0, "the exit code is 0");

  // A second start: Enter and Escape do nothing (cmdF10 is neither the default
  // nor the cancel button), and F10 alone, with the focus on the tab control, ends it.
  Program again(executable, L"C:\\");
  HWND second = nullptr;
  if (check(waitUntil([&] { return (second = findTopLevel(again.processId(), L"VantoraForm1", L"Vantora  V2.1")); },
                      30s),
            "Vantora starts again")) {
    SetForegroundWindow(second);
    pressKey(VK_RETURN);
    pressKey(VK_ESCAPE);
    check(!again.waitForExit(1s) && IsWindowVisible(second), "Enter and Escape leave the window open");
    pressKey(VK_F10);
    const std::optional<DWORD> code = again.waitForExit(10s);
    check(code.has_value() && *code == 0, "F10 ends Vantora with exit code 0");
  }

  std::printf("RESULT: %s (%d failed)\n", check.failures() == 0 ? "PASS" : "FAIL", check.failures());
  return check.failures() == 0 ? 0 : 1;
}

std::string beforeFirstPlaceholder(const std::string& text) { return text.substr(0, text.find("%1")); }

// The window in a translation: every caption, the tabs, the drive type, the
// features, the names for screen readers and the message box come from the
// catalogue, and a caption given more room stands in it.
int runTranslated(const std::wstring& executable, const std::wstring& screenshot, const std::string& language) {
  Checks check;
  i18n::useLanguage(language);
  if (!check(i18n::currentLanguage() == language, "the program has a catalogue for " + language)) return 1;
  const auto shown = [](std::string_view source) { return std::string(i18n::tr(source)); };
  Program vantora(executable, L"C:\\");
  HWND form = nullptr;
  check(waitUntil([&] { return (form = findTopLevel(vantora.processId(), L"VantoraForm1", L"Vantora  V2.1")); }, 30s),
        "Form1 appears with the title \"Vantora  V2.1\"");
  if (!form) return 1;
  Form1Driver driver(form, check);
  for (const ui::ControlRow& row : ui::kForm1Layout) {
    const std::string name(row.name);
    if ((row.kind == ui::ControlKind::Label || row.kind == ui::ControlKind::CommandButton) &&
        !kRunTimeFields.contains(row.name)) {
      check(driver.text(row.name) == shown(row.content), name + " reads \"" + shown(row.content) + "\"");
    }
    const RECT wanted = ui::win32::clientRectOf(ui::placedRow(row, true), driver.dpi());
    check(sameRect(rectInClient(form, driver.control(row.name)), wanted), name + " stands at " + describe(wanted));
  }
  // Each page carries its tab's caption (a tab's own text cannot be read from another process).
  for (int page = 0; page < 3; ++page) {
    const std::string wanted = shown(ui::kTabCaptions[static_cast<std::size_t>(page)]);
    check(toUtf8(windowText(findDescendant(form, ui::win32::tabPageId(page)))) == wanted,
          "tab page " + std::to_string(page) + " is named " + wanted);
  }
  const std::string suffix = shown(kHeaderSuffix);
  check(endsWith(driver.text("lbPC(5)"), suffix), "lbPC(5) ends in \"" + suffix + "\": " + driver.text("lbPC(5)"));
  check(driver.text("lbSyu(0)") == shown(kDriveTypes[kDriveFixed].caption), "c: is a " + driver.text("lbSyu(0)"));
  check(driver.text("MSChart1").starts_with(beforeFirstPlaceholder(shown("使用 %1、空き %2")) + driver.text("Label4")),
        "MSChart1 is named in the language with the used share Label4 shows: " + driver.text("MSChart1"));
  RECT frame{};
  GetWindowRect(form, &frame);
  check(saveScreenBitmap(frame, screenshot), "screenshot saved");

  check(driver.clickTab(2), "a click selects the third tab");
  std::set<std::string> features;
  for (const std::wstring& line : listBoxItems(driver.control("List1"))) features.insert(toUtf8(line));
  check(!features.empty() && features.contains(shown("ファイル名大文字小文字維持")),
        "List1 names the features of c: in the language (" + std::to_string(features.size()) + " lines)");

  if (driver.pickDrive(L'x', false)) {
    HWND box = nullptr;
    check(waitUntil([&] { return (box = findTopLevel(vantora.processId(), L"#32770", L"Vantora")); }, 5s),
          "a message box captioned Vantora appears for x:");
    if (box) {
      bool says = false;
      for (HWND child : childrenOf(box)) says = says || toUtf8(windowText(child)) == shown(kNoDiskMessage);
      check(says, "it says " + shown(kNoDiskMessage));
      PostMessageW(FindWindowExW(box, nullptr, L"Button", nullptr), BM_CLICK, 0, 0);
      check(waitUntil([&] { return !IsWindow(box); }, 5s), "OK closes the message box");
    }
  }
  SetForegroundWindow(form);
  pressKey(VK_F10);
  const std::optional<DWORD> code = vantora.waitForExit(10s);
  check(code.has_value() && *code == 0, "F10 ends Vantora with exit code 0");
  std::printf("RESULT: %s (%d failed)\n", check.failures() == 0 ? "PASS" : "FAIL", check.failures());
  return check.failures() == 0 ? 0 : 1;
}

}  // namespace
}  // namespace vantora::automation

int wmain(int argc, wchar_t** argv) {
  if (argc != 3 && argc != 4) {
    std::fputs("usage: vantora_ui_automation VANTORA.EXE SCREENSHOT.BMP [LANGUAGE]\n", stderr);
    return 2;
  }
  if (argc == 4) return vantora::automation::runTranslated(argv[1], argv[2], vantora::win32::toUtf8(argv[3]));
  return vantora::automation::run(argv[1], argv[2]);
}
