#include "ui/win32/pie_chart_win.h"

#include <cmath>
#include <numbers>

#include "driveinfo/number_format.h"
#include "i18n/language.h"
#include "ui/win32/unique_handle_win.h"
#include "win32/wide_text_win.h"

namespace vantora::ui::win32 {

namespace {

// Pie() only takes the radials' directions. Points this far out keep two
// directions apart down to a few thousandths of a degree; a wedge thinner
// than kInvisibleDegrees is skipped (GDI would draw a whole disc for it).
constexpr double kRadialReach = 16384;
constexpr double kInvisibleDegrees = 0.01;

POINT radialPoint(double centreX, double centreY, double degrees) {
  const double radians = degrees * std::numbers::pi / 180.0;
  // Screen y grows downwards, so counter-clockwise is -sin.
  return {static_cast<LONG>(std::lround(centreX + kRadialReach * std::cos(radians))),
          static_cast<LONG>(std::lround(centreY - kRadialReach * std::sin(radians)))};
}

}  // namespace

WedgeStroke wedgeStroke(const std::optional<PieWedge>& wedge, RECT disc) {
  if (!wedge || std::fabs(wedge->sweepDegrees) < kInvisibleDegrees) return {};
  if (std::fabs(wedge->sweepDegrees) > 360.0 - kInvisibleDegrees) return {WedgeStroke::Kind::WholeDisc};
  const double first = wedge->sweepDegrees < 0 ? wedge->startDegrees + wedge->sweepDegrees : wedge->startDegrees;
  const double last = first + std::fabs(wedge->sweepDegrees);
  const double centreX = (disc.left + disc.right) / 2.0;
  const double centreY = (disc.top + disc.bottom) / 2.0;
  return {WedgeStroke::Kind::Pie, radialPoint(centreX, centreY, first), radialPoint(centreX, centreY, last)};
}

std::string chartName(double element1, double element2) {
  const double sum = element1 + element2;
  if (!std::isfinite(sum) || element1 < 0 || element2 < 0 || sum <= 0) return {};
  const auto percent = [&](double element) {
    return formatGeneral(Hundredths{std::llround(element / sum * 10'000)}, NumberSeparators{}) + " %";
  };
  return i18n::tr("使用 %1、空き %2", {percent(element1), percent(element2)});
}

PieChart::PieChart(HINSTANCE instance, HWND parent, int controlId, RECT place)
    : colours_{RGB(kSeriesC1Colour.red, kSeriesC1Colour.green, kSeriesC1Colour.blue),
               RGB(kSeriesC2Colour.red, kSeriesC2Colour.green, kSeriesC2Colour.blue)} {
  registerClass(instance, nullptr);
  create(instance, 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP, L"", place.left, place.top, place.right - place.left,
         place.bottom - place.top, parent, controlId);
}

void PieChart::setData(double element1, double element2) {
  element1_ = element1;
  element2_ = element2;
  SetWindowTextW(window(), vantora::win32::toWide(chartName(element1, element2)).c_str());
  InvalidateRect(window(), nullptr, TRUE);
}

void PieChart::setColours(COLORREF element1, COLORREF element2) {
  colours_[0] = element1;
  colours_[1] = element2;
  InvalidateRect(window(), nullptr, TRUE);
}

// The control takes the shape of its disc: its corners overlap the tab
// control's lower edge, which stays visible around the pie.
void PieChart::setDisc(RECT disc) {
  disc_ = disc;
  SetWindowRgn(window(), CreateEllipticRgn(disc.left, disc.top, disc.right + 2, disc.bottom + 2), TRUE);
  InvalidateRect(window(), nullptr, TRUE);
}

LRESULT PieChart::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT fills the background itself
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateRect(window(), nullptr, FALSE); return 0;
    default: return DefWindowProcW(window(), message, wParam, lParam);
  }
}

void PieChart::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window(), &paint);
  RECT client;
  GetClientRect(window(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));

  const auto wedges = pieWedges(element1_, element2_);
  const HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  for (std::size_t i = 0; i < wedges.size(); ++i) {
    const WedgeStroke stroke = wedgeStroke(wedges[i], disc_);
    if (stroke.kind == WedgeStroke::Kind::Nothing) continue;
    const UniqueBrush brush(CreateSolidBrush(colours_[i]));
    const HGDIOBJ oldBrush = SelectObject(dc, brush.get());
    // A NULL pen leaves the right and bottom edge out, so the shape grows by one pixel.
    if (stroke.kind == WedgeStroke::Kind::WholeDisc) {
      Ellipse(dc, disc_.left, disc_.top, disc_.right + 1, disc_.bottom + 1);
    } else {
      Pie(dc, disc_.left, disc_.top, disc_.right + 1, disc_.bottom + 1, stroke.from.x, stroke.from.y, stroke.to.x,
          stroke.to.y);
    }
    SelectObject(dc, oldBrush);
  }
  SelectObject(dc, oldPen);
  if (GetFocus() == window()) {
    // The square inside the disc: the control's corners are cut away by its region.
    const int inset = (disc_.right - disc_.left) * 3 / 20;
    RECT focus{disc_.left + inset, disc_.top + inset, disc_.right - inset, disc_.bottom - inset};
    DrawFocusRect(dc, &focus);
  }
  EndPaint(window(), &paint);
}

}  // namespace vantora::ui::win32
