#include "ui/win32/tab_page_win.h"

#include "ui/layout_table.h"
#include "ui/win32/control_ids_win.h"
#include "ui/win32/label_painter_win.h"

namespace vantora::ui::win32 {

TabPage::TabPage(HINSTANCE instance, HWND tabControl, int page, const wchar_t* caption)
    : face_(CreateSolidBrush(palette_.pageFace)) {
  registerClass(instance, nullptr);
  create(instance, WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPSIBLINGS, caption, 0, 0, 0, 0, tabControl,
         tabPageId(page));
}

void TabPage::setPalette(const Form1Palette& palette) {
  palette_ = palette;
  face_.reset(CreateSolidBrush(palette_.pageFace));
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT TabPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, face_.get());
      return 1;
    }
    case WM_DRAWITEM: return drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), palette_);
    default: return DefWindowProcW(window(), message, wParam, lParam);
  }
}

}  // namespace vantora::ui::win32
