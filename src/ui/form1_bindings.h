#pragma once
// Which control shows which display field of the form model, and as what.
// This table is the only copy of the model into the window: a front end says
// how each kind of value is written into its own controls, and checks once, when
// it starts, that every control the table names exists and can take its kind.

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "driveinfo/form_model.h"
#include "ui/layout_table.h"

namespace vantora::ui {

enum class BindingKind {
  Caption,       // a label's caption or a text box's text
  Visibility,    // a picture shown or hidden
  ListItems,     // the lines of a list box, in order
  Chart,         // the two numbers of the pie
  DriveEntries,  // the drive list's entries and its selection
};

// A field's value as it is written; the alternatives follow BindingKind's order.
using FieldValue =
    std::variant<std::string_view, bool, const std::vector<std::string>*, ChartData, const DriveListBox*>;

struct FieldBinding {
  constexpr FieldBinding(std::string_view name, BindingKind bound, FieldValue (*reader)(const Form1Model&))
      : control(name), kind(bound), row(rowOf(name, bound)), read(reader) {}

  std::string_view control;  // its name in the layout table
  BindingKind kind;
  std::size_t row;           // its row in the layout table
  FieldValue (*read)(const Form1Model&);

 private:
  static constexpr bool fits(BindingKind kind, ControlKind control) {
    switch (kind) {
      case BindingKind::Caption: return control == ControlKind::Label || control == ControlKind::TextBox;
      case BindingKind::Visibility: return control == ControlKind::Image;
      case BindingKind::ListItems: return control == ControlKind::ListBox;
      case BindingKind::Chart: return control == ControlKind::Chart;
      case BindingKind::DriveEntries: return control == ControlKind::DriveList;
    }
    return false;
  }
  // A name the layout table does not have, or a control that cannot show the kind, stops the build.
  static constexpr std::size_t rowOf(std::string_view name, BindingKind kind) {
    const ControlRow* row = findControl(name);
    if (row == nullptr) throw std::logic_error("the layout table has no such control");
    if (!fits(kind, row->kind)) throw std::logic_error("this control cannot show this kind of field");
    return static_cast<std::size_t>(row - kForm1Layout.data());
  }
};

// How one front end writes each kind of value into the control of a layout row.
class Form1ControlWriter {
 public:
  virtual ~Form1ControlWriter() = default;
  virtual void writeCaption(std::size_t row, std::string_view text) = 0;
  virtual void writeVisibility(std::size_t row, bool visible) = 0;
  virtual void writeListItems(std::size_t row, std::span<const std::string> items) = 0;
  virtual void writeChartData(std::size_t row, const ChartData& data) = 0;
  virtual void writeDriveEntries(std::size_t row, const DriveListBox& drives) = 0;
};

namespace binding_detail {
template <auto Array, int Index>
FieldValue elementCaption(const Form1Model& form) {
  return std::string_view((form.*Array)(Index).caption());
}
template <auto Field>
FieldValue caption(const Form1Model& form) {
  return std::string_view((form.*Field).caption());
}
template <auto Field>
FieldValue text(const Form1Model& form) {
  return std::string_view((form.*Field).text);
}
template <auto Field>
FieldValue visible(const Form1Model& form) {
  return (form.*Field).visible;
}
inline FieldValue list1Items(const Form1Model& form) { return &form.List1.items; }
inline FieldValue chartData(const Form1Model& form) { return form.MSChart1; }
inline FieldValue drives(const Form1Model& form) { return &form.Drive1; }
}  // namespace binding_detail

// Every display field, in the order the window has always been written.
inline constexpr auto kForm1Bindings = [] {
  using namespace binding_detail;
  using enum BindingKind;
  using M = Form1Model;
  return std::array<FieldBinding, 19>{{
      {"lbPC(4)", Caption, elementCaption<&M::lbPC, 4>},
      {"lbPC(5)", Caption, elementCaption<&M::lbPC, 5>},
      {"lbSyu(0)", Caption, elementCaption<&M::lbSyu, 0>},
      {"Image1", Visibility, visible<&M::Image1>},
      {"Image2", Visibility, visible<&M::Image2>},
      {"Image3", Visibility, visible<&M::Image3>},
      {"Image4", Visibility, visible<&M::Image4>},
      {"Image5", Visibility, visible<&M::Image5>},
      {"lbSou(1)", Caption, elementCaption<&M::lbSou, 1>},
      {"lbAki(2)", Caption, elementCaption<&M::lbAki, 2>},
      {"lbSys(0)", Caption, elementCaption<&M::lbSys, 0>},
      {"lbSys(1)", Caption, elementCaption<&M::lbSys, 1>},
      {"lbSys(2)", Caption, elementCaption<&M::lbSys, 2>},
      {"List1", ListItems, list1Items},
      {"Text1", Caption, text<&M::Text1>},
      {"Text2", Caption, text<&M::Text2>},
      {"Label4", Caption, caption<&M::Label4>},
      {"MSChart1", Chart, chartData},
      {"Drive1", DriveEntries, drives},
  }};
}();

// Writes every bound field of `form`, or only those of kind `only`.
void renderForm1(const Form1Model& form, Form1ControlWriter& writer, std::optional<BindingKind> only = {});

// Writes only the bound fields whose values differ between the two models;
// the controls show `before`.
void renderForm1Changes(const Form1Model& before, const Form1Model& after, Form1ControlWriter& writer);

}  // namespace vantora::ui
