#include <gtest/gtest.h>

#include <array>

#include "driveinfo/refresh_steps.h"

namespace vantora {
namespace {

std::array<bool, 5> visibleImages(const Form1Model& form) {
  return {form.Image1.visible, form.Image2.visible, form.Image3.visible, form.Image4.visible, form.Image5.visible};
}

struct TypeCase {
  std::uint32_t code;
  const char* caption;
  std::array<bool, 5> images;
};

class DriveTypeRow : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DriveTypeRow, WritesCaptionAndEveryPicture) {
  Form1Model form;
  // Start with every picture showing, so a picture the row forgets to hide is caught.
  for (Image* image : {&form.Image1, &form.Image2, &form.Image3, &form.Image4, &form.Image5}) image->visible = true;
  showDriveType(form, GetParam().code);
  EXPECT_EQ(form.lbSyu(0).caption(), GetParam().caption);
  EXPECT_EQ(visibleImages(form), GetParam().images);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DriveTypeRow,
    ::testing::Values(TypeCase{kDriveUnknown, "判断不能", {false, false, false, true, false}},
                      TypeCase{kDriveNoRootDir, "ルートディレクトリなし", {false, false, false, false, true}},
                      TypeCase{kDriveRemovable, "FD/リムーバブル", {true, false, false, false, false}},
                      TypeCase{kDriveFixed, "ハードディスク", {false, true, false, false, false}},
                      TypeCase{kDriveRemote, "リモート", {false, false, false, false, false}},
                      TypeCase{kDriveCdrom, "CD-ROM", {false, false, true, false, false}},
                      TypeCase{kDriveRamdisk, "RAMDISK", {false, false, false, false, false}}));

TEST(DriveType, CodesOutsideTheTableLeaveCaptionAndPicturesAlone) {
  for (std::uint32_t code : {7u, 100u, 0xFFFFFFFFu}) {
    Form1Model form;
    showDriveType(form, kDriveCdrom);
    showDriveType(form, code);
    EXPECT_EQ(form.lbSyu(0).caption(), "CD-ROM") << code;
    EXPECT_EQ(visibleImages(form), (std::array<bool, 5>{false, false, true, false, false})) << code;
  }
}

TEST(DriveType, SwitchingFromCdRomToNetworkLeavesNoPicture) {
  Form1Model form;
  showDriveType(form, kDriveCdrom);
  showDriveType(form, kDriveRemote);
  EXPECT_EQ(form.lbSyu(0).caption(), "リモート");
  EXPECT_EQ(visibleImages(form), (std::array<bool, 5>{}));
}

}  // namespace
}  // namespace vantora
