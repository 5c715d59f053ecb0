#pragma once
// Plain text on the Windows clipboard.

#include <string_view>

#include "win32/windows_api.h"

namespace vantora::ui::win32 {

// Replaces the clipboard's contents with `utf8` as CF_UNICODETEXT, its lines
// ending in CR LF as Windows text does. The system keeps the text after the
// program ends. Returns false when the clipboard could not be had.
bool putTextOnClipboard(HWND owner, std::string_view utf8);

}  // namespace vantora::ui::win32
