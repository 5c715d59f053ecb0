// Vantora on Linux: start-up creates Form1, runs its load handler (centre,
// refresh) and only then shows the window.

#include <QApplication>
#include <cstdio>
#include <future>
#include <utility>

#include "driveinfo/form_model.h"
#include "main/qt/first_frame_marker.h"
#include "platform/make_system_queries.h"
#include "ui/qt/fonts_qt.h"
#include "ui/qt/form1.h"
#include "ui/qt/program_end.h"

int main(int argc, char** argv) {
  // Qt would abort with a core dump; one line says what is wrong instead.
  if (const auto problem = vantora::ui::qt::missingDisplay()) {
    std::fprintf(stderr, "vantora: %s\n", problem->c_str());
    return 1;
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantora"));
  vantora::ui::qt::installFontSubstitutions();

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
  return QApplication::exec();
}
