#pragma once
// XPM rows decoded into colours, for a front end that has no XPM reader of its
// own (Win32 builds its bitmaps from these) and for checking the drawings.

#include <optional>
#include <span>
#include <vector>

#include "ui/rgb.h"

namespace vantora::ui {

struct PicturePixels {
  int width = 0;
  int height = 0;
  std::vector<std::optional<Rgb>> pixels;  // row by row; empty where the picture is transparent

  const std::optional<Rgb>& at(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * width + x)); }
};

// Reads single-character XPM with "#RRGGBB" and "None" colours; anything else
// (a malformed header, an unknown pixel character, a short row) gives nothing.
std::optional<PicturePixels> decodeXpm(std::span<const char* const> rows);

}  // namespace vantora::ui
