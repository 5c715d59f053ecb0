#pragma once
#include <string>
#include <string_view>

namespace vantora::linux_backend {

// The host name as the window shows it: valid UTF-8 with control and
// bidirectional formatting characters replaced, cut after 15 characters (and
// within the 45 bytes of the seam's buffer), never inside a character.
std::string computerNameFromHostName(std::string_view hostName);

// The host name as gethostname reports it; empty when it cannot be read.
std::string readHostName();

}  // namespace vantora::linux_backend
