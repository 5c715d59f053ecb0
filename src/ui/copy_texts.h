#pragma once
// The words the copy adds to the window, in one place; each is looked up in
// the window's language where it is used.

#include <string_view>

#include "i18n/language.h"

namespace vantora::ui {

// The context-menu item that copies the selected drive's details.
inline constexpr std::string_view kCopyMenuItem = i18n::trNoop("コピー");
// Between a field's caption and its value, and between the feature lines.
inline constexpr std::string_view kCopyCaptionSeparator = ": ";
inline constexpr std::string_view kCopyListSeparator = i18n::trNoop("、");

}  // namespace vantora::ui
