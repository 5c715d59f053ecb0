#pragma once
#include <optional>
#include <string>

namespace vantora {

// Why no window could be shown, when Qt would use X11 and no X display can be
// opened, or is told to use Wayland and no compositor answers; nothing when
// the display answers or another platform is chosen.
std::optional<std::string> missingDisplay();

}  // namespace vantora
