#pragma once
// Writes the form model's fields into the child windows the binding table
// names. Made once when Form1 is created; a control that is missing or cannot
// take its kind of value fails there, not silently at the first refresh.

#include <array>

#include "ui/form1_bindings.h"
#include "ui/win32/unique_handle_win.h"
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

  // The DPI the controls are laid out for: the captions that shrink to fit are
  // sized again for it. Run after the window's fonts were set anew.
  void setDpi(int dpi);

 private:
  void fitCaption(std::size_t row);

  Form1Controls& controls_;
  int dpi_ = kDesignDpi;
  std::array<UniqueFont, kForm1Layout.size()> fittedFonts_;  // by row; empty for fixed-size captions
};

}  // namespace vantora::ui::win32
