#include <gtest/gtest.h>

#include <array>

#include "driveinfo/refresh_fixture.h"
#include "driveinfo/refresh_steps.h"

namespace vantora::testing {
namespace {

std::array<bool, 5> visibleImages(const Form1Model& form) {
  return {form.Image1.visible, form.Image2.visible, form.Image3.visible, form.Image4.visible, form.Image5.visible};
}

// The picture shown (1..5, 0 for none) as the only one visible.
std::array<bool, 5> only(int picture) {
  std::array<bool, 5> images{};
  if (picture > 0) images[static_cast<std::size_t>(picture - 1)] = true;
  return images;
}

// Every drive type once, through a refresh of one drive whose type changes.
// Each follows a type with another picture (a CD-ROM drive is followed by a
// network drive, which has none), so a picture left showing is caught.
TEST_F(RefreshTest, EachDriveTypeShowsItsWordsAndPicture) {
  struct Shown {
    std::uint32_t code;
    const char* caption;
    int picture;
  };
  for (Image* image : {&form.Image1, &form.Image2, &form.Image3, &form.Image4, &form.Image5}) image->visible = true;
  for (const Shown& shown : {Shown{kDriveUnknown, "判断不能", 4}, Shown{kDriveNoRootDir, "ルートディレクトリなし", 5},
                             Shown{kDriveRemovable, "FD/リムーバブル", 1}, Shown{kDriveCdrom, "CD-ROM", 3},
                             Shown{kDriveRemote, "リモート", 0}, Shown{kDriveFixed, "ハードディスク", 2},
                             Shown{kDriveRamdisk, "RAMDISK", 0}}) {
    system.drives["c:\\"].type = shown.code;
    refresh("c:\\");
    EXPECT_EQ(form.lbSyu(0).caption(), shown.caption) << shown.code;
    EXPECT_EQ(visibleImages(form), only(shown.picture)) << shown.code;
  }
}

TEST(DriveType, CodesOutsideTheTableLeaveCaptionAndPicturesAlone) {
  for (std::uint32_t code : {7u, 100u, 0xFFFFFFFFu}) {
    Form1Model form;
    showDriveType(form, kDriveCdrom);
    showDriveType(form, code);
    EXPECT_EQ(form.lbSyu(0).caption(), "CD-ROM") << code;
    EXPECT_EQ(visibleImages(form), only(3)) << code;
  }
}

}  // namespace
}  // namespace vantora::testing
