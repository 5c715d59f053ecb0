#include "ui/form1_bindings.h"

namespace vantora::ui {
namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};

}  // namespace

void renderForm1(const Form1Model& form, Form1ControlWriter& writer, std::optional<BindingKind> only) {
  for (const FieldBinding& binding : kForm1Bindings) {
    if (only && binding.kind != *only) continue;
    const FieldValue value = binding.read(form);
    // The front end checked the control against the row's kind, so the value must be of that kind too.
    if (value.index() != static_cast<std::size_t>(binding.kind)) {
      throw std::logic_error("the binding of " + std::string(binding.control) + " reads a value of another kind");
    }
    const std::size_t row = binding.row;
    std::visit(Overloaded{
                   [&](std::string_view text) { writer.writeCaption(row, text); },
                   [&](bool visible) { writer.writeVisibility(row, visible); },
                   [&](const std::vector<std::string>* items) { writer.writeListItems(row, *items); },
                   [&](const ChartData& data) { writer.writeChartData(row, data); },
                   [&](const DriveListBox* drives) { writer.writeDriveEntries(row, *drives); },
               },
               value);
  }
}

}  // namespace vantora::ui
