#include "ui/pictures.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "ui/picture_pixels.h"

namespace vantora::ui {
namespace {

constexpr Rgb kBlack{0, 0, 0}, kDarkRed{128, 0, 0}, kDarkGreen{0, 128, 0}, kDarkGrey{128, 128, 128},
    kLightGrey{192, 192, 192}, kRed{255, 0, 0}, kBrightGreen{0, 255, 0}, kYellow{255, 255, 0}, kCyan{0, 255, 255},
    kWhite{255, 255, 255};

auto key(Rgb c) { return std::tuple(c.red, c.green, c.blue); }
using Palette = std::set<std::tuple<std::uint8_t, std::uint8_t, std::uint8_t>>;

PicturePixels decoded(PictureId id, PictureSize size) {
  const auto picture = decodeXpm(pictureXpm(id, size));
  if (!picture) throw std::runtime_error("picture does not decode");
  return *picture;
}

struct PaletteCase {
  PictureId id;
  Palette allowed;
};

class PictureVersions : public ::testing::TestWithParam<PaletteCase> {};

// Each drawing keeps to the colours its description lists, in both sizes.
TEST_P(PictureVersions, DecodeAtTheirSizeInTheirOwnColours) {
  const auto& [id, allowed] = GetParam();
  for (PictureSize size : {PictureSize::Large32, PictureSize::Small16}) {
    if (pictureXpm(id, size).empty()) continue;
    const PicturePixels picture = decoded(id, size);
    EXPECT_EQ(picture.width, pictureEdge(size));
    EXPECT_EQ(picture.height, pictureEdge(size));
    for (const auto& pixel : picture.pixels) {
      if (!pixel) continue;
      EXPECT_TRUE(allowed.contains(key(*pixel))) << int(pixel->red) << "," << int(pixel->green) << ","
                                                 << int(pixel->blue);
    }
  }
}

const Palette kDrive{key(kBlack), key(kDarkGrey), key(kLightGrey), key(kWhite)};

Palette with(Palette base, std::initializer_list<Rgb> more) {
  for (Rgb c : more) base.insert(key(c));
  return base;
}

INSTANTIATE_TEST_SUITE_P(
    All, PictureVersions,
    ::testing::Values(PaletteCase{PictureId::RemovableDrive, with(kDrive, {kRed})},
                      PaletteCase{PictureId::FixedDisk, with(kDrive, {kBrightGreen, kDarkGreen})},
                      PaletteCase{PictureId::CdRom, with(kDrive, {kYellow, kCyan, kBrightGreen, kDarkGreen})},
                      PaletteCase{PictureId::UnknownType, {key(kRed), key(kDarkRed), key(kWhite), key(kDarkGrey)}},
                      PaletteCase{PictureId::NoVolume, {key(kRed), key(kWhite), key(kBlack)}}));

TEST(Pictures, OnlyTheQuestionMarkHasNoSmallVersion) {
  for (PictureId id : kAllPictures) {
    EXPECT_FALSE(pictureXpm(id, PictureSize::Large32).empty());
    EXPECT_EQ(pictureXpm(id, PictureSize::Small16).empty(), id == PictureId::NoVolume);
  }
}

void expectTransparentRows(const PicturePixels& picture, int firstRow, int lastRow) {
  for (int y = firstRow; y <= lastRow; ++y) {
    for (int x = 0; x < picture.width; ++x) EXPECT_FALSE(picture.at(x, y)) << x << "," << y;
  }
}

TEST(Pictures, FixedDiskIsDrawnInTheLowerHalfOnly) {
  const PicturePixels large = decoded(PictureId::FixedDisk, PictureSize::Large32);
  expectTransparentRows(large, 0, 14);
  expectTransparentRows(decoded(PictureId::FixedDisk, PictureSize::Small16), 0, 6);
  // The body spans x 1..30 and y 15..28.
  for (int x = 0; x < 32; ++x) {
    EXPECT_FALSE(large.at(x, 29)) << x;
    EXPECT_FALSE(large.at(x, 31)) << x;
  }
  for (int y = 0; y < 32; ++y) {
    EXPECT_FALSE(large.at(0, y)) << y;
    EXPECT_FALSE(large.at(31, y)) << y;
  }
}

TEST(Pictures, RemovableDriveLeavesTheTopThreeRowsTransparent) {
  expectTransparentRows(decoded(PictureId::RemovableDrive, PictureSize::Large32), 0, 2);
  EXPECT_TRUE(decoded(PictureId::RemovableDrive, PictureSize::Large32).at(16, 3));
}

struct Landmark {
  const char* what;
  PictureId id;
  PictureSize size;
  int x, y;
  std::optional<Rgb> colour;
};

class PictureLandmarks : public ::testing::TestWithParam<Landmark> {};

TEST_P(PictureLandmarks, HoldTheirColour) {
  const Landmark& mark = GetParam();
  EXPECT_EQ(decoded(mark.id, mark.size).at(mark.x, mark.y), mark.colour) << mark.what;
}

using enum PictureId;
constexpr PictureSize k32 = PictureSize::Large32, k16 = PictureSize::Small16;
INSTANTIATE_TEST_SUITE_P(
    Drawings, PictureLandmarks,
    ::testing::Values(Landmark{"fixed disk light, bright part", FixedDisk, k32, 23, 19, kBrightGreen},
                      Landmark{"fixed disk light, dark part", FixedDisk, k32, 23, 20, kDarkGreen},
                      Landmark{"fixed disk upper groove", FixedDisk, k32, 4, 22, kDarkGrey},
                      Landmark{"fixed disk lower groove lip", FixedDisk, k32, 24, 25, kWhite},
                      Landmark{"fixed disk front top edge", FixedDisk, k32, 10, 18, kWhite},
                      Landmark{"fixed disk side face", FixedDisk, k32, 28, 22, kDarkGrey},
                      Landmark{"fixed disk shadow", FixedDisk, k32, 30, 28, kBlack},
                      Landmark{"icon light", FixedDisk, k16, 11, 9, kDarkGreen},
                      Landmark{"floppy activity light", RemovableDrive, k32, 22, 20, kRed},
                      Landmark{"floppy slot", RemovableDrive, k32, 12, 22, kBlack},
                      Landmark{"floppy slot lip", RemovableDrive, k32, 12, 24, kWhite},
                      Landmark{"diskette label", RemovableDrive, k32, 24, 8, kWhite},
                      Landmark{"diskette shutter window", RemovableDrive, k32, 23, 14, kBlack},
                      Landmark{"floppy shadow", RemovableDrive, k32, 5, 27, kBlack},
                      Landmark{"small floppy light", RemovableDrive, k16, 10, 9, kRed},
                      Landmark{"disc hub hole", CdRom, k32, 18, 12, kWhite},
                      Landmark{"disc hub ring", CdRom, k32, 17, 11, kBlack},
                      Landmark{"disc yellow band", CdRom, k32, 18, 5, kYellow},
                      Landmark{"disc face", CdRom, k32, 26, 12, kLightGrey},
                      Landmark{"tray slot", CdRom, k32, 12, 24, kBlack},
                      Landmark{"CD light", CdRom, k32, 4, 26, kBrightGreen},
                      Landmark{"CD light, dark part", CdRom, k32, 4, 27, kDarkGreen},
                      Landmark{"cross centre", UnknownType, k32, 15, 15, kWhite},
                      Landmark{"cross arm", UnknownType, k32, 9, 9, kWhite},
                      Landmark{"disc between arms", UnknownType, k32, 15, 8, kRed},
                      Landmark{"disc outline", UnknownType, k32, 0, 15, kDarkRed},
                      Landmark{"disc shadow", UnknownType, k32, 31, 16, kDarkGrey},
                      Landmark{"corner outside the disc", UnknownType, k32, 0, 0, std::nullopt},
                      Landmark{"small cross centre", UnknownType, k16, 7, 7, kWhite},
                      Landmark{"question mark left arm", NoVolume, k32, 11, 11, kRed},
                      Landmark{"question mark right arm", NoVolume, k32, 20, 11, kRed},
                      Landmark{"inside the arch", NoVolume, k32, 15, 11, kWhite},
                      Landmark{"question mark bar", NoVolume, k32, 15, 20, kRed},
                      Landmark{"gap above the dot", NoVolume, k32, 16, 21, kWhite},
                      Landmark{"question mark dot", NoVolume, k32, 16, 26, kRed},
                      Landmark{"circle outline", NoVolume, k32, 0, 16, kBlack},
                      Landmark{"corner outside the circle", NoVolume, k32, 0, 0, std::nullopt}));

TEST(DecodeXpm, RefusesMalformedPictures) {
  const char* const shortRow[] = {"2 2 1 1", ". c #000000", "..", "."};
  const char* const unknownPixel[] = {"2 1 1 1", ". c #000000", ".x"};
  const char* const badColour[] = {"1 1 1 1", ". c red", "."};
  const char* const missingRows[] = {"1 2 1 1", ". c None", "."};
  const char* const twoCharsPerPixel[] = {"1 1 1 2", ".. c None", ".."};
  const char* const hugeHeader[] = {"99999 99999 1 1", ". c None"};
  const char* const badHeader[] = {"x"};
  for (std::span<const char* const> rows : {std::span<const char* const>(shortRow), std::span<const char* const>(unknownPixel),
                                            std::span<const char* const>(badColour), std::span<const char* const>(missingRows),
                                            std::span<const char* const>(twoCharsPerPixel),
                                            std::span<const char* const>(hugeHeader), std::span<const char* const>(badHeader),
                                            std::span<const char* const>()}) {
    EXPECT_FALSE(decodeXpm(rows)) << (rows.empty() ? "" : rows.front());
  }
}

}  // namespace
}  // namespace vantora::ui
