#include "ui/copy_details.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/utf8_text.h"
#include "ui/copy_texts.h"
#include "ui/form1_bindings.h"
#include "ui/layout_table.h"

namespace vantora::ui {
namespace {

// The fields copied, in the order a person reads the three pages; the usage
// beside the pie follows the capacities it is worked out from.
constexpr std::array<std::string_view, 9> kCopiedFields = {
    "Drive1", "lbSyu(0)", "lbSou(1)", "lbAki(2)", "Label4", "lbSys(0)", "lbSys(1)", "lbSys(2)", "List1",
};

// A caption as the window shows it, without the padding and colon that lead to its field.
std::string_view captionOf(std::string_view field) {
  const auto pair = std::ranges::find(kCaptionPairs, field, &CaptionPair::field);
  if (pair == kCaptionPairs.end()) throw std::logic_error("a copied field has no caption");
  std::string_view caption = i18n::tr(findControl(pair->caption)->content);
  for (const std::string_view trailing : {"：", ":", "　", " "}) {
    while (caption.ends_with(trailing)) caption.remove_suffix(trailing.size());
  }
  return caption;
}

const FieldBinding& bindingOf(std::string_view field) {
  const auto binding = std::ranges::find(kForm1Bindings, field, &FieldBinding::control);
  if (binding == kForm1Bindings.end()) throw std::logic_error("a copied field is not bound to the model");
  return *binding;
}

// The value exactly as the binding table hands it to the window.
std::string valueOf(const Form1Model& form, std::string_view field) {
  const FieldValue value = bindingOf(field).read(form);
  if (const auto* text = std::get_if<std::string_view>(&value)) return std::string(*text);
  if (const auto* items = std::get_if<const std::vector<std::string>*>(&value)) {
    std::string joined;
    for (const std::string& item : **items) {
      if (!joined.empty()) joined += i18n::tr(kCopyListSeparator);
      joined += item;
    }
    return joined;
  }
  if (const auto* drives = std::get_if<const DriveListBox*>(&value)) {
    const DriveListBox& list = **drives;
    return list.listIndex < list.entries.size() ? list.selected().text : std::string();
  }
  throw std::logic_error("a copied field is neither text, lines nor the drive list");
}

}  // namespace

std::string copyDetails(const Form1Model& form) {
  std::string text;
  for (const std::string_view field : kCopiedFields) {
    text += captionOf(field);
    text += kCopyCaptionSeparator;
    text += displayText(valueOf(form, field));
    text += '\n';
  }
  return text;
}

}  // namespace vantora::ui
