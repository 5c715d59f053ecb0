#include "ui/qt/drive_combo_box.h"

#include <QSignalBlocker>
#include <QStringList>

namespace vantora::ui::qt {

DriveComboBox::DriveComboBox(QWidget* parent) : QComboBox(parent) {
  setInsertPolicy(QComboBox::NoInsert);
  // A drive text holds a mount point and a label of any length; the box keeps its size.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(1);
}

void DriveComboBox::setOnUserSelection(std::function<void(std::size_t)> onUserSelection) {
  // `activated` comes only from the user's mouse or keyboard, never from setCurrentIndex.
  connect(this, &QComboBox::activated, this, [handler = std::move(onUserSelection)](int index) {
    if (index >= 0) handler(static_cast<std::size_t>(index));
  });
}

void DriveComboBox::showEntries(const std::vector<DriveEntry>& entries, std::size_t selected) {
  const QSignalBlocker quiet(this);
  if (entries != shown_) {
    // One insertion for the whole list: a host with thousands of mounts would
    // otherwise pay the model's change signals once per drive.
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(entries.size()));
    for (const DriveEntry& entry : entries) texts.push_back(QString::fromStdString(entry.text));
    clear();
    addItems(texts);
    shown_ = entries;
  }
  setCurrentIndex(selected < entries.size() ? static_cast<int>(selected) : -1);
}

void DriveComboBox::showPopup() {
  if (beforeDropDown_) beforeDropDown_();
  QComboBox::showPopup();
}

}  // namespace vantora::ui::qt
