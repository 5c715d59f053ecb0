#pragma once
#include "ui/win32/form1_win.h"

namespace vantora::ui::win32 {

// Runs until the window is gone and returns the exit code. Every key that goes
// down in Form1 reaches Form_KeyDown before the control that has the focus
// (the window's key preview), so F10 ends the program from anywhere.
int runMessageLoop(Form1& form);

// One message as the loop handles it: F10, then Tab, then the dialog keys,
// then the window it is for.
void handleMessage(Form1& form, MSG& message);

}  // namespace vantora::ui::win32
