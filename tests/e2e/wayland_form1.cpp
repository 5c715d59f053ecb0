// The real Form1 under a Wayland compositor, driven in process: a compositor
// without a seat takes no keys from outside. Over an in-memory machine it shows
// the window, picks a drive in the drop-down, asks to be maximised, prints what
// it saw, and on a line from stdin ends the way argv[1] names:
//   f10, ctrl-f10   the key, as the user presses it
//   button          a click on 終了/F10
//   close           the compositor's close request
// Any check that fails ends it with status 2 and one line on stderr.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSocketNotifier>
#include <QTest>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "support/fake_system_queries.h"
#include "ui/qt/fonts_qt.h"
#include "ui/qt/form1.h"

namespace {

using vantora::testing::FakeDrive;
using vantora::testing::FakeSystemQueries;
using vantora::testing::FakeVolume;

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "wayland_form1: %s\n", what.c_str());
  std::_Exit(2);
}

void expect(bool holds, const std::string& what) {
  if (!holds) fail(what);
}

FakeSystemQueries machine() {
  FakeSystemQueries system;
  FakeDrive disk;
  disk.totalBytes = 100'000'000;
  disk.freeBytesToCaller = 54'333'333;
  disk.volume = FakeVolume{"ROOT", "ext4", 0x12345678, 0x3, 255};
  system.drives["/"] = disk;
  FakeDrive nas;
  nas.type = vantora::kDriveRemote;
  nas.totalBytes = 1'000;
  nas.freeBytesToCaller = 250;
  nas.volume = FakeVolume{"SHARE", "nfs4", 0, 0x3, 255};
  system.drives["/mnt/nas"] = nas;
  system.driveList = {{{"/", "/"}, {"/mnt/nas [nas:/export]", "/mnt/nas"}}, 0};
  return system;
}

QString sizeText(QSize size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

void expectClientArea(const QWidget& form, const char* when) {
  const QSize wanted(450, 338);
  expect(form.size() == wanted && form.windowHandle()->size() == wanted,
         std::string("client area ") + sizeText(form.size()).toStdString() + " " + when + ", not 450x338");
}

template <typename Widget>
Widget& control(QWidget& form, const char* name) {
  auto* widget = form.findChild<Widget*>(QString::fromUtf8(name));
  if (widget == nullptr) fail(std::string("no control ") + name);
  return *widget;
}

// The drop-down opened as a click opens it, and its second entry clicked.
void pickSecondDrive(QWidget& form) {
  auto& drives = control<QComboBox>(form, "Drive1");
  drives.showPopup();
  QAbstractItemView* list = drives.view();
  expect(QTest::qWaitFor([list] { return list->isVisible(); }, 5000), "the drop-down did not open");
  const QRect entry = list->visualRect(drives.model()->index(1, 0));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, entry.center());
  const auto& fileSystem = control<QLabel>(form, "lbSys(0)");
  expect(QTest::qWaitFor([&] { return fileSystem.text() == QStringLiteral("nfs4"); }, 5000),
         "picking /mnt/nas did not refresh the window: file system " + fileSystem.text().toStdString());
  std::printf("picked %s: file system %s\n", drives.currentText().toUtf8().constData(),
              fileSystem.text().toUtf8().constData());
}

// Qt draws a maximise button in its own title bar; the window keeps its size
// and stays connected (a compositor ends a maximised client that keeps its size).
void maximise(QWidget& form) {
  QWindow& window = *form.windowHandle();
  window.setWindowStates(Qt::WindowMaximized);
  expect(QTest::qWaitFor([&] { return window.windowStates() == Qt::WindowNoState && window.isExposed(); }, 5000),
         "the window did not come back in its normal state");
  expectClientArea(form, "after maximising");
  std::printf("maximise asked: %s, not maximised\n", sizeText(form.size()).toUtf8().constData());
}

void end(QWidget& form, const std::string& how) {
  if (how == "f10") {
    QTest::keyClick(&form, Qt::Key_F10);
  } else if (how == "ctrl-f10") {
    QTest::keyClick(&form, Qt::Key_F10, Qt::ControlModifier);
  } else if (how == "button") {
    QTest::mouseClick(&control<QPushButton>(form, "cmdF10"), Qt::LeftButton);
  } else if (how == "close") {
    form.windowHandle()->close();
  } else {
    fail("unknown ending " + how);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) fail("usage: wayland_form1 f10|ctrl-f10|button|close");
  const std::string how = argv[1];
  QApplication application(argc, argv);
  expect(QGuiApplication::platformName() == QStringLiteral("wayland"),
         "the platform is " + QGuiApplication::platformName().toStdString() + ", not wayland");
  vantora::ui::qt::installFontSubstitutions();

  FakeSystemQueries system = machine();
  vantora::Form1Model model;
  vantora::DriveList list = system.listDrives();
  model.Drive1.replaceEntries(std::move(list.drives), list.current);
  vantora::ui::qt::Form1Seams seams;
  seams.messageBox = [](const QString& text, const QString&) { fail("message box: " + text.toStdString()); };
  vantora::ui::qt::Form1 form(model, system, std::move(seams));
  form.events().Form_Load();
  form.show();
  expect(QTest::qWaitForWindowExposed(&form, 10000), "the window was never exposed");
  expectClientArea(form, "when shown");
  std::printf("shown: %s\n", sizeText(form.size()).toUtf8().constData());

  pickSecondDrive(form);
  maximise(form);
  std::printf("ready\n");
  std::fflush(stdout);

  // The ending waits for the caller, which may photograph the screen first.
  QSocketNotifier input(0, QSocketNotifier::Read);
  QObject::connect(&input, &QSocketNotifier::activated, &form, [&form, &how, &input] {
    input.setEnabled(false);
    end(form, how);
  });
  return QApplication::exec();
}
