// The Windows floor: a window of Form1's shape made of stock controls, one for
// each row of the layout table, in its place and font, and nothing more: no
// drive is asked about, no picture drawn, no chart painted. bench_win builds it
// with the cross compiler and the flags of Vantora.exe and compares the two
// executables, their start-up under wine and their peak working set.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "main/win32/first_frame_mark_win.h"
#include "ui/layout_table.h"

namespace {

using namespace vantora::ui;

std::wstring wide(std::string_view text) {
  std::wstring out(text.size(), L'\0');
  const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                         static_cast<int>(out.size()));
  out.resize(static_cast<std::size_t>(length));
  return out;
}

int px(int twips) { return twipsToPixels(twips, kDesignDpi); }

struct StockControl {
  const wchar_t* windowClass;
  DWORD style;
};

StockControl stockControl(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::Label: return {L"STATIC", 0};
    case ControlKind::Image: return {L"STATIC", SS_ICON};
    case ControlKind::DriveList: return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_TABSTOP};
    case ControlKind::TabControl: return {WC_TABCONTROLW, WS_TABSTOP};
    case ControlKind::Chart: return {L"STATIC", 0};
    case ControlKind::TextBox: return {L"EDIT", WS_BORDER};
    case ControlKind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP};
    case ControlKind::ListBox: return {L"LISTBOX", WS_BORDER | WS_VSCROLL};
  }
  return {L"STATIC", 0};
}

// Each distinct font of the layout made once, as Vantora makes them.
class Fonts {
 public:
  Fonts() = default;
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;
  ~Fonts() {
    for (const auto& made : made_) DeleteObject(made.second);
  }

  HFONT fontFor(const FontStyle& style) {
    if (style.face == FontFace::WindowDefault) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const auto& [known, font] : made_) {
      if (known.face == style.face && known.points == style.points && known.weight == style.weight) return font;
    }
    const bool fixedPitch = style.face == FontFace::MsGothic;
    HFONT font = CreateFontW(-pointsToPixels(style.points, kDesignDpi), 0, 0, 0, style.weight, FALSE, FALSE, FALSE,
                             SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             fixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS,
                             fixedPitch ? L"ＭＳ ゴシック" : L"ＭＳ Ｐゴシック");
    made_.emplace_back(style, font);
    return font;
  }

 private:
  std::vector<std::pair<FontStyle, HFONT>> made_;
};

LRESULT CALLBACK floorWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = floorWindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"VantoraFloor";
  RegisterClassW(&windowClass);
  constexpr DWORD kFrame = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT outer{0, 0, px(kClientWidthTwips), px(kClientHeightTwips)};
  AdjustWindowRect(&outer, kFrame, FALSE);
  HWND window = CreateWindowExW(0, L"VantoraFloor", wide(kWindowCaption).c_str(), kFrame, CW_USEDEFAULT,
                                CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                                instance, nullptr);
  Fonts fonts;
  // A tab page's controls sit on the window, measured from the tab control's corner; the first page shows.
  const ControlRow& tab = *findControl("SSTab1");
  for (const ControlRow& row : kForm1Layout) {
    const bool onPage = row.container != Container::Window;
    const bool shown = row.visible && (!onPage || row.container == Container::TypePage);
    const StockControl stock = stockControl(row);
    HWND control = CreateWindowExW(
        0, stock.windowClass, wide(row.content).c_str(), WS_CHILD | (shown ? WS_VISIBLE : 0) | stock.style,
        px(row.left + (onPage ? tab.left : 0)), px(row.top + (onPage ? tab.top : 0)), px(row.width),
        px(row.height), window, nullptr, instance, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.fontFor(row.font)), FALSE);
    if (row.kind == ControlKind::TabControl) {
      for (std::string_view caption : kTabCaptions) {
        std::wstring text = wide(caption);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageW(control, TCM_INSERTITEMW, SendMessageW(control, TCM_GETITEMCOUNT, 0, 0),
                     reinterpret_cast<LPARAM>(&item));
      }
    }
    if (row.kind == ControlKind::DriveList) {
      SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"C:\\"));
      SendMessageW(control, CB_SETCURSEL, 0, 0);
    }
  }
  ShowWindow(window, show);
  UpdateWindow(window);
  vantora::startup::markFirstFrameIfAsked(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
