#pragma once
#include <QComboBox>
#include <functional>
#include <vector>

#include "platform/system_queries.h"

namespace vantora::ui::qt {

// Drive1: a drop-down list of drives that is read again each time it opens, so a
// drive mounted after start appears without a restart.
class DriveComboBox : public QComboBox {
 public:
  explicit DriveComboBox(QWidget* parent);

  // Runs just before the list drops down; it refreshes the entries through showEntries.
  void setBeforeDropDown(std::function<void()> beforeDropDown) { beforeDropDown_ = std::move(beforeDropDown); }
  // Runs when the user picks an entry (never for a change made by the program).
  void setOnUserSelection(std::function<void(std::size_t)> onUserSelection);

  // Shows these entries with `selected` current, without reporting a user selection.
  void showEntries(const std::vector<DriveEntry>& entries, std::size_t selected);

  void showPopup() override;

 private:
  std::function<void()> beforeDropDown_;
  std::vector<DriveEntry> shown_;
};

}  // namespace vantora::ui::qt
