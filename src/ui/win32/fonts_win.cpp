#include "ui/win32/fonts_win.h"

#include <algorithm>

#include "ui/win32/dpi_win.h"

namespace vantora::ui::win32 {

namespace {

bool sameFont(const FontStyle& a, const FontStyle& b) {
  return a.face == b.face && a.points == b.points && a.weight == b.weight;
}

}  // namespace

UniqueFont makeFont(const FontStyle& wanted, int dpi) {
  if (wanted.face == FontFace::WindowDefault) {
    const std::optional<LOGFONTW> message = messageFontAt(dpi);
    // Without it the controls keep the system font.
    return UniqueFont(message ? CreateFontIndirectW(&*message) : nullptr);
  }
  const bool fixedPitch = wanted.face == FontFace::MsGothic;
  return UniqueFont(CreateFontW(-pointsToPixels(wanted.points, dpi), 0, 0, 0, wanted.weight, FALSE, FALSE, FALSE,
                                SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                fixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS,
                                fixedPitch ? L"ＭＳ ゴシック" : L"ＭＳ Ｐゴシック"));
}

Form1Fonts::Form1Fonts(int dpi) {
  for (const ControlRow& row : kForm1Layout) {
    const bool known = std::any_of(fonts_.begin(), fonts_.end(),
                                   [&](const Entry& entry) { return sameFont(entry.wanted, row.font); });
    if (!known) fonts_.push_back({row.font, makeFont(row.font, dpi)});
  }
}

HFONT Form1Fonts::fontFor(const FontStyle& wanted) const {
  const auto found =
      std::find_if(fonts_.begin(), fonts_.end(), [&](const Entry& entry) { return sameFont(entry.wanted, wanted); });
  return found == fonts_.end() ? nullptr : found->font.get();
}

}  // namespace vantora::ui::win32
