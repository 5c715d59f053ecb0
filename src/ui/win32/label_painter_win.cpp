#include "ui/win32/label_painter_win.h"

#include <string>

#include "ui/layout_table.h"
#include "ui/win32/control_ids_win.h"

namespace vantora::ui::win32 {

namespace {

UINT alignmentFormat(Alignment alignment) {
  switch (alignment) {
    case Alignment::Centre: return DT_CENTER;
    case Alignment::Right: return DT_RIGHT;
    case Alignment::Left: break;
  }
  return DT_LEFT;
}

std::wstring textOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

bool drawLabel(const DRAWITEMSTRUCT& item, const Form1Palette& palette) {
  const int row = static_cast<int>(item.CtlID) - kFirstControlId;
  if (item.CtlType != ODT_STATIC || row < 0 || static_cast<std::size_t>(row) >= kForm1Layout.size()) return false;
  const ControlRow& label = kForm1Layout[static_cast<std::size_t>(row)];

  RECT area = item.rcItem;
  FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
  const COLORREF oldColour = SetTextColor(item.hDC, palette.textColour(label.colour));
  const int oldMode = SetBkMode(item.hDC, TRANSPARENT);
  const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
  const HGDIOBJ oldFont = font ? SelectObject(item.hDC, font) : nullptr;

  const std::wstring text = textOf(item.hwndItem);
  constexpr UINT kOneLine = DT_SINGLELINE | DT_NOPREFIX | DT_TOP;
  RECT needed = area;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &needed, kOneLine | DT_CALCRECT);
  const bool fits = needed.right - needed.left <= area.right - area.left;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area,
            kOneLine | (fits ? alignmentFormat(label.alignment) : DT_LEFT));

  if (oldFont) SelectObject(item.hDC, oldFont);
  SetBkMode(item.hDC, oldMode);
  SetTextColor(item.hDC, oldColour);
  return true;
}

}  // namespace vantora::ui::win32
