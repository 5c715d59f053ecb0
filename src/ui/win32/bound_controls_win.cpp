#include "ui/win32/bound_controls_win.h"

#include <cwchar>
#include <stdexcept>
#include <string>

#include "ui/caption_fit.h"
#include "ui/win32/fonts_win.h"
#include "win32/wide_text_win.h"

namespace vantora::ui::win32 {
namespace {

using vantora::win32::toWide;

std::wstring windowText(HWND control) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

bool isClass(HWND control, const wchar_t* className) {
  wchar_t name[32]{};
  GetClassNameW(control, name, 32);
  return _wcsicmp(name, className) == 0;
}

bool takes(const Form1Controls& controls, BindingKind kind, std::size_t row) {
  const HWND control = controls.windows[row];
  if (control == nullptr) return false;
  switch (kind) {
    case BindingKind::Caption: return isClass(control, L"Static") || isClass(control, L"Edit");
    case BindingKind::Visibility: return true;
    case BindingKind::ListItems: return isClass(control, L"ListBox");
    case BindingKind::Chart: return controls.chart && controls.chart->window() == control;
    case BindingKind::DriveEntries: return controls.drive1.window() == control;
  }
  return false;
}

}  // namespace

BoundControls::BoundControls(Form1Controls& controls) : controls_(controls) {
  for (const FieldBinding& binding : kForm1Bindings) {
    if (!takes(controls_, binding.kind, binding.row)) {
      throw std::logic_error("Form1 has no control " + std::string(binding.control) + " of the bound kind");
    }
  }
}

void BoundControls::writeCaption(std::size_t row, std::string_view text) {
  SetWindowTextW(controls_.windows[row], toWide(text).c_str());
  if (fitsCaptionToWidth(kForm1Layout[row].name)) fitCaption(row);
}

void BoundControls::setDpi(int dpi) {
  dpi_ = dpi;
  for (std::size_t row = 0; row < kForm1Layout.size(); ++row) {
    if (fitsCaptionToWidth(kForm1Layout[row].name)) fitCaption(row);
  }
}

// A capacity caption wider than its label takes a smaller size of its font.
void BoundControls::fitCaption(std::size_t row) {
  const HWND label = controls_.windows[row];
  const FontStyle design = kForm1Layout[row].font;
  const std::wstring text = windowText(label);
  RECT area{};
  GetClientRect(label, &area);
  const HDC dc = GetDC(label);
  auto widthAt = [&](double points) {
    FontStyle style = design;
    style.points = points;
    UniqueFont font = makeFont(style, dpi_);
    const HGDIOBJ old = SelectObject(dc, font.get());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    return static_cast<double>(size.cx);
  };
  FontStyle fitted = design;
  fitted.points = fittedPoints(design.points, area.right - area.left, widthAt);
  ReleaseDC(label, dc);
  UniqueFont font = makeFont(fitted, dpi_);
  SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  // The label now draws with the new font; the one it had before may go.
  fittedFonts_[row] = std::move(font);
}

void BoundControls::writeVisibility(std::size_t row, bool visible) {
  ShowWindow(controls_.windows[row], visible ? SW_SHOWNA : SW_HIDE);
}

void BoundControls::writeListItems(std::size_t row, std::span<const std::string> items) {
  const HWND list = controls_.windows[row];
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(toWide(item).c_str()));
  }
}

void BoundControls::writeChartData(std::size_t, const ChartData& data) { controls_.chart->setData(data(1), data(2)); }

void BoundControls::writeDriveEntries(std::size_t, const DriveListBox& drives) {
  controls_.drive1.show(drives.entries, drives.listIndex);
}

}  // namespace vantora::ui::win32
