#pragma once

namespace vantora::ui::qt {

// On X11 the clipboard's text lives in the program that copied it, and the
// program ends with _Exit, which runs none of Qt's own leave-taking. Where a
// clipboard manager runs and this program owns the clipboard, the manager is
// asked to save it (SAVE_TARGETS, as Qt asks when it quits normally), and Qt's
// clipboard answers the manager's requests until it says it is done or a few
// seconds have passed. Elsewhere nothing is done.
void handClipboardToManager();

}  // namespace vantora::ui::qt
