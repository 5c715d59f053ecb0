// Ctrl+C and the context menu's 「コピー」 put what the window shows on the clipboard.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QTabBar>
#include <QTest>

#include "form1_fixture.h"
#include "ui/copy_details.h"

namespace vantora::ui::qt::testing {
namespace {

class Copy : public Form1Fixture {
 protected:
  void SetUp() override {
    makeForm();
    form->events().Form_Load();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  }
  QString clipboard() const { return QGuiApplication::clipboard()->text(); }
  QString shown() const { return QString::fromStdString(copyDetails(model)); }

  QWidget& focusTarget(const std::string& name) {
    if (name == "SSTab1") return *form->findChild<QTabBar*>();
    return control(name.c_str());
  }
};

// A list and a drop-down would copy their own line; the window's details win.
class CtrlC : public Copy, public ::testing::WithParamInterface<const char*> {};

TEST_P(CtrlC, CopiesTheWindowWhicheverControlHasTheFocus) {
  QTest::keyClick(&focusTarget(GetParam()), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard(), shown());
  EXPECT_TRUE(clipboard().contains(QStringLiteral("ボリューム名: ROOT\n"))) << clipboard().toStdString();
  EXPECT_EQ(programEnds, 0);
}

INSTANTIATE_TEST_SUITE_P(Controls, CtrlC, ::testing::Values("List1", "Drive1", "SSTab1", "cmdF10"));

TEST_F(Copy, CWithOtherModifiersCopiesNothing) {
  using Modifiers = Qt::KeyboardModifiers;
  for (const Modifiers modifiers : {Modifiers(Qt::NoModifier), Modifiers(Qt::ControlModifier | Qt::ShiftModifier),
                                    Modifiers(Qt::ControlModifier | Qt::AltModifier)}) {
    QTest::keyClick(&control("List1"), Qt::Key_C, modifiers);
  }
  EXPECT_EQ(clipboard(), QStringLiteral("before"));
}

TEST_F(Copy, ContextMenuOffersCopyEverywhereInTheWindow) {
  EXPECT_EQ(form->contextMenuPolicy(), Qt::ActionsContextMenu);
  auto* copy = form->findChild<QAction*>(QStringLiteral("copyAction"));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->text(), QStringLiteral("コピー"));
  EXPECT_TRUE(form->actions().contains(copy));
  copy->trigger();
  EXPECT_EQ(clipboard(), shown());
}

// The empty card reader fails its refresh: the copy is the window as it now
// stands, nothing of the disk shown before.
TEST_F(Copy, AfterAFailedRefreshCopiesWhatTheWindowNowShows) {
  form->events().Drive1_Change(1);
  ASSERT_EQ(messageBoxes.size(), 1u);
  QTest::keyClick(&control("Drive1"), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(clipboard(), shown());
  EXPECT_TRUE(clipboard().startsWith(QStringLiteral("表示ディスク: /media/card\n"))) << clipboard().toStdString();
  for (const char* stale : {"ROOT", "ext4", "45.67"}) {
    EXPECT_FALSE(clipboard().contains(QString::fromUtf8(stale))) << stale;
  }
}

}  // namespace
}  // namespace vantora::ui::qt::testing
