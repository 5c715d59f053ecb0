#include "platform/linux/computer_name_linux.h"

#include <limits.h>
#include <unistd.h>

#include <array>

#include "platform/utf8_text.h"
#include "platform/system_queries.h"

namespace vantora::linux_backend {

namespace {

// Bytes taken by the first `characters` characters of valid UTF-8 text.
std::size_t bytesOfCharacters(std::string_view valid, std::size_t characters) {
  std::size_t end = 0;
  for (std::size_t seen = 0; end < valid.size(); ++end) {
    const bool startsCharacter = (static_cast<unsigned char>(valid[end]) & 0xC0) != 0x80;
    if (startsCharacter && seen++ == characters) break;
  }
  return end;
}

}  // namespace

std::string computerNameFromHostName(std::string_view hostName) {
  std::string name = displayText(hostName.substr(0, hostName.find('\0')));
  name.resize(bytesOfCharacters(name, kComputerNameMaxCharacters));
  // Fifteen characters beyond U+FFFF would need 60 bytes; the buffer holds 45.
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
