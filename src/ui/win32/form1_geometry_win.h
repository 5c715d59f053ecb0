#pragma once
// Where each control of Form1 stands, in pixels of the client area at a given
// DPI. A page control's table position counts from the tab control's corner;
// both parts are scaled separately, so a page control sits exactly where the
// tab control's scaled corner plus its own scaled offset puts it.

#include "ui/layout_table.h"
#include "win32/windows_api.h"

namespace vantora::ui::win32 {

inline int px(int twips, int dpi) { return twipsToPixels(twips, dpi); }

inline RECT clientRectOf(const ControlRow& row, int dpi) {
  int left = px(row.left, dpi);
  int top = px(row.top, dpi);
  if (row.container != Container::Window) {
    const ControlRow& tab = *findControl("SSTab1");
    left += px(tab.left, dpi);
    top += px(tab.top, dpi);
  }
  return {left, top, left + px(row.width, dpi), top + px(row.height, dpi)};
}

inline SIZE clientSizeAt(int dpi) { return {px(kClientWidthTwips, dpi), px(kClientHeightTwips, dpi)}; }

}  // namespace vantora::ui::win32
