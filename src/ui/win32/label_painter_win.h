#pragma once
// Form1's labels are owner-drawn statics: one line of text, never wrapped,
// aligned and coloured as the layout table says, on an opaque background in
// the dialog face colour. A text wider than its field starts at the field's
// left edge and is cut at the right, whatever its alignment, so a figure is
// never shown with its leading digits cut off. (A plain static wraps a
// right-aligned "45.67 %" onto a second line as soon as the font runs a
// little wider than the field.)

#include "ui/win32/palette_win.h"
#include "win32/windows_api.h"

namespace vantora::ui::win32 {

// For WM_DRAWITEM of a label; returns false for any other control.
bool drawLabel(const DRAWITEMSTRUCT& item, const Form1Palette& palette);

}  // namespace vantora::ui::win32
