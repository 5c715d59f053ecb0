#include "platform/linux/computer_name_linux.h"

#include <limits.h>
#include <unistd.h>

#include <array>

#include "platform/utf8_text.h"
#include "platform/system_queries.h"

namespace vantora::linux_backend {

std::string computerNameFromHostName(std::string_view hostName) {
  std::string name = displayText(hostName.substr(0, hostName.find('\0')));
  name.resize(utf8PrefixLength(name, kComputerNameBufferSize - 1));
  return name;
}

std::string readHostName() {
  std::array<char, HOST_NAME_MAX + 1> buffer{};
  if (::gethostname(buffer.data(), buffer.size()) != 0) return {};
  // POSIX leaves a cut name without its terminator.
  buffer.back() = '\0';
  return buffer.data();
}

}  // namespace vantora::linux_backend
