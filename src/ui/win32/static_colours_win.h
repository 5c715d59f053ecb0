#pragma once
// WM_CTLCOLORSTATIC for Form1's labels: each label's text colour from the
// layout table, on an opaque background in the dialog face colour.

#include "platform/win32/windows_api.h"

namespace vantora::ui::win32 {

HBRUSH paintStatic(HDC dc, HWND control);

}  // namespace vantora::ui::win32
