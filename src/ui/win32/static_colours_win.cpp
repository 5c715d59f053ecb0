#include "ui/win32/static_colours_win.h"

#include "ui/layout_table.h"
#include "ui/win32/control_ids_win.h"

namespace vantora::ui::win32 {

HBRUSH paintStatic(HDC dc, HWND control) {
  const int row = GetDlgCtrlID(control) - kFirstControlId;
  const Rgb text = row >= 0 && static_cast<std::size_t>(row) < kForm1Layout.size()
                       ? textRgb(kForm1Layout[static_cast<std::size_t>(row)].colour)
                       : Rgb{};
  SetTextColor(dc, RGB(text.red, text.green, text.blue));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  SetBkMode(dc, OPAQUE);
  return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace vantora::ui::win32
