#pragma once
// Names from the system are bytes; the window needs valid UTF-8 that fits its
// buffers. These helpers repair and cut such text.

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <string_view>

namespace vantora::linux_backend {

// The text with every byte that does not start a well-formed UTF-8 sequence
// replaced by U+FFFD (overlong forms, surrogates and values past U+10FFFF
// included).
std::string validUtf8(std::string_view raw);

// As validUtf8, and control characters (C0, DEL, C1) replaced by U+FFFD too:
// a label or mount point with a newline must not break a one-line caption.
std::string displayText(std::string_view raw);

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

}  // namespace vantora::linux_backend
