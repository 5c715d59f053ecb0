#include "ui/win32/picture_box_win.h"

#include <gtest/gtest.h>

namespace vantora::ui::win32 {
namespace {

constexpr Rgb kFace{240, 240, 240};
constexpr std::uint32_t kFacePixel = 0xF0F0F0;

PicturePixels decoded(PictureId id) {
  const auto pixels = decodeXpm(pictureXpm(id, PictureSize::Large32));
  EXPECT_TRUE(pixels.has_value());
  return pixels.value_or(PicturePixels{});
}

std::uint32_t dibPixelOf(const std::optional<Rgb>& colour) {
  if (!colour) return kFacePixel;
  return static_cast<std::uint32_t>(colour->red) << 16 | static_cast<std::uint32_t>(colour->green) << 8 | colour->blue;
}

TEST(ScalePicture, DoublesEveryPixelAt64Pixels) {
  for (PictureId id : kAllPictures) {
    const PicturePixels picture = decoded(id);
    const std::vector<std::uint32_t> scaled = scalePicture(picture, 64, 64, kFace);
    ASSERT_EQ(scaled.size(), 64u * 64u);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        ASSERT_EQ(scaled[static_cast<std::size_t>(y * 64 + x)], dibPixelOf(picture.at(x / 2, y / 2)))
            << "picture " << static_cast<int>(id) << " at " << x << "," << y;
      }
    }
  }
}

TEST(ScalePicture, TransparentPartsShowTheFaceColour) {
  // The fixed-disk drawing leaves everything above y 15 transparent.
  const std::vector<std::uint32_t> scaled = scalePicture(decoded(PictureId::FixedDisk), 64, 64, kFace);
  for (int y = 0; y < 30; ++y) EXPECT_EQ(scaled[static_cast<std::size_t>(y * 64 + 10)], kFacePixel) << y;
}

TEST(ScalePicture, At63PixelsEveryIconPixelKeepsAWholeBlock) {
  const PicturePixels picture = decoded(PictureId::NoVolume);
  const std::vector<std::uint32_t> scaled = scalePicture(picture, 63, 63, kFace);
  ASSERT_EQ(scaled.size(), 63u * 63u);
  // Each target column and row comes from one source column and row, in order, none skipped.
  std::vector<int> blockWidths(32, 0);
  for (int x = 0; x < 63; ++x) ++blockWidths[static_cast<std::size_t>(x * 32 / 63)];
  for (int width : blockWidths) EXPECT_TRUE(width == 1 || width == 2);
  for (int y = 0; y < 63; ++y) {
    for (int x = 0; x < 63; ++x) {
      ASSERT_EQ(scaled[static_cast<std::size_t>(y * 63 + x)], dibPixelOf(picture.at(x * 32 / 63, y * 32 / 63)));
    }
  }
}

TEST(ScalePicture, NothingToDrawGivesTheFaceOrNothing) {
  EXPECT_TRUE(scalePicture(decoded(PictureId::CdRom), 0, 64, kFace).empty());
  EXPECT_TRUE(scalePicture(decoded(PictureId::CdRom), 64, -1, kFace).empty());
  const std::vector<std::uint32_t> blank = scalePicture(PicturePixels{}, 4, 4, kFace);
  EXPECT_EQ(blank, std::vector<std::uint32_t>(16, kFacePixel));
}

}  // namespace
}  // namespace vantora::ui::win32
