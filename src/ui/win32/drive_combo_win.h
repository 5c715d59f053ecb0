#pragma once
// Drive1: a drop-down list of the drives. It shows what the form model holds
// and fills itself again only when the entries changed.

#include <vector>

#include "platform/system_queries.h"
#include "win32/windows_api.h"

namespace vantora::ui::win32 {

class DriveCombo {
 public:
  DriveCombo() = default;
  explicit DriveCombo(HWND combo) : combo_(combo) {}

  HWND window() const { return combo_; }
  // Setting the selection here sends no CBN_SELCHANGE: only the user's choice does.
  void show(const std::vector<DriveEntry>& entries, std::size_t selected);
  // Places the box with its closed field exactly `rect` high; the list drops below it.
  void place(RECT rect);

 private:
  HWND combo_ = nullptr;
  std::vector<DriveEntry> shown_;
};

}  // namespace vantora::ui::win32
