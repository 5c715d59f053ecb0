#pragma once
// Form1's child windows, made from the layout table: statics for labels,
// picture boxes, the drive list, the tab control with its three pages, the
// pie, the hidden edit fields, the list box and the exit button.

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "ui/layout_table.h"
#include "ui/win32/drive_combo_win.h"
#include "ui/win32/fonts_win.h"
#include "ui/win32/picture_box_win.h"
#include "ui/win32/pie_chart_win.h"
#include "ui/win32/tab_page_win.h"

namespace vantora::ui::win32 {

struct Form1Controls {
  std::array<HWND, kForm1Layout.size()> windows{};  // by table row; they die with Form1
  std::array<std::unique_ptr<TabPage>, kTabCaptions.size()> pages;
  std::vector<std::unique_ptr<PictureBox>> pictures;
  std::unique_ptr<PieChart> chart;
  DriveCombo drive1;

  HWND byName(std::string_view name) const;
  // Shows page `page` of SSTab1 and hides the others.
  void showPage(int page) const;
};

// Creates every control in its place and font for `dpi`, hidden or shown as the
// table says, with the first page selected.
Form1Controls createForm1Controls(HINSTANCE instance, HWND form, int dpi, const Form1Fonts& fonts);

// Positions, sizes and fonts for a new `dpi`, when the window moves to another screen.
void placeForm1Controls(Form1Controls& controls, int dpi, const Form1Fonts& fonts);

}  // namespace vantora::ui::win32
