#pragma once
// Control ids of Form1's child windows. Each row of the layout table gets
// 1000 + its row number, so a test finds a control by its name through the
// same table; the three tab pages get their own ids.

#include <cstddef>
#include <string_view>

#include "ui/layout_table.h"

namespace vantora::ui::win32 {

inline constexpr int kFirstControlId = 1000;
inline constexpr int kFirstTabPageId = 900;

constexpr int controlId(std::size_t row) { return kFirstControlId + static_cast<int>(row); }

// The id of the named control, or 0 when the table has no such control.
constexpr int controlId(std::string_view name) {
  for (std::size_t row = 0; row < kForm1Layout.size(); ++row) {
    if (kForm1Layout[row].name == name) return controlId(row);
  }
  return 0;
}

constexpr int tabPageId(int page) { return kFirstTabPageId + page; }

static_assert(controlId("lbPC(5)") == kFirstControlId);
static_assert(controlId("no such control") == 0);

}  // namespace vantora::ui::win32
