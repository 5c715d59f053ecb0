#pragma once
// The drive types as the window names and pictures them, indexed by the
// drive-type code 0..6. The only place the words are written (in Japanese;
// i18n::tr gives them in the window's language).

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "i18n/language.h"

namespace vantora {

struct DriveTypeRow {
  std::string_view caption;
  std::array<bool, 5> imageVisible;  // Image1 .. Image5
};

// Network drives and RAM disks have no picture.
inline constexpr std::array<DriveTypeRow, 7> kDriveTypes{{
    {i18n::trNoop("判断不能"), {false, false, false, true, false}},
    {i18n::trNoop("ルートディレクトリなし"), {false, false, false, false, true}},
    {i18n::trNoop("FD/リムーバブル"), {true, false, false, false, false}},
    {i18n::trNoop("ハードディスク"), {false, true, false, false, false}},
    {i18n::trNoop("リモート"), {false, false, false, false, false}},
    {i18n::trNoop("CD-ROM"), {false, false, true, false, false}},
    {i18n::trNoop("RAMDISK"), {false, false, false, false, false}},
}};

// The words of the one drive type that shows picture `imageNumber` (1..5).
constexpr std::optional<std::string_view> driveTypeShownBy(int imageNumber) {
  for (const DriveTypeRow& row : kDriveTypes) {
    if (imageNumber >= 1 && imageNumber <= 5 && row.imageVisible[static_cast<std::size_t>(imageNumber - 1)]) {
      return row.caption;
    }
  }
  return std::nullopt;
}

}  // namespace vantora
