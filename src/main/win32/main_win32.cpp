// Vantora on Windows: start-up creates Form1, runs its load handler (centre,
// refresh) and only then shows the window.

#include "platform/win32/windows_api.h"

#include <commctrl.h>

#include <exception>
#include <utility>

#include "driveinfo/form_model.h"
#include "main/win32/first_frame_mark_win.h"
#include "platform/make_system_queries.h"
#include "platform/win32/wide_text_win.h"
#include "ui/win32/form1_win.h"
#include "ui/win32/message_loop_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  try {
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);

    const auto system = vantora::makeSystemQueries();
    vantora::Form1Model form;
    vantora::DriveList drives = system->listDrives();
    form.Drive1.replaceEntries(std::move(drives.drives), drives.current);

    vantora::ui::win32::Form1 window(instance, form, *system);
    window.events().Form_Load();
    window.show(showCommand);
    vantora::startup::markFirstFrameIfAsked(window.window());
    return vantora::ui::win32::runMessageLoop(window);
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, vantora::win32::toWide(error.what()).c_str(), L"Vantora", MB_OK | MB_ICONERROR);
    return 1;
  }
}
