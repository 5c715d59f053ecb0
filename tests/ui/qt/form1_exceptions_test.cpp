// A backend that throws, met through the window's real controls: Qt cannot
// carry an exception through its event loop, so the window must catch it, show
// what a failed drive shows where the refresh was reading the drive, and go on.

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <stdexcept>

#include "form1_fixture.h"
#include "ui/qt/pie_chart.h"

namespace vantora::ui::qt::testing {
namespace {

class Form1Exceptions : public Form1Fixture {
 protected:
  void SetUp() override {
    makeForm();
    form->events().Form_Load();
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    drives().setFocus();
  }

  QComboBox& drives() { return control<QComboBox>("Drive1"); }
  // The user steps to the network share (End) or back to "/" (Home) in the closed list.
  void pick(Qt::Key key) { QTest::keyClick(&drives(), key); }

  QStringList shownFields() {
    QStringList texts;
    for (const char* name : {"lbPC(5)", "lbSyu(0)", "lbSou(1)", "lbAki(2)", "lbSys(0)", "lbSys(1)", "Label4"}) {
      texts << labelText(name);
    }
    return texts;
  }

  // After the fault the window answers the next event as ever.
  void expectTheWindowStillWorks() {
    system.throwFrom.clear();
    messageBoxes.clear();
    pick(Qt::Key_End);
    pick(Qt::Key_Home);
    EXPECT_EQ(labelText("lbSys(1)"), QStringLiteral("ROOT"));
    EXPECT_EQ(labelText("Label4"), QStringLiteral("45.67 %"));
    EXPECT_TRUE(messageBoxes.empty());
    EXPECT_EQ(programEnds, 0);
  }
};

class AQueryThrows : public Form1Exceptions, public ::testing::WithParamInterface<vantora::testing::ThrowingQuery> {};

TEST_P(AQueryThrows, WhileReadingTheDriveTakesTheFailurePath) {
  system.throwFrom = GetParam().query;
  system.exception = GetParam().exception;
  pick(Qt::Key_End);
  EXPECT_EQ(labelText("Label4"), QStringLiteral("----"));
  EXPECT_DOUBLE_EQ(control<PieChart>("MSChart1").element1(), 0);
  EXPECT_DOUBLE_EQ(control<PieChart>("MSChart1").element2(), 1000);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_EQ(messageBoxes[0].first, QStringLiteral("ディスクが挿入されていません。"));
  expectTheWindowStillWorks();
}

INSTANTIATE_TEST_SUITE_P(Queries, AQueryThrows, ::testing::ValuesIn(vantora::testing::queriesAfterTheHeader()),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.query); });

TEST_F(Form1Exceptions, TheComputerNameThrowingLeavesTheWindowAsItWas) {
  const QStringList before = shownFields();
  system.throwFrom = "computerName";
  pick(Qt::Key_End);
  EXPECT_EQ(shownFields(), before);
  EXPECT_TRUE(messageBoxes.empty());
  expectTheWindowStillWorks();
}

TEST_F(Form1Exceptions, TheDriveListThrowingStillOpensTheListAsItWas) {
  system.driveList.drives.push_back({"/media/stick", "/media/stick"});
  system.throwFrom = "listDrives";
  drives().showPopup();
  EXPECT_NE(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(drives().count(), 3);
  EXPECT_EQ(drives().currentIndex(), 0);
  drives().hidePopup();
  EXPECT_TRUE(messageBoxes.empty());
  expectTheWindowStillWorks();
}

// Ending the program is the window's own business, but a fault there must not
// pass through the key preview or the button either.
TEST_F(Form1Exceptions, AnEndThatThrowsPassesThroughNeitherKeyNorButton) {
  Form1Seams seams = recordingSeams();
  seams.endProgram = [this] {
    ++programEnds;
    throw std::runtime_error("cannot end");
  };
  form = std::make_unique<Form1>(model, system, std::move(seams));
  form->events().Form_Load();
  form->show();
  QTest::keyClick(form.get(), Qt::Key_F10);
  QTest::mouseClick(&control<QPushButton>("cmdF10"), Qt::LeftButton);
  EXPECT_EQ(programEnds, 2);
}

}  // namespace
}  // namespace vantora::ui::qt::testing
