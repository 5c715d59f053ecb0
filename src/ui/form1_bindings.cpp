#include "ui/form1_bindings.h"

#include <type_traits>

namespace vantora::ui {
namespace {

template <typename... Handlers>
struct Overloaded : Handlers... {
  using Handlers::operator()...;
};

FieldValue readChecked(const FieldBinding& binding, const Form1Model& form) {
  const FieldValue value = binding.read(form);
  // The front end checked the control against the row's kind, so the value must be of that kind too.
  if (value.index() != static_cast<std::size_t>(binding.kind)) {
    throw std::logic_error("the binding of " + std::string(binding.control) + " reads a value of another kind");
  }
  return value;
}

// Lists and the drive list are read by address: their contents are compared.
bool sameValue(const FieldValue& a, const FieldValue& b) {
  return std::visit(Overloaded{
                        [](const std::vector<std::string>* x, const std::vector<std::string>* y) { return *x == *y; },
                        [](const DriveListBox* x, const DriveListBox* y) { return *x == *y; },
                        []<typename T, typename U>(const T& x, const U& y) {
                          if constexpr (std::is_same_v<T, U>) {
                            return x == y;
                          } else {
                            return false;
                          }
                        },
                    },
                    a, b);
}

void write(const FieldBinding& binding, const FieldValue& value, Form1ControlWriter& writer) {
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

}  // namespace

void renderForm1(const Form1Model& form, Form1ControlWriter& writer, std::optional<BindingKind> only) {
  for (const FieldBinding& binding : kForm1Bindings) {
    if (only && binding.kind != *only) continue;
    write(binding, readChecked(binding, form), writer);
  }
}

void renderForm1Changes(const Form1Model& before, const Form1Model& after, Form1ControlWriter& writer) {
  for (const FieldBinding& binding : kForm1Bindings) {
    const FieldValue value = readChecked(binding, after);
    if (!sameValue(readChecked(binding, before), value)) write(binding, value, writer);
  }
}

}  // namespace vantora::ui
