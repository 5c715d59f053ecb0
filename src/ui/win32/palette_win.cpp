#include "ui/win32/palette_win.h"

#include "ui/pie_geometry.h"

namespace vantora::ui::win32 {

namespace {

COLORREF colourRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

}  // namespace

COLORREF Form1Palette::textColour(TextColour colour) const {
  switch (colour) {
    case TextColour::Blue: return blue;
    case TextColour::Green: return green;
    case TextColour::Black: return black;
    case TextColour::Default: break;
  }
  return text;
}

Form1Palette form1Palette(bool highContrast) {
  // Labels stand on the button face, so their system text colour is the button text's.
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  if (highContrast) {
    // The used wedge takes the highlight and the free one the text colour: both
    // stand out from the face and from each other in every high-contrast theme.
    return {text, text, text, text, GetSysColor(COLOR_BTNFACE), GetSysColor(COLOR_HIGHLIGHT), text};
  }
  return {colourRef(textRgb(TextColour::Blue)), colourRef(textRgb(TextColour::Green)),
          colourRef(textRgb(TextColour::Black)), text, colourRef(kTabFaceColour), colourRef(kSeriesC1Colour),
          colourRef(kSeriesC2Colour)};
}

bool highContrastOn() {
  HIGHCONTRASTW state{};
  state.cbSize = sizeof state;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof state, &state, 0) &&
         (state.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace vantora::ui::win32
