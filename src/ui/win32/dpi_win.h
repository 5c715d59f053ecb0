#pragma once
// The per-monitor DPI functions came with Windows 10 1607. They are looked up
// when first needed, so the program also starts on Windows 7 SP1 and 8, where
// every window has the system DPI and the message font is scaled from it.

#include <optional>

#include "win32/windows_api.h"

namespace vantora::ui::win32 {

// The DPI `window` is shown at: its monitor's where the system tells, else the system's.
int dpiOfWindow(HWND window);

// The screen's logical DPI, the one every window has before Windows 10 1607.
int systemDpi();

// The system's message font for `dpi`, or nothing when the system does not say.
std::optional<LOGFONTW> messageFontAt(int dpi);

// The message font known at `fromDpi`, with its height scaled to `toDpi`:
// what a system without SystemParametersInfoForDpi gets.
LOGFONTW scaledFont(LOGFONTW font, int fromDpi, int toDpi);

}  // namespace vantora::ui::win32
