#include "ui/win32/form1_controls_win.h"

#include <commctrl.h>

#include <algorithm>
#include <numeric>

#include "ui/win32/control_ids_win.h"
#include "ui/win32/form1_geometry_win.h"
#include "win32/wide_text_win.h"

namespace vantora::ui::win32 {

namespace {

using vantora::win32::toWide;

std::size_t rowOf(std::string_view name) {
  const ControlRow* row = findControl(name);
  return static_cast<std::size_t>(row - kForm1Layout.data());
}

// What every control is made with: its window, the DPI it is shown at and the fonts made for it.
struct Making {
  HINSTANCE instance;
  HWND form;
  int dpi;
  const Form1Fonts& fonts;
};

// Where a control goes inside its parent: the window's client area, or its tab page.
RECT rectInParent(const ControlRow& row, HWND form, HWND parent, int dpi) {
  RECT rect = clientRectOf(placedRow(row), dpi);
  if (parent != form) MapWindowPoints(form, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT discAt(int dpi) {
  const ChartDisc disc = chartDisc();
  return {px(disc.left, dpi), px(disc.top, dpi), px(disc.left + disc.size, dpi), px(disc.top + disc.size, dpi)};
}

// A stock control made in its place and with its font, so nothing moves or re-measures before it is first shown.
HWND createStandard(const Making& making, HWND parent, std::size_t row, RECT rect, const wchar_t* className,
                    DWORD style, DWORD exStyle = 0) {
  const ControlRow& control = kForm1Layout[row];
  const std::wstring text = toWide(i18n::tr(control.content));
  if (control.visible) style |= WS_VISIBLE;
  const HWND window = CreateWindowExW(exStyle, className, text.c_str(), WS_CHILD | style, rect.left, rect.top,
                                      rect.right - rect.left, rect.bottom - rect.top, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(row))), making.instance,
                                      nullptr);
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(making.fonts.fontFor(control.font)), FALSE);
  return window;
}

void placeTabControl(Form1Controls& controls, std::size_t row, int dpi) {
  const HWND tab = controls.windows[row];
  const RECT rect = clientRectOf(kForm1Layout[row], dpi);
  SetWindowPos(tab, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  // Three equal tabs share one row along the top, as high as the strip the table names.
  const int tabWidth = (rect.right - rect.left - 4) / static_cast<int>(kTabCaptions.size());
  SendMessageW(tab, TCM_SETITEMSIZE, 0, MAKELPARAM(tabWidth, px(kTabStripTwips, dpi)));
  RECT page{0, 0, rect.right - rect.left, rect.bottom - rect.top};
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  for (const auto& tabPage : controls.pages) {
    SetWindowPos(tabPage->window(), nullptr, page.left, page.top, page.right - page.left, page.bottom - page.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void createTabControl(Form1Controls& controls, const Making& making, std::size_t row) {
  // Not a control parent: the strip is a tab stop of its own, and Form1 walks
  // into the shown page itself (form1_keyboard_win.cpp).
  const HWND tab = createStandard(making, making.form, row, clientRectOf(kForm1Layout[row], making.dpi),
                                  WC_TABCONTROLW, WS_TABSTOP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH);
  controls.windows[row] = tab;
  for (std::size_t page = 0; page < kTabCaptions.size(); ++page) {
    std::wstring caption = toWide(i18n::tr(kTabCaptions[page]));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tab, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
    controls.pages[page] = std::make_unique<TabPage>(making.instance, tab, static_cast<int>(page), caption.c_str());
  }
  placeTabControl(controls, row, making.dpi);
}

HWND parentOf(const Form1Controls& controls, const ControlRow& row, HWND form) {
  const int page = tabPageIndex(row.container);
  return page < 0 ? form : controls.pages[static_cast<std::size_t>(page)]->window();
}

void createControl(Form1Controls& controls, const Making& making, std::size_t row) {
  const ControlRow& control = kForm1Layout[row];
  const HWND parent = parentOf(controls, control, making.form);
  const RECT rect = rectInParent(control, making.form, parent, making.dpi);
  switch (control.kind) {
    case ControlKind::Label:
      controls.windows[row] = createStandard(making, parent, row, rect, L"STATIC", SS_OWNERDRAW | SS_NOPREFIX);
      break;
    case ControlKind::Image:
      controls.pictures.push_back(std::make_unique<PictureBox>(
          making.instance, parent, controlId(row), control.picture.value_or(PictureId::UnknownType), rect));
      controls.windows[row] = controls.pictures.back()->window();
      break;
    case ControlKind::DriveList:
      controls.windows[row] = createStandard(making, parent, row, rect, L"COMBOBOX",
                                             WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS);
      controls.drive1 = DriveCombo(controls.windows[row]);
      // Its height follows its font, so it is trimmed once the font is in.
      controls.drive1.place(rect);
      break;
    case ControlKind::TabControl: createTabControl(controls, making, row); break;
    case ControlKind::Chart:
      controls.chart = std::make_unique<PieChart>(making.instance, parent, controlId(row), rect);
      controls.chart->setDisc(discAt(making.dpi));
      controls.windows[row] = controls.chart->window();
      break;
    case ControlKind::TextBox:
      controls.windows[row] = createStandard(making, parent, row, rect, L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL,
                                             WS_EX_CLIENTEDGE);
      break;
    case ControlKind::CommandButton:
      // BS_PUSHBUTTON, not BS_DEFPUSHBUTTON: Enter does not press it, and Escape means nothing.
      controls.windows[row] = createStandard(making, parent, row, rect, L"BUTTON", WS_TABSTOP | BS_PUSHBUTTON);
      break;
    case ControlKind::ListBox:
      // No LBS_SORT: features stay in the order they are added.
      controls.windows[row] = createStandard(making, parent, row, rect, L"LISTBOX",
                                             WS_TABSTOP | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE);
      break;
  }
}

// Creation order is the focus order, so rows are made by tab index (the pictures, which take no focus, last).
std::vector<std::size_t> rowsInFocusOrder() {
  std::vector<std::size_t> rows(kForm1Layout.size());
  std::iota(rows.begin(), rows.end(), std::size_t{0});
  std::stable_sort(rows.begin(), rows.end(), [](std::size_t a, std::size_t b) {
    return kForm1Layout[a].tabIndex.value_or(1 << 20) < kForm1Layout[b].tabIndex.value_or(1 << 20);
  });
  return rows;
}

}  // namespace

HWND Form1Controls::byName(std::string_view name) const {
  return findControl(name) ? windows[rowOf(name)] : nullptr;
}

void Form1Controls::showPage(int page) const {
  for (std::size_t i = 0; i < pages.size(); ++i) {
    ShowWindow(pages[i]->window(), static_cast<int>(i) == page ? SW_SHOWNA : SW_HIDE);
  }
}

Form1Controls createForm1Controls(HINSTANCE instance, HWND form, int dpi, const Form1Fonts& fonts) {
  Form1Controls controls;
  const Making making{instance, form, dpi, fonts};
  for (std::size_t row : rowsInFocusOrder()) createControl(controls, making, row);
  // The pie overlaps the tab control's lower edge; it is drawn over it. It takes no focus,
  // so raising it leaves the focus order alone.
  SetWindowPos(controls.chart->window(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  controls.showPage(0);
  return controls;
}

void placeForm1Controls(Form1Controls& controls, int dpi, const Form1Fonts& fonts) {
  const HWND form = GetParent(controls.byName("SSTab1"));
  for (const ControlRow& row : kForm1Layout) {
    const HWND control = controls.windows[static_cast<std::size_t>(&row - kForm1Layout.data())];
    if (row.kind != ControlKind::Image && row.kind != ControlKind::Chart) {
      SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.fontFor(row.font)), TRUE);
    }
  }
  placeTabControl(controls, rowOf("SSTab1"), dpi);
  for (const ControlRow& row : kForm1Layout) {
    const HWND control = controls.windows[static_cast<std::size_t>(&row - kForm1Layout.data())];
    const RECT rect = rectInParent(row, form, GetParent(control), dpi);
    switch (row.kind) {
      case ControlKind::TabControl: break;
      case ControlKind::DriveList: controls.drive1.place(rect); break;
      default:
        SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        break;
    }
  }
  controls.chart->setDisc(discAt(dpi));
}

}  // namespace vantora::ui::win32
