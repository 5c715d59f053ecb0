// Vantora on Linux: start-up creates Form1, runs its load handler (centre,
// refresh) and only then shows the window.

#include <QApplication>
#include <optional>
#include <utility>

#include "driveinfo/form_model.h"
#include "platform/make_system_queries.h"
#include "ui/qt/first_frame_marker.h"
#include "ui/qt/fonts_qt.h"
#include "ui/qt/form1.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vantora"));
  vantora::ui::qt::installFontSubstitutions();

  const auto system = vantora::makeSystemQueries();
  vantora::Form1Model form;
  vantora::DriveList drives = system->listDrives();
  form.Drive1.replaceEntries(std::move(drives.drives), drives.current);

  vantora::ui::qt::Form1 window(form, *system);
  std::optional<vantora::ui::qt::FirstFrameMarker> firstFrame;
  if (qEnvironmentVariableIsSet("VANTORA_MARK_FIRST_FRAME")) firstFrame.emplace(window);

  window.events().Form_Load();
  window.show();
  return QApplication::exec();
}
