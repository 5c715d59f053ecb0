#include "main/win32/first_frame_mark_win.h"

namespace vantora::startup {

void markFirstFrameIfAsked(HWND window) {
  if (GetEnvironmentVariableW(L"VANTORA_MARK_FIRST_FRAME", nullptr, 0) == 0) return;
  // The controls would paint when the message loop first finds the queue
  // empty; painting them here ends the frame at a moment the mark can name.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  GdiFlush();
  constexpr char kMark[] = "first-frame\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_ERROR_HANDLE), kMark, sizeof kMark - 1, &written, nullptr);
}

}  // namespace vantora::startup
