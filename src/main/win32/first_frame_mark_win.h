#pragma once
// The start-up measurement's mark: only it sets VANTORA_MARK_FIRST_FRAME.

#include "win32/windows_api.h"

namespace vantora::startup {

// When the environment asks for it, paints `window` and every control in it
// now, then writes "first-frame" to standard error: the first frame is
// complete. The line carries no time, as no Windows clock can be compared
// with the measuring program's; it takes its own clock when the line arrives.
void markFirstFrameIfAsked(HWND window);

}  // namespace vantora::startup
