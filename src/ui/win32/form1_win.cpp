#include "ui/win32/form1_win.h"

#include <commctrl.h>
#include <dbt.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "ui/copy_details.h"
#include "ui/copy_texts.h"
#include "ui/layout_table.h"
#include "ui/win32/clipboard_win.h"
#include "ui/win32/control_ids_win.h"
#include "ui/win32/dpi_win.h"
#include "ui/win32/form1_geometry_win.h"
#include "ui/win32/label_painter_win.h"
#include "ui/win32/resource.h"
#include "win32/wide_text_win.h"

namespace vantora::ui::win32 {

namespace {

using vantora::win32::toWide;

// A frame that keeps the client area fixed: no sizing border, no maximize button.
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kFrameExStyle = WS_EX_CONTROLPARENT;

constexpr UINT_PTR kLiveFiguresTimer = 1;

// The context menu's one command; menus answer with it rather than WM_COMMAND.
constexpr UINT kCopyCommand = 1;

using UniqueMenu = UniqueHandle<HMENU, &DestroyMenu>;

// Shared: the window class keeps the icons for as long as the program runs, so nothing may destroy them.
HICON loadIcon(HINSTANCE instance, int edge) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_VANTORA), IMAGE_ICON, edge, edge, LR_SHARED));
}

// Made at the size it will have at the system's DPI, so it is not resized
// before it shows; fitClientArea corrects a frame that differs.
SIZE outerSizeAtSystemDpi() {
  const SIZE client = clientSizeAt(systemDpi());
  RECT outer{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&outer, kFrameStyle, FALSE, kFrameExStyle);
  return {outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

Form1::Form1(HINSTANCE instance, Form1Model& model, SystemQueries& system)
    : events_(model, system, *this) {
  // The class carries the icons, so the frame has them from the moment it exists.
  registerClass(instance, GetSysColorBrush(COLOR_BTNFACE), loadIcon(instance, GetSystemMetrics(SM_CXICON)),
                loadIcon(instance, GetSystemMetrics(SM_CXSMICON)));
  const std::wstring caption = toWide(kWindowCaption);
  const SIZE outer = outerSizeAtSystemDpi();
  create(instance, kFrameExStyle, kFrameStyle, caption.c_str(), CW_USEDEFAULT, CW_USEDEFAULT, outer.cx, outer.cy,
         nullptr);
  if (!window()) throw std::runtime_error("the window could not be created");

  // Made at the window's DPI straight away: nothing is placed twice before the window shows.
  dpi_ = dpiOfWindow(window());
  fonts_.emplace(dpi_);
  controls_ = createForm1Controls(instance, window(), dpi_, *fonts_);
  bound_.emplace(controls_);
  bound_->setDpi(dpi_);
  followSystemColours(highContrastOn());
  fitClientArea(dpi_);
  renderDriveList(model);
}

void Form1::show(int showCommand) {
  ShowWindow(window(), showCommand);
  UpdateWindow(window());
  // The focus starts on the tab control.
  SetFocus(controls_.byName("SSTab1"));
}

void Form1::startLiveFigures() {
  liveFigures_ = SetTimer(window(), kLiveFiguresTimer, static_cast<UINT>(kLiveFiguresInterval.count()), nullptr) != 0;
}

void Form1::OnLiveFiguresTimer() {
  if (liveFigures_ && IsWindowVisible(window()) && !IsIconic(window())) events_.LiveFigures_Tick();
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER: if (wParam == kLiveFiguresTimer) OnLiveFiguresTimer(); return 0;
    // A drive that went away is looked for at once, not at the next tick.
    case WM_DEVICECHANGE:
      if (wParam == DBT_DEVICEREMOVECOMPLETE) OnLiveFiguresTimer();
      return DefWindowProcW(window(), message, wParam, lParam);
    case WM_COMMAND: OnCommand(LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == controls_.byName("SSTab1") && header->code == TCN_SELCHANGE) {
        controls_.showPage(static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
      }
      return 0;
    }
    // Controls without a menu of their own pass the request up to the window.
    case WM_CONTEXTMENU: OnContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
    case WM_DRAWITEM: return drawLabel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), palette_);
    case WM_DPICHANGED: OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(*reinterpret_cast<MINMAXINFO*>(lParam)); return 0;
    // A minimized window only changes its icon.
    case WM_ACTIVATE: if (!HIWORD(wParam)) OnActivate(LOWORD(wParam) != WA_INACTIVE); return 0;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_THEMECHANGED:
      OnSystemColoursChanged(message, wParam, lParam);
      return DefWindowProcW(window(), message, wParam, lParam);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(window(), message, wParam, lParam);
  }
}

void Form1::OnCommand(int controlId, int notification) {
  if (controlId == win32::controlId("Drive1")) {
    if (notification == CBN_DROPDOWN) events_.Drive1_DropDown();
    if (notification == CBN_SELCHANGE) {
      const LRESULT index = SendMessageW(controls_.drive1.window(), CB_GETCURSEL, 0, 0);
      if (index >= 0) events_.Drive1_Change(static_cast<std::size_t>(index));
    }
  } else if (controlId == win32::controlId("cmdF10") && notification == BN_CLICKED) {
    events_.cmdF10_Click();
  }
}

