#pragma once
// MSChart1: the usage pie, two wedges painted with GDI from the shared wedge
// geometry. It knows two numbers, not disks. It is a tab stop, and its window
// text, never shown, names the two shares for screen readers.

#include <array>
#include <optional>
#include <string>

#include "ui/pie_geometry.h"
#include "ui/win32/base_window_win.h"

namespace vantora::ui::win32 {

// How GDI draws one wedge inside `disc`: nothing, the whole disc, or Pie()
// between two radial points taken counter-clockwise from `from` to `to`.
struct WedgeStroke {
  enum class Kind { Nothing, WholeDisc, Pie } kind = Kind::Nothing;
  POINT from{}, to{};
};
WedgeStroke wedgeStroke(const std::optional<PieWedge>& wedge, RECT disc);

// "使用 45.67 %、空き 54.33 %", in the window's language: each element's share of
// the two, in percent to the hundredth; empty when the two draw no wedge.
std::string chartName(double element1, double element2);

class PieChart : public BaseWindow<PieChart> {
 public:
  static constexpr const wchar_t* kClassName = L"VantoraChart";

  PieChart(HINSTANCE instance, HWND parent, int controlId, RECT place);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

  void setData(double element1, double element2);
  void setColours(COLORREF element1, COLORREF element2);
  // The disc inside the control, in its client pixels; the system owns the window region made from it.
  void setDisc(RECT disc);

 private:
  void OnPaint();

  double element1_ = 0;
  double element2_ = 0;
  std::array<COLORREF, 2> colours_;
  RECT disc_{};
};

}  // namespace vantora::ui::win32
