#pragma once
#include <QWidget>
#include <array>

#include "ui/form1_bindings.h"
#include "ui/qt/form1_controls.h"

namespace vantora::ui::qt {

// Writes the form model's fields into the Qt controls the binding table names.
// Made once at start-up; a control that is missing or cannot take its kind of
// value fails there, not silently at the first refresh.
class BoundControls final : public Form1ControlWriter {
 public:
  explicit BoundControls(const Form1Controls& controls);

  void writeCaption(std::size_t row, std::string_view text) override;
  void writeVisibility(std::size_t row, bool visible) override;
  void writeListItems(std::size_t row, std::span<const std::string> items) override;
  void writeChartData(std::size_t row, const ChartData& data) override;
  void writeDriveEntries(std::size_t row, const DriveListBox& drives) override;

 private:
  std::array<QWidget*, kForm1Layout.size()> byRow_;
};

}  // namespace vantora::ui::qt
