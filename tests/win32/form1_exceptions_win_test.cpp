// A backend that throws, met through Form1's window procedure: no exception may
// leave it, the refresh shows what a failed drive shows, and the window goes on
// working instead of ending the program.

// The fake names Windows' error numbers as the seam does: it must come before <windows.h>.
#include "support/fake_system_queries.h"
#include "ui/win32/form1_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/win32/control_ids_win.h"
#include "win32/wide_text_win.h"

namespace vantora::ui::win32 {
namespace {

using vantora::testing::FakeDrive;
using vantora::testing::FakeVolume;
using vantora::win32::toUtf8;

// The text of every message box the thread opens; each is answered with OK as
// soon as its modal loop runs.
std::vector<std::string> boxesSeen;

std::string windowText(HWND window) {
  wchar_t buffer[512]{};
  GetWindowTextW(window, buffer, 512);
  return toUtf8(buffer);
}

void CALLBACK answerMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM) -> BOOL {
        wchar_t kind[16]{};
        GetClassNameW(window, kind, 16);
        if (std::wstring_view(kind) != L"#32770" || !IsWindowVisible(window)) return TRUE;
        std::string seen = windowText(window) + ":";
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
          GetClassNameW(child, kind, 16);
          if (std::wstring_view(kind) == L"Static" && !windowText(child).empty()) seen += " " + windowText(child);
        }
        boxesSeen.push_back(seen);
        EndDialog(window, IDOK);
        return TRUE;
      },
      0);
}

FakeDrive fixedDrive(const char* label) {
  FakeDrive drive;
  drive.type = DRIVE_FIXED;
  drive.freeBytesToCaller = 250'000'000;
  drive.totalBytes = 1'000'000'000;
  drive.volume = FakeVolume{label, "NTFS", 0x1234ABCD, 0x2 | 0x4, 255};
  return drive;
}

class Form1WinExceptions : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }

  void SetUp() override {
    system.drives["c:\\"] = fixedDrive("SYSTEM");
    system.drives["d:\\"] = fixedDrive("DATA");
    system.driveList = {{{"c: [SYSTEM]", "c:\\"}, {"d: [DATA]", "d:\\"}}, 0};
    model.Drive1.replaceEntries(system.driveList.drives, system.driveList.current);
    form.emplace(GetModuleHandleW(nullptr), model, system);
    form->events().Form_Load();
    boxesSeen.clear();
    timer_ = SetTimer(nullptr, 0, 20, answerMessageBoxes);
  }
  void TearDown() override { KillTimer(nullptr, timer_); }

  // Controls on the tab pages are not the window's own children.
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
  std::string text(std::string_view name) const { return windowText(control(name)); }

  void userPicks(std::size_t index) {
    SendMessageW(control("Drive1"), CB_SETCURSEL, index, 0);
    SendMessageW(form->window(), WM_COMMAND, MAKEWPARAM(controlId("Drive1"), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(control("Drive1")));
  }
  void dropsDown() {
    SendMessageW(form->window(), WM_COMMAND, MAKEWPARAM(controlId("Drive1"), CBN_DROPDOWN),
                 reinterpret_cast<LPARAM>(control("Drive1")));
  }

  // Nothing asked the program to end, and the next event is answered as ever.
  void expectTheWindowStillWorks() {
    MSG quit;
    EXPECT_FALSE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the program was told to end";
    EXPECT_TRUE(IsWindow(form->window()));
    system.throwFrom.clear();
    boxesSeen.clear();
    userPicks(1);
    userPicks(0);
    EXPECT_EQ(text("lbSys(1)"), "SYSTEM");
    EXPECT_EQ(text("Label4"), "75 %");
    EXPECT_TRUE(boxesSeen.empty());
  }

  vantora::testing::FakeSystemQueries system;
  Form1Model model;
  std::optional<Form1> form;

 private:
  UINT_PTR timer_ = 0;
};

class AQueryThrowsWin : public Form1WinExceptions,
                        public ::testing::WithParamInterface<vantora::testing::ThrowingQuery> {};

TEST_P(AQueryThrowsWin, WhileReadingTheDriveTakesTheFailurePath) {
  system.throwFrom = GetParam().query;
  system.exception = GetParam().exception;
  userPicks(1);
  EXPECT_EQ(text("Label4"), "----");
  EXPECT_EQ(boxesSeen, std::vector<std::string>{"Vantora: ディスクが挿入されていません。"});
  EXPECT_EQ(text("MSChart1"), "使用 0 %、空き 100 %") << "the chart holds 0 and 1000";
  expectTheWindowStillWorks();
}

INSTANTIATE_TEST_SUITE_P(Queries, AQueryThrowsWin, ::testing::ValuesIn(vantora::testing::queriesAfterTheHeader()),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.query); });

TEST_F(Form1WinExceptions, TheComputerNameThrowingLeavesTheWindowAsItWas) {
  const std::string header = text("lbPC(5)");
  system.throwFrom = "computerName";
  userPicks(1);
  EXPECT_EQ(text("lbPC(5)"), header);
  EXPECT_EQ(text("lbSys(1)"), "SYSTEM");
  EXPECT_EQ(text("Label4"), "75 %");
  EXPECT_TRUE(boxesSeen.empty());
  expectTheWindowStillWorks();
}

TEST_F(Form1WinExceptions, TheDriveListThrowingKeepsTheListAsItWas) {
  system.driveList.drives.push_back({"e:", "e:\\"});
  system.throwFrom = "listDrives";
  dropsDown();
  EXPECT_EQ(SendMessageW(control("Drive1"), CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(control("Drive1"), CB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(boxesSeen.empty());
  expectTheWindowStillWorks();
}

}  // namespace
}  // namespace vantora::ui::win32
