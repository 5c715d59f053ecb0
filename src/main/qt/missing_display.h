#pragma once
#include <optional>
#include <string>

namespace vantora {

// Why no window could be shown, when Qt would use X11 and no X display can be
// opened; nothing when a display answers or another platform is chosen.
std::optional<std::string> missingDisplay();

}  // namespace vantora
