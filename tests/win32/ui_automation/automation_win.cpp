#include "automation_win.h"

#include <filesystem>
#include <fstream>
#include <thread>

namespace vantora::automation {

namespace {

constexpr UINT kMessageTimeoutMs = 5000;

LRESULT sendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result)) return -1;
  return static_cast<LRESULT>(result);
}

std::vector<std::wstring> itemsOf(HWND control, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::wstring> items;
  const LRESULT count = sendWithTimeout(control, countMessage, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = sendWithTimeout(control, lengthMessage, static_cast<WPARAM>(i), 0);
    std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    const LRESULT copied =
        sendWithTimeout(control, textMessage, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
    items.push_back(item);
  }
  return items;
}

using UniqueDc = ui::win32::UniqueHandle<HDC, &DeleteDC>;
using UniqueBitmap = ui::win32::UniqueHandle<HBITMAP, &DeleteObject>;

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

INPUT keyInput(WORD virtualKey, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = virtualKey;
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

}  // namespace

Program::Program(const std::wstring& executable, const std::wstring& workingDirectory) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  std::wstring commandLine = L"\"" + executable + L"\"";
  if (CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     workingDirectory.c_str(), &startup, &started)) {
    CloseHandle(started.hThread);
    process_.reset(started.hProcess);
    processId_ = started.dwProcessId;
  }
}

Program::~Program() {
  if (process_ && !waitForExit(0ms)) TerminateProcess(process_.get(), 99);
}

std::optional<DWORD> Program::waitForExit(std::chrono::milliseconds timeout) const {
  if (!process_ || WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(50ms);
  }
  return true;
}

HWND findTopLevel(DWORD processId, const std::wstring& wantedClass, const std::wstring& title) {
  struct Search {
    DWORD processId;
    const std::wstring& wantedClass;
    const std::wstring& title;
    HWND found = nullptr;
  } search{processId, wantedClass, title};
  EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == s.processId && IsWindowVisible(window) && windowText(window) == s.title &&
            (s.wantedClass.empty() || className(window) == s.wantedClass)) {
          s.found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> childrenOf(HWND parent) {
  std::vector<HWND> children;
  EnumChildWindows(
      parent,
      [](HWND child, LPARAM context) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&children));
  return children;
}

HWND findDescendant(HWND parent, int controlId) {
  for (HWND child : childrenOf(parent)) {
    if (GetDlgCtrlID(child) == controlId) return child;
  }
  return nullptr;
}

std::wstring windowText(HWND window) {
  const LRESULT length = sendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      sendWithTimeout(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(std::max<LRESULT>(copied, 0)));
  return text;
}

std::wstring className(HWND window) {
  wchar_t name[256]{};
  GetClassNameW(window, name, 256);
  return name;
}

std::vector<std::wstring> listBoxItems(HWND listBox) {
  return itemsOf(listBox, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

std::vector<std::wstring> comboBoxItems(HWND comboBox) {
  return itemsOf(comboBox, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

RECT rectInClient(HWND form, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void clickAt(POINT screenPoint) {
  SetCursorPos(screenPoint.x, screenPoint.y);
  INPUT clicks[2]{};
  clicks[0].type = clicks[1].type = INPUT_MOUSE;
  clicks[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  clicks[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, clicks, sizeof(INPUT));
}

std::wstring clipboardText() {
  if (!OpenClipboard(nullptr)) return {};
  std::wstring text;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* wide = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = wide;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void emptyClipboard() {
  if (!OpenClipboard(nullptr)) return;
  EmptyClipboard();
  CloseClipboard();
}

void pressKey(WORD virtualKey, std::initializer_list<WORD> modifiers) {
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(keyInput(modifier, false));
  inputs.push_back(keyInput(virtualKey, false));
  inputs.push_back(keyInput(virtualKey, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(keyInput(*it, true));
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::vector<COLORREF> screenPixels(RECT area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return {};
  const ScreenDc screen;
  const UniqueDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap) return {};
  const HGDIOBJ old = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  GdiFlush();
  std::vector<COLORREF> pixels;
  const auto* raw = static_cast<const std::uint32_t*>(bits);
  for (int i = 0; i < width * height; ++i) {
    pixels.push_back(RGB((raw[i] >> 16) & 0xFF, (raw[i] >> 8) & 0xFF, raw[i] & 0xFF));
  }
  SelectObject(memory.get(), old);
  return pixels;
}

bool saveScreenBitmap(RECT area, const std::wstring& path) {
  const std::vector<COLORREF> pixels = screenPixels(area);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (pixels.empty()) return false;
  const int rowBytes = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;  // bottom-up rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = static_cast<DWORD>(rowBytes * height);
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof header;
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&header), sizeof header);
  std::vector<char> row(static_cast<std::size_t>(rowBytes), 0);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const COLORREF colour = pixels[static_cast<std::size_t>(y * width + x)];
      row[static_cast<std::size_t>(x * 3)] = static_cast<char>(GetBValue(colour));
      row[static_cast<std::size_t>(x * 3 + 1)] = static_cast<char>(GetGValue(colour));
      row[static_cast<std::size_t>(x * 3 + 2)] = static_cast<char>(GetRValue(colour));
    }
    out.write(row.data(), rowBytes);
  }
  return static_cast<bool>(out);
}

}  // namespace vantora::automation
