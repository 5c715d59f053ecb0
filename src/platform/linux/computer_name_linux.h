#pragma once
#include <string>
#include <string_view>

namespace vantora::linux_backend {

// The host name as the window shows it: valid UTF-8 with control and
// bidirectional formatting characters replaced, cut to 15 bytes on a
// character boundary, as Windows cuts its NetBIOS name.
std::string computerNameFromHostName(std::string_view hostName);

// The host name as gethostname reports it; empty when it cannot be read.
std::string readHostName();

}  // namespace vantora::linux_backend
