#include "ui/qt/form1_controls.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QStyle>
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "ui/qt/fonts_qt.h"
#include "ui/qt/make_child.h"
#include "ui/qt/picture_pixmaps.h"
#include "ui/qt/pie_chart.h"

namespace vantora::ui::qt {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

int px(int twips) { return twipsToPixels(twips, kDesignDpi); }

QColor toQColor(Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

Qt::Alignment alignmentOf(Alignment alignment) {
  switch (alignment) {
    case Alignment::Centre: return Qt::AlignHCenter | Qt::AlignTop;
    case Alignment::Right: return Qt::AlignRight | Qt::AlignTop;
    case Alignment::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

void setColour(QWidget& widget, QPalette::ColorRole role, QColor colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, colour);
  widget.setPalette(palette);
}

// A plain field of fixed size in the dialog face colour; the text is never
// read as markup, whatever a volume label holds.
QLabel* makeLabel(QWidget& parent, const ControlRow& row) {
  QLabel* label = makeChild<QLabel>(parent);
  label->setTextFormat(Qt::PlainText);
  label->setWordWrap(false);
  label->setText(toQString(i18n::tr(row.content)));
  label->setAlignment(alignmentOf(row.alignment));
  label->setAutoFillBackground(true);
  setColour(*label, QPalette::Window, parent.palette().color(QPalette::Window));
  if (row.colour != TextColour::Default) setColour(*label, QPalette::WindowText, toQColor(textRgb(row.colour)));
  return label;
}

QLabel* makeImage(QWidget& parent, const ControlRow& row) {
  QLabel* image = makeChild<QLabel>(parent);
  const PictureId picture = row.picture.value_or(PictureId::UnknownType);
  image->setPixmap(sharpPixmap(picture, QSize(px(row.width), px(row.height)), qApp->devicePixelRatio()));
  image->setAccessibleDescription(toQString(i18n::tr(pictureDescription(picture))));
  return image;
}

TabControl* makeTabControl(QWidget& parent, const ControlRow& row) {
  TabControl* tab = makeChild<TabControl>(parent, QSize(px(row.width), px(row.height)), px(kTabStripTwips));
  setColour(*tab, QPalette::Window, toQColor(kTabFaceColour));
  setColour(*tab, QPalette::Button, toQColor(kTabFaceColour));
  tab->strip().setFont(fontFor(row.font));
  setColour(tab->strip(), QPalette::WindowText, toQColor(textRgb(row.colour)));
  setColour(tab->strip(), QPalette::ButtonText, toQColor(textRgb(row.colour)));
  return tab;
}

PieChart* makeChart(QWidget& parent) {
  PieChart* chart = makeChild<PieChart>(parent);
  const ChartDisc disc = chartDisc();
  chart->setDiscRect(QRect(px(disc.left), px(disc.top), px(disc.size), px(disc.size)));
  return chart;
}

QWidget* makeControl(QWidget& parent, const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::Label: return makeLabel(parent, row);
    case ControlKind::Image: return makeImage(parent, row);
    case ControlKind::DriveList: return makeChild<DriveComboBox>(parent);
    case ControlKind::TabControl: return makeTabControl(parent, row);
    case ControlKind::Chart: return makeChart(parent);
    case ControlKind::TextBox: {
      QLineEdit* box = makeChild<QLineEdit>(parent);
      box->setText(toQString(row.content));
      return box;
    }
    case ControlKind::CommandButton: {
      QPushButton* button = makeChild<QPushButton>(parent);
      button->setText(toQString(i18n::tr(row.content)));
      // Neither Enter nor Esc presses it.
      button->setAutoDefault(false);
      button->setDefault(false);
      return button;
    }
    case ControlKind::ListBox: {
      QListWidget* list = makeChild<QListWidget>(parent);
      list->setSelectionMode(QAbstractItemView::SingleSelection);
      list->setSortingEnabled(false);
      return list;
    }
  }
  throw std::logic_error("a layout row of unknown kind");
}

QWidget& containerOf(QWidget& form, TabControl* tab, const ControlRow& row) {
  if (row.container == Container::Window) return form;
  if (tab == nullptr) throw std::logic_error("a tab page's control comes before SSTab1 in the layout");
  return tab->page(tabPageIndex(row.container));
}

// The widget that takes the focus for a row: the tab control takes it on its strip.
QWidget* focusTarget(QWidget* control) {
  if (auto* tab = dynamic_cast<TabControl*>(control)) return &tab->strip();
  return control;
}

void setFocusOrder(QWidget& form) {
  std::vector<std::pair<int, QWidget*>> order;
  for (const ControlRow& row : kForm1Layout) {
    QWidget* control = form.findChild<QWidget*>(toQString(row.name));
    QWidget* target = focusTarget(control);
    if (row.tabIndex && target->focusPolicy() != Qt::NoFocus) order.emplace_back(*row.tabIndex, target);
  }
  std::sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1].second, order[i].second);
}

template <typename Widget>
Widget* find(QWidget& form, std::string_view name) {
  auto* widget = dynamic_cast<Widget*>(form.findChild<QWidget*>(toQString(name)));
  if (widget == nullptr) throw std::logic_error("Form1 has no control " + std::string(name));
  return widget;
}

}  // namespace

QRect pixelRect(const ControlRow& row) {
  const int pageOffset = row.container == Container::Window ? 0 : px(kTabStripTwips);
  return {px(row.left), px(row.top) - pageOffset, px(row.width), px(row.height)};
}

Form1Controls buildForm1Controls(QWidget& form) {
  // The fixed colours (the grey page, the blue captions, black Label20) were
  // chosen on a light face; under a dark desktop palette they would meet light
  // text and dark faces. The window keeps the light face whatever the desktop's.
  form.setPalette(QApplication::style()->standardPalette());
  TabControl* tab = nullptr;
  for (const ControlRow& row : kForm1Layout) {
    QWidget* control = makeControl(containerOf(form, tab, row), row);
    control->setObjectName(toQString(row.name));
    control->setGeometry(pixelRect(placedRow(row)));
    control->setFixedSize(control->size());
    if (row.font.face != FontFace::WindowDefault && row.kind != ControlKind::TabControl) {
      control->setFont(fontFor(row.font));
    }
    if (!row.visible) control->hide();
    if (row.kind == ControlKind::TabControl) tab = static_cast<TabControl*>(control);
  }
  // Labels and images are drawn on their container, beneath every control that
  // has a window of its own: the chart covers the end of Label20.
  for (const ControlRow& row : kForm1Layout) {
    if (row.kind != ControlKind::Label && row.kind != ControlKind::Image) find<QWidget>(form, row.name)->raise();
  }
  for (const CaptionPair& pair : kCaptionPairs) {
    QLabel* caption = find<QLabel>(form, pair.caption);
    QWidget* field = find<QWidget>(form, pair.field);
    caption->setBuddy(field);
    // An item view reports no label relation, so the list carries its caption as
    // its name; its lines stay readable as its items. A value label keeps its
    // own text as its name.
    if (auto* list = dynamic_cast<QListWidget*>(field)) list->setAccessibleName(caption->text());
  }
  setFocusOrder(form);

  Form1Controls controls;
  for (std::size_t row = 0; row < kForm1Layout.size(); ++row) {
    controls.byRow[row] = find<QWidget>(form, kForm1Layout[row].name);
  }
  controls.drive1 = find<DriveComboBox>(form, "Drive1");
  controls.ssTab1 = tab;
  controls.cmdF10 = find<QPushButton>(form, "cmdF10");
  return controls;
}

}  // namespace vantora::ui::qt
