// Starts Vantora.exe on the drive l:, which run_live_automation.sh made for
// it, and takes that letter away as a pulled stick's goes: the script removes
// its link when asked ("remove l:" on a line of its own), then this program
// its definition. With no key pressed, the window must
// then leave l: for another drive and show no message box. Prints one line
// per check and "RESULT: PASS" or "RESULT: FAIL" last.
//
//   vantora_live_automation.exe VANTORA.EXE

#include "automation_win.h"

#include <cstdio>
#include <string>

#include "win32/wide_text_win.h"
#include "ui/win32/control_ids_win.h"

namespace vantora::automation {
namespace {

using vantora::win32::toUtf8;

int failures = 0;

bool check(bool passed, const std::string& what) {
  std::printf("%s %s\n", passed ? "ok  " : "FAIL", what.c_str());
  std::fflush(stdout);
  failures += passed ? 0 : 1;
  return passed;
}

std::string selectedDrive(HWND form) {
  const HWND combo = findDescendant(form, ui::win32::controlId("Drive1"));
  const LRESULT selected = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  const std::vector<std::wstring> items = comboBoxItems(combo);
  return selected >= 0 && static_cast<std::size_t>(selected) < items.size()
             ? toUtf8(items[static_cast<std::size_t>(selected)])
             : std::string{};
}

bool letterInUse(char letter) { return ((GetLogicalDrives() >> (letter - 'a')) & 1) != 0; }

int run(const std::wstring& executable) {
  Program vantora(executable, L"L:\\");
  HWND form = nullptr;
  if (!check(waitUntil([&] { return (form = findTopLevel(vantora.processId(), L"VantoraForm1", L"Vantora  V2.1")); },
                       30s),
             "Form1 appears")) {
    return 1;
  }
  check(selectedDrive(form).starts_with("l:"), "Drive1 shows the working directory's drive l:: " + selectedDrive(form));
  // A tick passes first, so the drive is one the window has already looked at again.
  Sleep(2500);
  check(!findTopLevel(vantora.processId(), L"#32770", L"Vantora"), "no message box for l:");

  // As wine's mount manager takes a letter away: the link first, then the
  // letter's definition, which is what GetLogicalDrives reads.
  std::printf("remove l:\n");
  std::fflush(stdout);
  check(waitUntil([] { return GetDriveTypeW(L"L:\\") == DRIVE_NO_ROOT_DIR; }, 60s), "the link of l: is gone");
  check(DefineDosDeviceW(DDD_REMOVE_DEFINITION, L"L:", nullptr) != FALSE, "the definition of l: is removed");
  check(waitUntil([] { return !letterInUse('l'); }, 10s), "the letter l: is gone");
  bool boxShown = false;
  const bool moved = waitUntil(
      [&] {
        boxShown = boxShown || findTopLevel(vantora.processId(), L"#32770", L"Vantora");
        return !selectedDrive(form).starts_with("l:");
      },
      15s);
  check(moved, "with no key pressed, Drive1 left l: for " + selectedDrive(form));
  // A box would come with the refresh of the drive it moved to; give it a tick more.
  waitUntil([&] { return (boxShown = boxShown || findTopLevel(vantora.processId(), L"#32770", L"Vantora")); }, 3s);
  check(!boxShown, "no message box for the drive that went away");
  for (const std::wstring& item : comboBoxItems(findDescendant(form, ui::win32::controlId("Drive1")))) {
    if (item.starts_with(L"l:")) check(false, "Drive1 still lists l:");
  }

  std::printf("RESULT: %s (%d failed)\n", failures == 0 ? "PASS" : "FAIL", failures);
  return failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace vantora::automation

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: vantora_live_automation VANTORA.EXE\n", stderr);
    return 2;
  }
  return vantora::automation::run(argv[1]);
}
