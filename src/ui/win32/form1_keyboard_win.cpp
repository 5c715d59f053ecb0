// Form1's keyboard navigation. Dialog navigation cannot serve the window: it
// either walks into SSTab1's pages and never stops on the strip, or, with the
// strip a tab stop, never reaches the page's controls. So Tab follows the
// layout table's focus order itself: SSTab1, cmdF10, Drive1, List1 while its
// page shows, MSChart1, and round again.

#include "ui/win32/form1_win.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>
#include <vector>

#include "ui/layout_table.h"

namespace vantora::ui::win32 {

namespace {

// Every control that is a tab stop, by its tab index.
std::vector<HWND> tabStops(const Form1Controls& controls) {
  std::vector<std::size_t> rows(kForm1Layout.size());
  std::iota(rows.begin(), rows.end(), std::size_t{0});
  std::erase_if(rows, [](std::size_t row) { return !kForm1Layout[row].tabIndex; });
  std::ranges::sort(rows, {}, [](std::size_t row) { return *kForm1Layout[row].tabIndex; });
  std::vector<HWND> stops;
  for (const std::size_t row : rows) {
    const HWND control = controls.windows[row];
    if (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) stops.push_back(control);
  }
  return stops;
}

// A hidden control (a working field, or one on a page that does not show) takes no focus.
bool canTakeFocus(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

HWND nextTabStop(const std::vector<HWND>& stops, HWND focus, bool backward) {
  const auto count = static_cast<std::ptrdiff_t>(stops.size());
  if (count == 0) return nullptr;
  // The stop that has the focus, or holds it (a drop-down's own edit); List1 lies inside SSTab1, so the exact match first.
  auto holding = std::ranges::find(stops, focus);
  if (holding == stops.end()) holding = std::ranges::find_if(stops, [&](HWND stop) { return IsChild(stop, focus); });
  // From outside every stop, the first step lands on the first (or, backwards, the last) stop.
  std::ptrdiff_t at = holding == stops.end() ? (backward ? count : -1) : holding - stops.begin();
  for (std::ptrdiff_t step = 0; step < count; ++step) {
    at = (at + (backward ? count - 1 : 1)) % count;
    if (canTakeFocus(stops[static_cast<std::size_t>(at)])) return stops[static_cast<std::size_t>(at)];
  }
  return nullptr;
}

}  // namespace

void Form1::OnTabKey(bool shift, bool control) {
  // A keyboard user wants to see where the focus is.
  SendMessageW(window(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
  if (control) {
    switchPage(shift ? -1 : 1);
    return;
  }
  if (const HWND next = nextTabStop(tabStops(controls_), GetFocus(), shift)) SetFocus(next);
}

// The next or previous page, round the three, as the user would pick it; a
// focus left on a page that no longer shows goes to the strip.
void Form1::switchPage(int step) {
  const HWND strip = controls_.byName("SSTab1");
  const int pages = static_cast<int>(kTabCaptions.size());
  const int current = static_cast<int>(SendMessageW(strip, TCM_GETCURSEL, 0, 0));
  const int next = ((current < 0 ? 0 : current) + step + pages) % pages;
  SendMessageW(strip, TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
  controls_.showPage(next);
  const HWND focus = GetFocus();
  if (!focus || !IsWindowVisible(focus)) SetFocus(strip);
}

}  // namespace vantora::ui::win32
