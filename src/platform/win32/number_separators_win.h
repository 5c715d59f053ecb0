#pragma once
#include <string_view>

#include "platform/system_queries.h"

namespace vantora::win32 {

// The separators of a locale given its LOCALE_STHOUSAND, LOCALE_SDECIMAL and
// LOCALE_SGROUPING. A locale without grouping ("0"), or one whose separators
// could not be told apart when a number is read back, gets "," and ".".
NumberSeparators separatorsFromLocale(std::wstring_view group, std::wstring_view decimal,
                                      std::wstring_view grouping);

// The separators of the user's locale.
NumberSeparators userNumberSeparators();

}  // namespace vantora::win32
