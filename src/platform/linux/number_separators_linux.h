#pragma once
#include <string>
#include <string_view>

#include "platform/system_queries.h"

namespace vantora::linux_backend {

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
