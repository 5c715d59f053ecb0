#pragma once
// One page of SSTab1: a child of the tab control covering its page area in
// the tab face colour. The page owns its controls, so hiding the page hides
// them and keeps the focus away from them.

#include "ui/win32/base_window_win.h"

namespace vantora::ui::win32 {

class TabPage : public BaseWindow<TabPage> {
 public:
  static constexpr const wchar_t* kClassName = L"VantoraTabPage";

  TabPage(HINSTANCE instance, HWND tabControl, int page);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  UniqueBrush face_;
};

}  // namespace vantora::ui::win32
