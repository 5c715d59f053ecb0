#pragma once
// Driving another process's window as a user would: finding windows and
// controls, reading their texts, clicking and typing through the system's
// input queue, and reading pixels off the screen.

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/win32/unique_handle_win.h"
#include "win32/windows_api.h"

namespace vantora::automation {

using namespace std::chrono_literals;

using UniqueKernelHandle = ui::win32::UniqueHandle<HANDLE, &CloseHandle>;

// A started program; it is ended by force if it still runs when this goes.
class Program {
 public:
  Program(const std::wstring& executable, const std::wstring& workingDirectory);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  DWORD processId() const { return processId_; }
  // The exit code once the process has ended within `timeout`.
  std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout) const;

 private:
  UniqueKernelHandle process_;
  DWORD processId_ = 0;
};

// Polls `condition` every 50 ms until it holds or `timeout` passes.
bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);

// A visible top-level window of `processId` with this class (or any, when empty) and title.
HWND findTopLevel(DWORD processId, const std::wstring& className, const std::wstring& title);

// The descendant of `parent` with this control id.
HWND findDescendant(HWND parent, int controlId);
std::vector<HWND> childrenOf(HWND parent);

std::wstring windowText(HWND window);
std::wstring className(HWND window);
std::vector<std::wstring> listBoxItems(HWND listBox);
std::vector<std::wstring> comboBoxItems(HWND comboBox);

// `window`'s rectangle in the client coordinates of `form`.
RECT rectInClient(HWND form, HWND window);

// The clipboard's CF_UNICODETEXT, empty when it holds none; and the clipboard emptied.
std::wstring clipboardText();
void emptyClipboard();

void clickAt(POINT screenPoint);
void pressKey(WORD virtualKey, std::initializer_list<WORD> modifiers = {});

// The screen's pixels inside `area` (screen coordinates), row by row, as COLORREF.
std::vector<COLORREF> screenPixels(RECT area);
// Writes the screen inside `area` to a 24-bit BMP file.
bool saveScreenBitmap(RECT area, const std::wstring& path);

}  // namespace vantora::automation
