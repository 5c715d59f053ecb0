#pragma once
// Form1's labels are owner-drawn statics: one line of text, never wrapped,
// cut at the field's edge when it is too long, aligned and coloured as the
// layout table says, on an opaque background in the dialog face colour.
// (A plain static wraps a right-aligned "45.67 %" onto a second line as soon
// as the font runs a little wider than the field.)

#include "platform/win32/windows_api.h"

namespace vantora::ui::win32 {

// For WM_DRAWITEM of a label; returns false for any other control.
bool drawLabel(const DRAWITEMSTRUCT& item);

}  // namespace vantora::ui::win32
