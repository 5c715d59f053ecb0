#pragma once
// One page of SSTab1: a child of the tab control covering its page area in
// the tab face colour. The page owns its controls, so hiding the page hides
// them and keeps the focus away from them. Its window text is the tab's
// caption, never shown, for screen readers.

#include "ui/win32/base_window_win.h"
#include "ui/win32/palette_win.h"

namespace vantora::ui::win32 {

class TabPage : public BaseWindow<TabPage> {
 public:
  static constexpr const wchar_t* kClassName = L"VantoraTabPage";

  TabPage(HINSTANCE instance, HWND tabControl, int page, const wchar_t* caption);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  // The page face and its labels' colours; repaints.
  void setPalette(const Form1Palette& palette);

 private:
  Form1Palette palette_ = form1Palette(false);
  UniqueBrush face_;
};

}  // namespace vantora::ui::win32
