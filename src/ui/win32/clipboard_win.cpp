#include "ui/win32/clipboard_win.h"

#include <cstring>
#include <string>

#include "win32/wide_text_win.h"
#include "ui/win32/unique_handle_win.h"

namespace vantora::ui::win32 {
namespace {

using UniqueGlobal = UniqueHandle<HGLOBAL, &GlobalFree>;

// Open for as long as it lives; another program may hold the clipboard.
class OpenClipboardScope {
 public:
  explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~OpenClipboardScope() {
    if (open_) CloseClipboard();
  }
  OpenClipboardScope(const OpenClipboardScope&) = delete;
  OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
  explicit operator bool() const { return open_; }

 private:
  bool open_;
};

std::wstring withCrLf(std::string_view utf8) {
  std::string lines;
  lines.reserve(utf8.size() + utf8.size() / 16);
  for (const char c : utf8) {
    if (c == '\n') lines += '\r';
    lines += c;
  }
  return vantora::win32::toWide(lines);
}

}  // namespace

bool putTextOnClipboard(HWND owner, std::string_view utf8) {
  const std::wstring text = withCrLf(utf8);
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  UniqueGlobal memory(GlobalAlloc(GMEM_MOVEABLE, bytes));
  if (!memory) return false;
  void* target = GlobalLock(memory.get());
  if (target == nullptr) return false;
  std::memcpy(target, text.c_str(), bytes);
  GlobalUnlock(memory.get());

  const OpenClipboardScope clipboard(owner);
  if (!clipboard || !EmptyClipboard()) return false;
  if (SetClipboardData(CF_UNICODETEXT, memory.get()) == nullptr) return false;
  // The system owns the memory now.
  memory.release();
  return true;
}

}  // namespace vantora::ui::win32
