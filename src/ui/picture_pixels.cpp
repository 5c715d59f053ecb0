#include "ui/picture_pixels.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string_view>

namespace vantora::ui {
namespace {

struct Header {
  int width = 0, height = 0, colours = 0, charsPerPixel = 0;
};

std::optional<int> nextNumber(std::string_view& text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || value < 0) return std::nullopt;
  text.remove_prefix(static_cast<std::size_t>(end - text.data()));
  return value;
}

std::optional<Header> parseHeader(std::string_view text) {
  Header header;
  for (int* field : {&header.width, &header.height, &header.colours, &header.charsPerPixel}) {
    const std::optional<int> value = nextNumber(text);
    if (!value) return std::nullopt;
    *field = *value;
  }
  return header;
}

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

// "#RRGGBB" gives a colour, "None" transparency (an empty optional inside).
std::optional<std::optional<Rgb>> parseColour(std::string_view text) {
  if (text == "None") return std::optional<Rgb>{};
  if (text.size() != 7 || text.front() != '#') return std::nullopt;
  std::array<std::uint8_t, 3> channels{};
  for (std::size_t i = 0; i < channels.size(); ++i) {
    const auto high = hexDigit(text[1 + 2 * i]);
    const auto low = hexDigit(text[2 + 2 * i]);
    if (!high || !low) return std::nullopt;
    channels[i] = static_cast<std::uint8_t>(*high * 16 + *low);
  }
  return std::optional<Rgb>{Rgb{channels[0], channels[1], channels[2]}};
}

}  // namespace

std::optional<PicturePixels> decodeXpm(std::span<const char* const> rows) {
  if (rows.empty() || rows.front() == nullptr) return std::nullopt;
  const std::optional<Header> header = parseHeader(rows.front());
  constexpr int kLargestEdge = 1024;
  if (!header || header->charsPerPixel != 1 || header->width == 0 || header->height == 0 ||
      header->width > kLargestEdge || header->height > kLargestEdge) {
    return std::nullopt;
  }
  const auto colourCount = static_cast<std::size_t>(header->colours);
  if (rows.size() != 1 + colourCount + static_cast<std::size_t>(header->height)) return std::nullopt;

  std::array<std::optional<std::optional<Rgb>>, 256> palette{};
  for (std::size_t i = 0; i < colourCount; ++i) {
    const std::string_view line = rows[1 + i] ? rows[1 + i] : "";
    // "<char> c <colour>"
    if (line.size() < 5 || line.substr(1, 3) != " c ") return std::nullopt;
    const auto colour = parseColour(line.substr(4));
    if (!colour) return std::nullopt;
    palette[static_cast<unsigned char>(line[0])] = *colour;
  }

  PicturePixels picture{header->width, header->height, {}};
  picture.pixels.reserve(static_cast<std::size_t>(header->width * header->height));
  for (int y = 0; y < header->height; ++y) {
    const char* row = rows[1 + colourCount + static_cast<std::size_t>(y)];
    if (row == nullptr || std::strlen(row) != static_cast<std::size_t>(header->width)) return std::nullopt;
    for (int x = 0; x < header->width; ++x) {
      const auto& colour = palette[static_cast<unsigned char>(row[x])];
      if (!colour) return std::nullopt;
      picture.pixels.push_back(*colour);
    }
  }
  return picture;
}

}  // namespace vantora::ui
