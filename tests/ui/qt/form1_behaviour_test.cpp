// The real Form1 driven as a user drives it: start-up, the drive list, F10, the
// exit button, the failure message box and switching tabs.

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "form1_fixture.h"
#include "ui/qt/pie_chart.h"

namespace vantora::ui::qt::testing {
namespace {

int count(const std::vector<std::string>& calls, const std::string& call) {
  return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

class Form1Behaviour : public Form1Fixture {
 protected:
  void showActive() {
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }
};

TEST_F(Form1Behaviour, LoadCentresThenRefreshesBeforeTheWindowIsShown) {
  system.driveList.current = 1;  // the empty card reader: the refresh ends in the message box
  loadDrives();
  QPoint placedAtBox;
  bool visibleAtBox = true;
  Form1Seams seams = recordingSeams();
  seams.messageBox = [&](const QString& text, const QString& caption) {
    placedAtBox = form->pos();
    visibleAtBox = form->isVisible();
    messageBoxes.emplace_back(text, caption);
  };
  form = std::make_unique<Form1>(model, system, std::move(seams));
  form->events().Form_Load();

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const QPoint centred(qRound((screen.width() - form->frameGeometry().width()) / 2.0),
                       qRound((screen.height() - form->frameGeometry().height()) / 2.0));
  EXPECT_LE((placedAtBox - centred).manhattanLength(), 1) << "centred before the refresh reached its message box";
  EXPECT_FALSE(visibleAtBox);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(labelText("Label4"), QStringLiteral("----"));
}

TEST_F(Form1Behaviour, LoadFillsEveryFieldOfEveryPage) {
  makeForm();
  form->events().Form_Load();
  EXPECT_EQ(labelText("lbPC(4)"), QStringLiteral("PC01"));
  EXPECT_EQ(labelText("lbPC(5)"), QStringLiteral("PC01　ディスク情報"));
  EXPECT_EQ(labelText("lbSyu(0)"), QStringLiteral("ハードディスク"));
  EXPECT_EQ(labelText("lbSou(1)"), QStringLiteral("100,000,000 (100.MB)"));
  EXPECT_EQ(labelText("lbAki(2)"), QStringLiteral("54,333,333 (54.33MB)"));
  EXPECT_EQ(labelText("lbSys(0)"), QStringLiteral("ext4"));
  EXPECT_EQ(labelText("lbSys(1)"), QStringLiteral("ROOT"));
  EXPECT_EQ(labelText("Label4"), QStringLiteral("45.67 %"));
  EXPECT_EQ(control<QLineEdit>("Text1").text(), QStringLiteral("54.33"));
  EXPECT_EQ(control<QLineEdit>("Text2").text(), QStringLiteral("45.67"));
  EXPECT_GT(control<QListWidget>("List1").count(), 0);
  EXPECT_FALSE(control("Image2").isHidden());
  for (const char* other : {"Image1", "Image3", "Image4", "Image5"}) EXPECT_TRUE(control(other).isHidden()) << other;
  EXPECT_DOUBLE_EQ(control<PieChart>("MSChart1").element1(), 45.67);
  EXPECT_DOUBLE_EQ(control<PieChart>("MSChart1").element2(), 54.33);
  EXPECT_TRUE(messageBoxes.empty());
}

struct F10Case {
  const char* name;
  const char* focusedControl;
  Qt::KeyboardModifiers modifiers;
};

class F10EndsTheProgram : public Form1Behaviour, public ::testing::WithParamInterface<F10Case> {};

TEST_P(F10EndsTheProgram, WhicheverControlHasTheFocus) {
  makeForm();
  form->events().Form_Load();
  showActive();
  QWidget* target = &control(GetParam().focusedControl);
  if (auto* tab = target->findChild<QTabBar*>()) target = tab;
  target->setFocus();
  QTest::keyClick(target, Qt::Key_F10, GetParam().modifiers);
  EXPECT_EQ(programEnds, 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, F10EndsTheProgram,
                         ::testing::Values(F10Case{"DriveList", "Drive1", Qt::NoModifier},
                                           F10Case{"DriveListShift", "Drive1", Qt::ShiftModifier},
                                           F10Case{"DriveListCtrl", "Drive1", Qt::ControlModifier},
                                           F10Case{"TabArea", "SSTab1", Qt::NoModifier},
                                           F10Case{"TabAreaShift", "SSTab1", Qt::ShiftModifier},
                                           F10Case{"TabAreaCtrl", "SSTab1", Qt::ControlModifier},
                                           F10Case{"ExitButtonAlt", "cmdF10", Qt::AltModifier}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(Form1Behaviour, OtherKeysDoNothing) {
  makeForm();
  form->events().Form_Load();
  showActive();
  system.calls.clear();
  for (Qt::Key key : {Qt::Key_F9, Qt::Key_F11, Qt::Key_Escape, Qt::Key_Return, Qt::Key_A}) {
    QTest::keyClick(form->findChild<QTabBar*>(), key);
  }
  EXPECT_EQ(programEnds, 0);
  EXPECT_TRUE(system.calls.empty());
}

TEST_F(Form1Behaviour, F10InTheDropDownListEndsTheProgram) {
  makeForm();
  form->events().Form_Load();
  showActive();
  auto& drives = control<QComboBox>("Drive1");
  drives.showPopup();
  QWidget* popup = QApplication::activePopupWidget();
  ASSERT_NE(popup, nullptr);
  QTest::keyClick(popup, Qt::Key_F10);
  EXPECT_EQ(programEnds, 1);
  drives.hidePopup();
}

TEST_F(Form1Behaviour, ExitButtonEndsTheProgram) {
  makeForm();
  form->events().Form_Load();
  showActive();
  QTest::mouseClick(&control<QPushButton>("cmdF10"), Qt::LeftButton);
  EXPECT_EQ(programEnds, 1);
}

TEST_F(Form1Behaviour, ChoosingADriveRefreshesForThatDrive) {
  makeForm();
  form->events().Form_Load();
  showActive();
  system.calls.clear();
  auto& drives = control<QComboBox>("Drive1");
  drives.setFocus();
  QTest::keyClick(&drives, Qt::Key_Down);  // to "/media/card", as a user steps through the list
  QTest::keyClick(&drives, Qt::Key_Down);  // to the network share
  EXPECT_EQ(count(system.calls, "driveType /media/card"), 1);
  EXPECT_EQ(count(system.calls, "driveType /mnt/nas"), 1);
  EXPECT_EQ(labelText("lbSyu(0)"), QStringLiteral("リモート"));
  for (const char* image : {"Image1", "Image2", "Image3", "Image4", "Image5"}) {
    EXPECT_TRUE(control(image).isHidden()) << image;
  }
  EXPECT_EQ(messageBoxes.size(), 1u) << "the card reader without a medium, once";
}

TEST_F(Form1Behaviour, AnEmptyDriveShowsTheMessageOnceAndResetsTheUsage) {
  makeForm();
  form->events().Form_Load();
  form->events().Drive1_Change(1);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].first, QStringLiteral("ディスクが挿入されていません。"));
  EXPECT_EQ(messageBoxes[0].second, QStringLiteral("Vantora"));
  EXPECT_EQ(labelText("Label4"), QStringLiteral("----"));
  EXPECT_EQ(labelText("lbSyu(0)"), QStringLiteral("FD/リムーバブル"));
  EXPECT_FALSE(control("Image1").isHidden());
  EXPECT_EQ(control<QLineEdit>("Text1").text(), QStringLiteral("54.33")) << "kept from the previous refresh";
  EXPECT_DOUBLE_EQ(control<PieChart>("MSChart1").element1(), 0);
  EXPECT_DOUBLE_EQ(control<PieChart>("MSChart1").element2(), 1000);
}

TEST_F(Form1Behaviour, OpeningTheDriveListReadsTheDrivesAgainAndKeepsTheSelection) {
  system.driveList.current = 2;
  makeForm();
  form->events().Form_Load();
  showActive();
  system.driveList = {{{"/", "/"}, {"/media/stick [PHOTOS]", "/media/stick"}, {"/mnt/nas [nas:/export]", "/mnt/nas"}},
                      0};
  system.calls.clear();
  auto& drives = control<QComboBox>("Drive1");
  drives.showPopup();
  EXPECT_EQ(system.calls, (std::vector<std::string>{"listDrives"})) << "opening the list refreshes nothing";
  EXPECT_EQ(drives.itemText(1), QStringLiteral("/media/stick [PHOTOS]"));
  EXPECT_EQ(drives.currentIndex(), 2);
  EXPECT_EQ(model.Drive1.selected().rootPath, "/mnt/nas");
  drives.hidePopup();
}

TEST_F(Form1Behaviour, TheRealMessageBoxHasOnlyOkNoIconAndTheProgramsTitle) {
  makeForm();
  Form1 real(model, system);
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QMessageBox::StandardButtons buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    title = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = box->standardButtons();
    box->accept();
  });
  real.messageBox("ディスクが挿入されていません。", "Vantora");
  EXPECT_EQ(title, QStringLiteral("Vantora"));
  EXPECT_EQ(text, QStringLiteral("ディスクが挿入されていません。"));
  EXPECT_EQ(icon, QMessageBox::NoIcon);
  EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(Form1Behaviour, SwitchingTabsChangesNoFieldAndNeverHidesTheChart) {
  makeForm();
  form->events().Form_Load();
  showActive();
  const QStringList names{"lbPC(5)", "lbSyu(0)", "lbSou(1)", "lbAki(2)", "lbSys(0)", "lbSys(1)", "lbSys(2)", "Label4"};
  auto snapshot = [&] {
    QStringList texts;
    for (const QString& name : names) texts << labelText(name.toUtf8().constData());
    return texts;
  };
  const QStringList before = snapshot();
  const QRect chartPlace = control("MSChart1").geometry();
  system.calls.clear();
  auto* strip = form->findChild<QTabBar*>();
  for (int page : {1, 2, 0}) {
    QTest::mouseClick(strip, Qt::LeftButton, {}, strip->tabRect(page).center());
    EXPECT_EQ(strip->currentIndex(), page);
    EXPECT_EQ(snapshot(), before);
    EXPECT_TRUE(control("MSChart1").isVisible());
    EXPECT_EQ(control("MSChart1").geometry(), chartPlace);
    EXPECT_EQ(control("lbSys(0)").isVisible(), page == 1);
    EXPECT_EQ(control("List1").isVisible(), page == 2);
  }
  EXPECT_TRUE(system.calls.empty()) << "selecting a tab runs no program code";
}

TEST_F(Form1Behaviour, SystemTextIsShownAsPlainText) {
  system.drives["/"].volume->volumeName = "<b>&amp;x</b>";
  makeForm();
  form->events().Form_Load();
  EXPECT_EQ(labelText("lbSys(1)"), QStringLiteral("<b>&amp;x</b>"));
  EXPECT_EQ(control<QLabel>("lbSys(1)").textFormat(), Qt::PlainText);
}

}  // namespace
}  // namespace vantora::ui::qt::testing
