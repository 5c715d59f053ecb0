#pragma once
// Conversions between the UTF-8 the program works in and the UTF-16 of the
// wide Windows entry points.

#include <cstddef>
#include <string>
#include <string_view>

namespace vantora::win32 {

// Invalid UTF-8 becomes U+FFFD.
std::wstring toWide(std::string_view utf8);
// Unpaired surrogates become U+FFFD.
std::string toUtf8(std::wstring_view utf16);

}  // namespace vantora::win32
