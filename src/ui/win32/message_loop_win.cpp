#include "ui/win32/message_loop_win.h"

#include "app/event_guard.h"

namespace vantora::ui::win32 {

namespace {

constexpr int vbShiftMask = 1;
constexpr int vbCtrlMask = 2;
constexpr int vbAltMask = 4;

bool keyHeld(int key) { return GetKeyState(key) < 0; }

int shiftState() {
  return (keyHeld(VK_SHIFT) ? vbShiftMask : 0) | (keyHeld(VK_CONTROL) ? vbCtrlMask : 0) |
         (keyHeld(VK_MENU) ? vbAltMask : 0);
}

bool belongsTo(HWND form, HWND target) { return form && (target == form || IsChild(form, target)); }

}  // namespace

void handleMessage(Form1& form, MSG& message) {
  // F10 alone arrives as WM_SYSKEYDOWN (it opens the menu bar otherwise), with Ctrl as WM_KEYDOWN.
  const bool keyDown = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  const bool forForm = belongsTo(form.window(), message.hwnd);
  // The keys the window takes before its controls are events like any other:
  // an exception in one must not end the message loop.
  bool taken = false;
  runGuarded([&] {
    if (keyDown && forForm && form.events().Form_KeyDown(static_cast<int>(message.wParam), shiftState())) {
      taken = true;
    } else if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && forForm) {
      taken = true;
      form.OnTabKey(keyHeld(VK_SHIFT), keyHeld(VK_CONTROL));
    }
  });
  if (taken) return;
  // The arrow keys move between the controls, as in a dialog.
  if (form.window() && IsDialogMessageW(form.window(), &message)) return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

int runMessageLoop(Form1& form) {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) handleMessage(form, message);
  return static_cast<int>(message.wParam);
}

}  // namespace vantora::ui::win32
