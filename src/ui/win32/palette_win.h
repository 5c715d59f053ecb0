#pragma once
// The colours Form1 paints with. The layout fixes some of them (green header,
// blue captions, the grey page, the chart's red and green) and leaves the rest
// to the system. With a high-contrast theme on, every fixed colour gives way
// to the theme's, so each text keeps the contrast the user chose.

#include "ui/layout_table.h"
#include "win32/windows_api.h"

namespace vantora::ui::win32 {

struct Form1Palette {
  COLORREF blue, green, black;  // the texts the layout colours
  COLORREF text;                // the texts it leaves to the system
  COLORREF pageFace;            // SSTab1's pages
  COLORREF used, free;          // MSChart1's wedges C1 and C2

  COLORREF textColour(TextColour colour) const;
};

// The palette for the system colours of this moment.
Form1Palette form1Palette(bool highContrast);

// Whether the user has a high-contrast theme on.
bool highContrastOn();

}  // namespace vantora::ui::win32
