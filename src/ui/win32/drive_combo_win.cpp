#include "ui/win32/drive_combo_win.h"

#include "win32/wide_text_win.h"

namespace vantora::ui::win32 {

namespace {
constexpr int kDroppedItems = 8;
}

void DriveCombo::show(const std::vector<DriveEntry>& entries, std::size_t selected) {
  if (entries != shown_) {
    SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const DriveEntry& entry : entries) {
      const std::wstring text = vantora::win32::toWide(entry.text);
      SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    shown_ = entries;
  }
  const WPARAM index = selected < entries.size() ? static_cast<WPARAM>(selected) : static_cast<WPARAM>(-1);
  SendMessageW(combo_, CB_SETCURSEL, index, 0);
}

void DriveCombo::place(RECT rect) {
  const int wanted = rect.bottom - rect.top;
  const auto itemHeight = static_cast<int>(SendMessageW(combo_, CB_GETITEMHEIGHT, 0, 0));
  SetWindowPos(combo_, nullptr, rect.left, rect.top, rect.right - rect.left, wanted + kDroppedItems * itemHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // The closed field's height follows the selection field's item height; trim it to the table's height.
  // Some implementations report that item height with a padding they do not take back when it is set,
  // so the correction is measured rather than computed.
  auto excess = [&] {
    RECT placed;
    GetWindowRect(combo_, &placed);
    return (placed.bottom - placed.top) - wanted;
  };
  int request = static_cast<int>(SendMessageW(combo_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
  for (int attempt = 0, off = excess(); attempt < 3 && off != 0 && request - off > 0; ++attempt, off = excess()) {
    request -= off;
    SendMessageW(combo_, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), request);
  }
}

}  // namespace vantora::ui::win32
