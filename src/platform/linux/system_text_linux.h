#pragma once
// What the system says about itself, in the window's terms: the host name,
// error numbers and the user's number separators.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/system_queries.h"

namespace vantora::linux_backend {

// The host name as the window shows it: valid UTF-8 with control and
// bidirectional formatting characters replaced, cut after 15 characters (and
// within the 45 bytes of the seam's buffer), never inside a character.
std::string computerNameFromHostName(std::string_view hostName);

// The host name as gethostname reports it; empty when it cannot be read.
std::string readHostName();

// The Windows error number that means the same as this errno value, so the
// last-error line reads alike on both systems.
std::uint32_t windowsErrorFromErrno(int errnoValue);

// The separators of a locale's LC_NUMERIC data: its grouping rule
// (localeconv's byte string), thousands separator and decimal point. A locale
// that does not group digits (C, POSIX) gives "," and ".", as the window
// always groups.
NumberSeparators separatorsFromLocaleData(std::string_view grouping, std::string_view thousandsSeparator,
                                          std::string_view decimalPoint);

// The user's separators (LC_ALL, LC_NUMERIC, LANG), read without changing the
// locale of the process.
NumberSeparators userNumberSeparators();

}  // namespace vantora::linux_backend
