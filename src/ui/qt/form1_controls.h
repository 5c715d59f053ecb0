#pragma once
#include <QPushButton>
#include <QRect>
#include <array>

#include "ui/layout_table.h"
#include "ui/qt/drive_combo_box.h"
#include "ui/qt/tab_control.h"

namespace vantora::ui::qt {

// Form1's controls. The window owns them through Qt's parent chain; each
// carries its layout name as objectName.
struct Form1Controls {
  std::array<QWidget*, kForm1Layout.size()> byRow{};  // by layout-table row
  DriveComboBox* drive1 = nullptr;
  TabControl* ssTab1 = nullptr;
  QPushButton* cmdF10 = nullptr;
};

// Where a row lands in its parent widget, in the window's logical pixels (page
// controls are measured from the tab control's corner, the page starts below the strip).
QRect pixelRect(const ControlRow& row);

// Creates every control of the layout table inside `form`: geometry, content,
// font, colour, alignment, visibility, the captions' buddies and the focus order.
Form1Controls buildForm1Controls(QWidget& form);

}  // namespace vantora::ui::qt
