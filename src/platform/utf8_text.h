#pragma once
// Names from the system are bytes; the window needs valid UTF-8 that fits its
// buffers and shows what it says. These helpers repair and cut such text.

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vantora {

// The text with every byte that does not start a well-formed UTF-8 sequence
// replaced by U+FFFD (overlong forms, surrogates and values past U+10FFFF
// included).
std::string validUtf8(std::string_view raw);

// As validUtf8, and every character that breaks a line or reorders text
// replaced by U+FFFD too: control characters (C0, DEL, C1), the line and
// paragraph separators (U+2028, U+2029), the bidirectional formatting
// characters (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069) and
// U+FEFF. A label or mount point with a newline must not break a one-line
// caption, nor one with U+202E show "exe.txt" as "txt.exe".
std::string displayText(std::string_view raw);

// A drive list entry's text: "/media/usb [PHOTOS]", "c: [SYSTEM]", or the
// name alone when the detail is empty; both made safe to show on one line.
std::string driveText(std::string_view name, std::string_view detail);

// The longest prefix of valid UTF-8 text that has at most maxBytes bytes and
// does not end inside a character.
std::size_t utf8PrefixLength(std::string_view valid, std::size_t maxBytes);

// Copies valid UTF-8 text into a buffer, cut on a character boundary so that
// it fits together with its terminating NUL.
template <std::size_t N>
void copyTerminated(std::string_view valid, std::array<char, N>& buffer) {
  static_assert(N > 0);
  const std::size_t length = utf8PrefixLength(valid, N - 1);
  std::memcpy(buffer.data(), valid.data(), length);
  buffer[length] = '\0';
}

}  // namespace vantora
