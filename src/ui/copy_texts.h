#pragma once
// The words the copy adds to the window, in one place.

#include <string_view>

namespace vantora::ui {

// The context-menu item that copies the selected drive's details.
inline constexpr std::string_view kCopyMenuItem = "コピー";
// Between a field's caption and its value, and between the feature lines.
inline constexpr std::string_view kCopyCaptionSeparator = ": ";
inline constexpr std::string_view kCopyListSeparator = "、";

}  // namespace vantora::ui
