#include "platform/linux/system_text_linux.h"

#include <langinfo.h>
#include <limits.h>
#include <locale.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <memory>
#include <type_traits>

#include "platform/utf8_text.h"

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

std::uint32_t windowsErrorFromErrno(int errnoValue) {
  switch (errnoValue) {
    case 0:
      return winerror::kErrorSuccess;
    case ENOMEDIUM:
      return winerror::kErrorNotReady;
    case ENOENT:
    case ENOTDIR:
      return winerror::kErrorPathNotFound;
    case EACCES:
    case EPERM:
      return winerror::kErrorAccessDenied;
    case EIO:
      return winerror::kErrorIoDevice;
    case ETIMEDOUT:
      return winerror::kErrorSemTimeout;
    // A network file system whose server is gone.
    case ESTALE:
    case ENOTCONN:
    case EHOSTDOWN:
    case ENETUNREACH:
      return winerror::kErrorBadNetpath;
    default:
      return winerror::kErrorGenFailure;
  }
}

NumberSeparators separatorsFromLocaleData(std::string_view grouping, std::string_view thousandsSeparator,
                                          std::string_view decimalPoint) {
  NumberSeparators separators;
  const bool groups = !grouping.empty() && grouping.front() > 0 && grouping.front() != CHAR_MAX;
  if (!groups || thousandsSeparator.empty() || decimalPoint.empty() || thousandsSeparator == decimalPoint) {
    return separators;
  }
  // Locales in a legacy code set may give bytes that are not UTF-8.
  separators.group = validUtf8(thousandsSeparator);
  separators.decimal = validUtf8(decimalPoint);
  return separators;
}

NumberSeparators userNumberSeparators() {
  const std::unique_ptr<std::remove_pointer_t<locale_t>, decltype(&freelocale)> locale{
      newlocale(LC_NUMERIC_MASK, "", locale_t{}), freelocale};
  if (!locale) return {};
  return separatorsFromLocaleData(nl_langinfo_l(GROUPING, locale.get()), nl_langinfo_l(THOUSEP, locale.get()),
                                  nl_langinfo_l(RADIXCHAR, locale.get()));
}

}  // namespace vantora::linux_backend
