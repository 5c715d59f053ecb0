#pragma once
// Writes the form model's fields into the child windows the binding table
// names. Made once when Form1 is created; a control that is missing or cannot
// take its kind of value fails there, not silently at the first refresh.

#include "ui/form1_bindings.h"
#include "ui/win32/form1_controls_win.h"

namespace vantora::ui::win32 {

class BoundControls final : public Form1ControlWriter {
 public:
  explicit BoundControls(Form1Controls& controls);

  void writeCaption(std::size_t row, std::string_view text) override;
  void writeVisibility(std::size_t row, bool visible) override;
  void writeListItems(std::size_t row, std::span<const std::string> items) override;
  void writeChartData(std::size_t row, const ChartData& data) override;
  void writeDriveEntries(std::size_t row, const DriveListBox& drives) override;

 private:
  Form1Controls& controls_;
};

}  // namespace vantora::ui::win32
