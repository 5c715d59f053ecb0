// The built window against the layout table: every control in its place, size,
// font, colour, visibility and container, and the focus order.

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QStyle>
#include <cmath>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "form1_fixture.h"
#include "driveinfo/refresh_steps.h"
#include "ui/caption_fit.h"
#include "ui/layout_table.h"
#include "ui/qt/bound_controls.h"

namespace vantora::ui::qt::testing {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
int px(int twips) { return twipsToPixels(twips, kDesignDpi); }

class Form1Layout : public Form1Fixture {
 protected:
  void SetUp() override { makeForm(); }

  // Where the layout puts a row, in Form1's client coordinates.
  static QRect expectedRect(const ControlRow& row) {
    if (row.container == Container::Window) return {px(row.left), px(row.top), px(row.width), px(row.height)};
    const ControlRow& tab = *findControl("SSTab1");
    return {px(tab.left + row.left), px(tab.top + row.top), px(row.width), px(row.height)};
  }

  QWidget& tabPage(int index) { return control(QStringLiteral("SSTab1.page%1").arg(index).toUtf8().constData()); }
};

TEST_F(Form1Layout, WindowHasItsFixedClientSizeAndCaption) {
  EXPECT_EQ(form->size(), QSize(450, 338));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Vantora  V2.1"));
  EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_FALSE(form->windowIcon().isNull());
}

TEST_F(Form1Layout, EveryControlSitsWhereTheTableSays) {
  for (const ControlRow& row : kForm1Layout) {
    SCOPED_TRACE(std::string(row.name));
    const QWidget& widget = control(std::string(row.name).c_str());
    const QRect placed(widget.mapTo(form.get(), QPoint(0, 0)), widget.size());
    EXPECT_EQ(placed, expectedRect(row));
    EXPECT_EQ(widget.minimumSize(), widget.maximumSize()) << "the control may not grow with its text";
    EXPECT_EQ(widget.isHidden(), !row.visible);
    const QWidget* expectedParent =
        row.container == Container::Window ? form.get() : &tabPage(tabPageIndex(row.container));
    EXPECT_EQ(widget.parentWidget(), expectedParent);
  }
}

TEST_F(Form1Layout, ControlsCarryTheirFontsColoursAndContent) {
  for (const ControlRow& row : kForm1Layout) {
    SCOPED_TRACE(std::string(row.name));
    const QWidget& widget = control(std::string(row.name).c_str());
    if (row.kind == ControlKind::Label) {
      const auto& label = dynamic_cast<const QLabel&>(widget);
      EXPECT_EQ(label.text(), toQString(row.content));
      EXPECT_EQ(label.textFormat(), Qt::PlainText);
      EXPECT_FALSE(label.wordWrap());
      EXPECT_TRUE(label.autoFillBackground());
      const Qt::Alignment horizontal = label.alignment() & Qt::AlignHorizontal_Mask;
      EXPECT_EQ(horizontal, row.alignment == Alignment::Right    ? Qt::AlignRight
                            : row.alignment == Alignment::Centre ? Qt::AlignHCenter
                                                                 : Qt::AlignLeft);
    }
    const QWidget& textWidget =
        row.kind == ControlKind::TabControl ? *widget.findChild<QTabBar*>() : widget;
    if (row.font.face != FontFace::WindowDefault) {
      const QFont font = textWidget.font();
      EXPECT_EQ(font.family(), toQString(row.font.face == FontFace::MsGothic ? "ＭＳ ゴシック" : "ＭＳ Ｐゴシック"));
      EXPECT_EQ(font.pixelSize(), pointsToPixels(row.font.points, kDesignDpi));
      EXPECT_EQ(font.bold(), row.font.weight >= 700);
    }
    if (row.colour != TextColour::Default) {
      const Rgb rgb = textRgb(row.colour);
      EXPECT_EQ(textWidget.palette().color(QPalette::WindowText), QColor(rgb.red, rgb.green, rgb.blue));
    }
  }
}

TEST_F(Form1Layout, JapaneseGothicFacesStandInForTheMissingOnes) {
  const QFontInfo fixedPitch(control("lbPC(5)").font());
  const QFontInfo proportional(control("List1").font());
  EXPECT_EQ(fixedPitch.family(), QStringLiteral("IPAGothic"));
  EXPECT_EQ(proportional.family(), QStringLiteral("IPAPGothic"));
}

TEST_F(Form1Layout, TabControlHasThreeTabsInOneRowOverItsPages) {
  const auto& strip = *control("SSTab1").findChild<QTabBar*>();
  ASSERT_EQ(strip.count(), 3);
  EXPECT_EQ(strip.tabText(0), QStringLiteral("種類・容量"));
  EXPECT_EQ(strip.tabText(1), QStringLiteral("システム"));
  EXPECT_EQ(strip.tabText(2), QStringLiteral("属性"));
  EXPECT_EQ(strip.currentIndex(), 0);
  EXPECT_EQ(strip.height(), 20);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(strip.tabRect(i).top(), 0) << i;
  EXPECT_EQ(control("SSTab1").palette().color(QPalette::Window), QColor(192, 192, 192));
}

TEST_F(Form1Layout, ListIsPlainSingleSelectionAndUnsorted) {
  const auto& list = control<QListWidget>("List1");
  EXPECT_EQ(list.selectionMode(), QAbstractItemView::SingleSelection);
  EXPECT_FALSE(list.isSortingEnabled());
  const auto& exit = control<QPushButton>("cmdF10");
  EXPECT_FALSE(exit.isDefault());
  EXPECT_FALSE(exit.autoDefault());
}

class Form1Focus : public Form1Layout {
 protected:
  void SetUp() override {
    Form1Layout::SetUp();
    form->show();
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  // The objectName of each control that takes the focus on Tab, from the current one round to it.
  QStringList tabRound() {
    QStringList names;
    for (int i = 0; i < 8; ++i) {
      QWidget* focused = QApplication::focusWidget();
      if (focused == nullptr) break;
      QWidget* named = focused->objectName().isEmpty() ? focused->parentWidget() : focused;
      names << named->objectName();
      QTest::keyClick(focused, Qt::Key_Tab);
      if (!names.isEmpty() && QApplication::focusWidget() == form->findChild<QTabBar*>()) break;
    }
    return names;
  }
};

TEST_F(Form1Focus, OpensWithTheFocusOnTheTabControlAndFollowsTheTabIndices) {
  EXPECT_EQ(QApplication::focusWidget(), form->findChild<QTabBar*>());
  EXPECT_EQ(tabRound(), (QStringList{"SSTab1", "cmdF10", "Drive1", "MSChart1"}));
}

TEST_F(Form1Focus, TheListTakesTheFocusOnlyWhileItsPageIsSelected) {
  form->findChild<QTabBar*>()->setCurrentIndex(2);
  EXPECT_EQ(tabRound(), (QStringList{"SSTab1", "cmdF10", "Drive1", "List1", "MSChart1"}));
}

// Every count a drive can report shows whole: a caption wider than its label
// steps its font down, never below 7 points. The suite runs at 96 and 144 dpi.
TEST_F(Form1Layout, CapacitiesFitTheirLabelsFromZeroToTheLargestCount) {
  const int designPixels = pointsToPixels(12, kDesignDpi);
  const int smallestPixels = pointsToPixels(kSmallestCaptionPoints, kDesignDpi);
  for (const auto& [count, shrinks] : std::vector<std::pair<std::uint64_t, bool>>{
           {0, false},
           {999'999'999, false},
           {270'553'174'016, false},
           {16'000'000'000'000, true},
           {18'446'744'073'709'551'615u, true}}) {
    model.lbSou(1).setCaption(capacityText(count, {}));
    model.lbAki(2).setCaption(capacityText(count / 3, {}));
    form->render(model);
    for (const char* name : {"lbSou(1)", "lbAki(2)"}) {
      const QLabel& label = control<QLabel>(name);
      const int pixels = label.font().pixelSize();
      EXPECT_LE(QFontMetricsF(label.font()).horizontalAdvance(label.text()), label.contentsRect().width())
          << name << " " << label.text().toStdString();
      EXPECT_GE(pixels, smallestPixels) << name << " " << count;
      if (std::string_view(name) == "lbSou(1)") {
        EXPECT_EQ(pixels < designPixels, shrinks) << count;
      }
    }
  }
}

// Relative luminance contrast of two colours, as the readability guidelines define it.
double contrast(QColor a, QColor b) {
  auto luminance = [](QColor c) {
    auto channel = [](double v) { return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
  };
  const double l1 = luminance(a), l2 = luminance(b);
  return (std::max(l1, l2) + 0.05) / (std::min(l1, l2) + 0.05);
}

// Under a dark desktop palette every text stays readable on its background (4.5:1,
// or what a fixed colour gives on the light face it was chosen for): the painted
// label's background against the pixel of its text that differs most.
TEST_F(Form1Fixture, EveryTextStaysReadableUnderADarkPalette) {
  const QPalette kept = QApplication::palette();
  QPalette dark(QColor(49, 54, 59));  // a dark face, as Breeze Dark has
  dark.setColor(QPalette::WindowText, QColor(239, 240, 241));
  dark.setColor(QPalette::Text, QColor(239, 240, 241));
  dark.setColor(QPalette::Base, QColor(35, 38, 41));
  QApplication::setPalette(dark);
  makeForm();
  form->events().Form_Load();
  for (const char* name : {"lbPC(5)", "Label23", "Label18", "Label22", "lbSyu(0)", "Label10", "lbSou(1)", "Label6",
                           "Label4", "Label20"}) {
    QLabel& label = control<QLabel>(name);
    const QImage painted = label.grab().toImage();
    const QColor background = painted.pixelColor(painted.width() - 1, painted.height() - 1);
    double best = 1;
    for (int y = 0; y < painted.height(); ++y) {
      for (int x = 0; x < painted.width(); ++x) best = std::max(best, contrast(painted.pixelColor(x, y), background));
    }
    const ControlRow& row = *findControl(name);
    const Rgb fixed = textRgb(row.colour);
    const QColor lightFace = QApplication::style()->standardPalette().color(QPalette::Window);
    const double wanted = row.colour == TextColour::Default
                              ? 4.5
                              : std::min(4.5, contrast(QColor(fixed.red, fixed.green, fixed.blue), lightFace));
    EXPECT_GE(best, wanted - 0.01) << name;
  }
  QApplication::setPalette(kept);
}

// The binding table is checked against the built controls once, when the window
// is made: a control gone or of another kind fails there instead of showing nothing.
TEST(Form1Bindings, AControlMissingOrOfTheWrongKindFailsAtStartUp) {
  QWidget form;
  const Form1Controls built = buildForm1Controls(form);
  EXPECT_NO_THROW(BoundControls{built});
  QPushButton stranger(&form);
  for (const auto& [name, replacement] : std::vector<std::pair<std::string_view, QWidget*>>{
           {"lbSou(1)", nullptr}, {"Text1", &stranger}, {"List1", &stranger}, {"MSChart1", &stranger},
           {"Drive1", &stranger}, {"Image3", nullptr}}) {
    Form1Controls broken = built;
    broken.byRow[static_cast<std::size_t>(findControl(name) - kForm1Layout.data())] = replacement;
    EXPECT_THROW(BoundControls{broken}, std::logic_error) << name;
  }
}

}  // namespace
}  // namespace vantora::ui::qt::testing
