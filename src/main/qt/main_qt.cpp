// Vantora on Linux: start-up creates Form1, runs its load handler (centre,
// refresh) and only then shows the window.

#include <QApplication>
#include <QLocale>
#include <cstdio>
#include <future>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/event_guard.h"
#include "driveinfo/form_model.h"
#include "i18n/language.h"
#include "main/qt/first_frame_marker.h"
#include "main/qt/missing_display.h"
#include "platform/make_system_queries.h"
#include "ui/qt/fonts_qt.h"
#include "ui/qt/form1.h"
#include "ui/qt/program_end.h"

namespace {

int run(int argc, char** argv) {
  QApplication application(argc, argv);
  // The X11 window class stays "Vantora"; Wayland's app id is the desktop entry's
  // name, so docks match the window to its menu entry and icon.
  QApplication::setApplicationName(QStringLiteral("Vantora"));
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vantora.Vantora"));
  vantora::ui::qt::installFontSubstitutions();
  // The user's UI languages as Qt reads them: LANGUAGE, then LC_ALL, LC_MESSAGES and LANG.
  std::vector<std::string> languages;
  for (const QString& language : QLocale::system().uiLanguages()) languages.push_back(language.toStdString());
  vantora::i18n::useLanguage(vantora::i18n::firstCatalogued(languages));

  const auto system = vantora::makeSystemQueries();
  // Reading the drive list needs no window, so it runs beside the building of
  // Form1's controls instead of before it; the list is in place before the
  // load handler's refresh, and nothing is shown until then. It starts after
  // QApplication has set the process locale, which other threads must not race.
  // Where no thread can be made, get() reads the list itself.
  std::future<vantora::DriveList> drives = std::async(std::launch::async | std::launch::deferred,
                                                      [&queries = *system] { return queries.listDrives(); });

  vantora::Form1Model form;
  vantora::ui::qt::Form1 window(form, *system);
  // Asked to end from outside, the program ends as F10 ends it.
  const vantora::ui::qt::EndSignals endSignals([&window] { window.endProgram(); });
  const auto firstFrame = vantora::startup::firstFrameMarkerIfAsked(window);

  vantora::DriveList list = drives.get();
  form.Drive1.replaceEntries(std::move(list.drives), list.current);
  window.events().Form_Load();
  window.show();
  // VANTORA_LIVE_FIGURES=0 keeps the figures as the last refresh left them,
  // to measure what keeping them current costs.
  if (qEnvironmentVariable("VANTORA_LIVE_FIGURES") != QLatin1String("0")) window.startLiveFigures();
  return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
  // Qt would abort with a core dump; one line says what is wrong instead.
  if (const auto problem = vantora::missingDisplay()) {
    std::fprintf(stderr, "vantora: %s\n", problem->c_str());
    return 1;
  }
  // The window's events catch their own exceptions; one from start-up ends the
  // program with one line, not with std::terminate.
  try {
    return run(argc, argv);
  } catch (...) {
    vantora::reportCurrentException();
    return 1;
  }
}
