// Vantora on Windows: start-up creates Form1, runs its load handler (centre,
// refresh) and only then shows the window.

#include "win32/windows_api.h"

#include <commctrl.h>

#include <utility>

#include "app/event_guard.h"
#include "driveinfo/form_model.h"
#include "i18n/language.h"
#include "i18n/win32/ui_languages_win.h"
#include "main/win32/first_frame_mark_win.h"
#include "platform/make_system_queries.h"
#include "ui/win32/form1_win.h"
#include "ui/win32/message_loop_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  try {
    INITCOMMONCONTROLSEX commonControls{sizeof commonControls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&commonControls);
    vantora::i18n::useLanguage(vantora::i18n::firstCatalogued(vantora::i18n::win32::userUiLanguages()));

    const auto system = vantora::makeSystemQueries();
    vantora::Form1Model form;
    vantora::DriveList drives = system->listDrives();
    form.Drive1.replaceEntries(std::move(drives.drives), drives.current);

    vantora::ui::win32::Form1 window(instance, form, *system);
    window.events().Form_Load();
    window.show(showCommand);
    // VANTORA_LIVE_FIGURES=0 keeps the figures as the last refresh left them,
    // to measure what keeping them current costs.
    wchar_t setting[2]{};
    const DWORD length = GetEnvironmentVariableW(L"VANTORA_LIVE_FIGURES", setting, 2);
    if (!(length == 1 && setting[0] == L'0')) window.startLiveFigures();
    vantora::startup::markFirstFrameIfAsked(window.window());
    return vantora::ui::win32::runMessageLoop(window);
  } catch (...) {
    // The window's events catch their own exceptions; one from start-up ends
    // the program with one line, as on Linux.
    vantora::reportCurrentException();
    return 1;
  }
}
