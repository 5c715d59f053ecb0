#include "ui/win32/tab_page_win.h"

#include "ui/layout_table.h"
#include "ui/win32/control_ids_win.h"
#include "ui/win32/label_painter_win.h"

namespace vantora::ui::win32 {

TabPage::TabPage(HINSTANCE instance, HWND tabControl, int page)
    : face_(CreateSolidBrush(RGB(kTabFaceColour.red, kTabFaceColour.green, kTabFaceColour.blue))) {
  registerClass(instance, nullptr);
  create(instance, WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPSIBLINGS, L"", 0, 0, 0, 0, tabControl, tabPageId(page));
}

LRESULT TabPage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(window(), &client);
      FillRect(reinterpret_cast<HDC>(wParam), &client, face_.get());
      return 1;
    }
    case WM_DRAWITEM: return drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    default: return DefWindowProcW(window(), message, wParam, lParam);
  }
}

}  // namespace vantora::ui::win32