// 「コピー」, at the pointer, or below the focused control when the menu key asked.
void Form1::OnContextMenu(POINT at) {
  if (at.x == -1 && at.y == -1) {
    RECT focused;
    GetWindowRect(GetFocus() ? GetFocus() : window(), &focused);
    at = {focused.left, focused.bottom};
  }
  const UniqueMenu menu(CreatePopupMenu());
  if (!menu) return;
  const std::wstring item = toWide(std::string(i18n::tr(kCopyMenuItem)) + "\tCtrl+C");
  AppendMenuW(menu.get(), MF_STRING, kCopyCommand, item.c_str());
  const BOOL chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0,
                                     window(), nullptr);
  if (static_cast<UINT>(chosen) == kCopyCommand) events_.Edit_Copy();
}

void Form1::OnDpiChanged(int dpi, const RECT& suggested) {
  applyDpi(dpi);
  SetWindowPos(window(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  fitClientArea(dpi);
}

// Sizes the frame so the client area is exactly the form's at `dpi`, measured
// rather than computed: the frame's own metrics may not follow the DPI.
void Form1::fitClientArea(int dpi) {
  const SIZE wanted = clientSizeAt(dpi);
  RECT client;
  GetClientRect(window(), &client);
  if (client.right == wanted.cx && client.bottom == wanted.cy) return;
  RECT frame;
  GetWindowRect(window(), &frame);
  SetWindowPos(window(), nullptr, 0, 0, frame.right - frame.left + wanted.cx - client.right,
               frame.bottom - frame.top + wanted.cy - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The default limit is the screen's size, which would shrink the window on a
// smaller screen; the client area keeps its size wherever the window stands.
void Form1::OnGetMinMaxInfo(MINMAXINFO& limits) const {
  RECT frame, client;
  GetWindowRect(window(), &frame);
  GetClientRect(window(), &client);
  const SIZE wanted = clientSizeAt(dpi_);
  limits.ptMaxTrackSize.x = std::max(limits.ptMaxTrackSize.x, frame.right - frame.left - client.right + wanted.cx);
  limits.ptMaxTrackSize.y = std::max(limits.ptMaxTrackSize.y, frame.bottom - frame.top - client.bottom + wanted.cy);
}

// Whatever took the activation (the message box of a failed refresh, another
// program) gives the focus back to the control that had it, as in a dialog.
void Form1::OnActivate(bool active) {
  if (!active) {
    const HWND focus = GetFocus();
    if (focus && IsChild(window(), focus)) focusWhenInactive_ = focus;
    return;
  }
  const HWND wanted = focusWhenInactive_ && IsWindow(focusWhenInactive_) && IsWindowVisible(focusWhenInactive_)
                          ? focusWhenInactive_
                          : controls_.byName("SSTab1");
  SetFocus(wanted);
}

void Form1::OnSystemColoursChanged(UINT message, WPARAM wParam, LPARAM lParam) {
  // Common controls learn of new colours only from their parent.
  if (message == WM_SYSCOLORCHANGE) {
    for (const HWND control : controls_.windows) SendMessageW(control, message, wParam, lParam);
  }
  followSystemColours(highContrastOn());
}

void Form1::followSystemColours(bool highContrast) {
  palette_ = form1Palette(highContrast);
  for (const auto& page : controls_.pages) page->setPalette(palette_);
  if (controls_.chart) controls_.chart->setColours(palette_.used, palette_.free);
  RedrawWindow(window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void Form1::applyDpi(int dpi) {
  dpi_ = dpi;
  Form1Fonts fresh(dpi);
  placeForm1Controls(controls_, dpi, fresh);
  bound_->setDpi(dpi);
  // The controls now use the new fonts; the old ones may go.
  fonts_.emplace(std::move(fresh));
  InvalidateRect(window(), nullptr, TRUE);
}

Extent Form1::screenSize() const {
  return {static_cast<double>(GetSystemMetrics(SM_CXSCREEN)), static_cast<double>(GetSystemMetrics(SM_CYSCREEN))};
}

Extent Form1::outerSize() const {
  RECT frame;
  GetWindowRect(window(), &frame);
  return {static_cast<double>(frame.right - frame.left), static_cast<double>(frame.bottom - frame.top)};
}

void Form1::moveTo(Position topLeft) {
  SetWindowPos(window(), nullptr, static_cast<int>(std::lround(topLeft.left)),
               static_cast<int>(std::lround(topLeft.top)), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::render(const Form1Model& form) {
  renderForm1(form, *bound_);
  namePictures(form.lbSyu(0).caption());
}

void Form1::renderDriveList(const Form1Model& form) { renderForm1(form, *bound_, BindingKind::DriveEntries); }

void Form1::renderChanges(const Form1Model& before, const Form1Model& after) {
  renderForm1Changes(before, after, *bound_);
  if (before.lbSyu(0).caption() != after.lbSyu(0).caption()) namePictures(after.lbSyu(0).caption());
}

// A picture's window text, never shown, tells a screen reader what it shows.
void Form1::namePictures(std::string_view driveTypeWords) {
  const std::wstring name = toWide(driveTypeWords);
  for (const auto& picture : controls_.pictures) SetWindowTextW(picture->window(), name.c_str());
}

void Form1::messageBox(std::string_view text, std::string_view caption) {
  MessageBoxW(window(), toWide(text).c_str(), toWide(caption).c_str(), MB_OK);
}

// Destroying the window ends the message loop at once: nothing queued behind
// the F10 key or the button runs any more.
void Form1::endProgram() { DestroyWindow(window()); }

void Form1::copyDetails(const Form1Model& form) { putTextOnClipboard(window(), ui::copyDetails(form)); }

}  // namespace vantora::ui::win32
