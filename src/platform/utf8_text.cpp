#include "platform/utf8_text.h"

#include <cstdint>

namespace vantora {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// The length of the well-formed sequence at the start of text, or 0.
std::size_t sequenceLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t codePoint = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    codePoint = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    codePoint = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    codePoint = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (!isContinuation(byte)) return 0;
    codePoint = (codePoint << 6) | (byte & 0x3F);
  }
  constexpr std::uint32_t kSmallestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
  if (codePoint < kSmallestOfLength[length]) return 0;              // overlong form
  if (codePoint >= 0xD800 && codePoint <= 0xDFFF) return 0;         // surrogate
  if (codePoint > 0x10FFFF) return 0;
  return length;
}

// Characters that break a line or change the direction of the text around
// them: controls, the line and paragraph separators, the bidirectional marks,
// embeddings, overrides and isolates, and U+FEFF, which no name needs and
// which hides in one. Joiners (U+200C, U+200D) and U+180E spell real names.
bool breaksOrReorders(std::string_view character) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(character[i]); };
  if (character.size() == 1) return byte(0) < 0x20 || byte(0) == 0x7F;
  // C1 controls U+0080..U+009F are C2 80..C2 9F; U+061C is D8 9C.
  if (character.size() == 2) return (byte(0) == 0xC2 && byte(1) < 0xA0) || (byte(0) == 0xD8 && byte(1) == 0x9C);
  if (character.size() != 3) return false;
  if (byte(0) == 0xEF) return byte(1) == 0xBB && byte(2) == 0xBF;  // U+FEFF
  if (byte(0) != 0xE2) return false;
  // U+200E, U+200F: E2 80 8E, E2 80 8F; U+2028..U+202E: E2 80 A8..E2 80 AE;
  // U+2066..U+2069: E2 81 A6..E2 81 A9.
  if (byte(1) == 0x80) return byte(2) == 0x8E || byte(2) == 0x8F || (byte(2) >= 0xA8 && byte(2) <= 0xAE);
  return byte(1) == 0x81 && byte(2) >= 0xA6 && byte(2) <= 0xA9;
}

// Bytes that stand for themselves: ASCII, printable where controls go.
bool isPlain(char byte, bool replaceControls) {
  const auto value = static_cast<unsigned char>(byte);
  if (value >= 0x80) return false;
  return !replaceControls || (value >= 0x20 && value != 0x7F);
}

std::string repaired(std::string_view raw, bool replaceControls) {
  std::string text;
  text.reserve(raw.size());
  while (!raw.empty()) {
    // Runs of plain bytes, most names, are copied whole.
    std::size_t plain = 0;
    while (plain < raw.size() && isPlain(raw[plain], replaceControls)) ++plain;
    text.append(raw.substr(0, plain));
    raw.remove_prefix(plain);
    if (raw.empty()) break;
    const std::size_t length = sequenceLength(raw);
    if (length == 0) {
      text += kReplacement;
      raw.remove_prefix(1);
      continue;
    }
    const std::string_view character = raw.substr(0, length);
    text += replaceControls && breaksOrReorders(character) ? kReplacement : character;
    raw.remove_prefix(length);
  }
  return text;
}

}  // namespace

std::string validUtf8(std::string_view raw) { return repaired(raw, false); }

std::string displayText(std::string_view raw) { return repaired(raw, true); }

std::string driveText(std::string_view name, std::string_view detail) {
  std::string text = displayText(name);
  if (!detail.empty()) {
    text += " [";
    text += displayText(detail);
    text += ']';
  }
  return text;
}

std::size_t utf8PrefixLength(std::string_view valid, std::size_t maxBytes) {
  if (valid.size() <= maxBytes) return valid.size();
  std::size_t length = maxBytes;
  while (length > 0 && isContinuation(static_cast<unsigned char>(valid[length]))) --length;
  return length;
}

}  // namespace vantora
