#include "ui/qt/bound_controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QFontMetricsF>
#include <QStringList>

#include "ui/caption_fit.h"
#include "ui/qt/fonts_qt.h"
#include "ui/qt/drive_combo_box.h"
#include "ui/qt/pie_chart.h"

namespace vantora::ui::qt {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

bool takes(BindingKind kind, QWidget* control) {
  switch (kind) {
    case BindingKind::Caption: return qobject_cast<QLabel*>(control) || qobject_cast<QLineEdit*>(control);
    case BindingKind::Visibility: return control != nullptr;
    case BindingKind::ListItems: return qobject_cast<QListWidget*>(control) != nullptr;
    case BindingKind::Chart: return dynamic_cast<PieChart*>(control) != nullptr;
    case BindingKind::DriveEntries: return dynamic_cast<DriveComboBox*>(control) != nullptr;
  }
  return false;
}

// A capacity caption wider than its label takes a smaller size of its font.
void fitFont(QLabel& label, const ControlRow& row, const QString& text) {
  QFont font = fontFor(row.font);
  auto widthAt = [&](double points) {
    font.setPixelSize(pointsToPixels(points, kDesignDpi));
    return QFontMetricsF(font).horizontalAdvance(text);
  };
  widthAt(fittedPoints(row.font.points, label.contentsRect().width(), widthAt));
  label.setFont(font);
}

}  // namespace

BoundControls::BoundControls(const Form1Controls& controls) : byRow_(controls.byRow) {
  for (const FieldBinding& binding : kForm1Bindings) {
    if (!takes(binding.kind, byRow_[binding.row])) {
      throw std::logic_error("Form1 has no control " + std::string(binding.control) + " of the bound kind");
    }
  }
}

void BoundControls::writeCaption(std::size_t row, std::string_view text) {
  if (auto* label = qobject_cast<QLabel*>(byRow_[row])) {
    const QString caption = toQString(text);
    if (fitsCaptionToWidth(kForm1Layout[row].name)) fitFont(*label, kForm1Layout[row], caption);
    label->setText(caption);
  } else {
    static_cast<QLineEdit*>(byRow_[row])->setText(toQString(text));
  }
}

void BoundControls::writeVisibility(std::size_t row, bool visible) { byRow_[row]->setVisible(visible); }

void BoundControls::writeListItems(std::size_t row, std::span<const std::string> items) {
  auto* list = static_cast<QListWidget*>(byRow_[row]);
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(items.size()));
  for (const std::string& item : items) texts.push_back(toQString(item));
  list->clear();
  list->addItems(texts);
}

void BoundControls::writeChartData(std::size_t row, const ChartData& data) {
  static_cast<PieChart*>(byRow_[row])->setData(data(1), data(2));
}

void BoundControls::writeDriveEntries(std::size_t row, const DriveListBox& drives) {
  static_cast<DriveComboBox*>(byRow_[row])->showEntries(drives.entries, drives.listIndex);
}

}  // namespace vantora::ui::qt
