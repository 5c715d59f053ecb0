// Every text of every catalogue, Japanese included, fits whole in the control
// that shows it, measured with the control's own font and style. The suite runs
// at 96 and 144 dpi; a new catalogue is measured without a new line here.

#include <QFontMetrics>
#include <QListWidget>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionTab>
#include <QTabBar>

#include "form1_fixture.h"
#include "support/scoped_language.h"
#include "ui/shown_texts.h"

namespace vantora::ui::qt::testing {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

class TranslationFit : public Form1Fixture, public ::testing::WithParamInterface<std::string> {};

TEST_P(TranslationFit, EveryTextFitsTheControlThatShowsIt) {
  const vantora::testing::ScopedLanguage language(GetParam());
  makeForm();
  for (const ui::testing::Shown& shown : ui::testing::everyShownText()) {
    QWidget& widget = control(shown.control.c_str());
    for (const std::string& text : shown.texts) {
      SCOPED_TRACE(shown.control + ": " + text);
      const QString caption = toQString(text);
      // In whole pixels, as a label lays its text out.
      const int width = QFontMetrics(widget.font()).horizontalAdvance(caption);
      if (auto* button = qobject_cast<QPushButton*>(&widget)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = caption;
        EXPECT_LE(width, button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width());
      } else if (auto* list = qobject_cast<QListWidget*>(&widget)) {
        // Beside the scroll bar a list of every feature has.
        list->clear();
        list->addItem(caption);
        const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
        EXPECT_LE(list->sizeHintForColumn(0), list->contentsRect().width() - scrollBar);
      } else {
        EXPECT_LE(width, widget.contentsRect().width());
      }
    }
  }
  auto& strip = *control("SSTab1").findChild<QTabBar*>();
  for (int tab = 0; tab < strip.count(); ++tab) {
    SCOPED_TRACE(strip.tabText(tab).toStdString());
    QStyleOptionTab option;
    option.initFrom(&strip);
    option.rect = strip.tabRect(tab);
    option.text = strip.tabText(tab);
    const QRect room = strip.style()->subElementRect(QStyle::SE_TabBarTabText, &option, &strip);
    EXPECT_EQ(strip.tabText(tab), toQString(i18n::tr(kTabCaptions[static_cast<std::size_t>(tab)])));
    EXPECT_LE(QFontMetrics(strip.font()).horizontalAdvance(strip.tabText(tab)), room.width());
  }
}

// A caption given more room in a translation stands in it, and only there.
TEST_P(TranslationFit, AGrownCaptionTakesItsRoomInATranslationOnly) {
  const vantora::testing::ScopedLanguage language(GetParam());
  makeForm();
  const bool translated = GetParam() != i18n::kSourceLanguage;
  for (const CaptionRoom& room : kTranslatedCaptionRooms) {
    const ControlRow& row = *findControl(room.name);
    const QWidget& label = control(std::string(room.name).c_str());
    EXPECT_EQ(label.x(), twipsToPixels(translated ? room.left : row.left, kDesignDpi)) << room.name;
    EXPECT_EQ(label.width(), twipsToPixels(translated ? room.width : row.width, kDesignDpi)) << room.name;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, TranslationFit, ::testing::ValuesIn(ui::testing::everyLanguage()),
                         [](const auto& param) { return param.param; });

}  // namespace
}  // namespace vantora::ui::qt::testing
