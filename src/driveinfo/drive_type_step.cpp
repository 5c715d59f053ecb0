#include <array>
#include <string_view>

#include "driveinfo/refresh_steps.h"

namespace vantora {
namespace {

struct DriveTypeRow {
  std::string_view caption;
  std::array<bool, 5> imageVisible;  // Image1 .. Image5
};

// Indexed by the drive-type code. Network drives and RAM disks have no picture.
constexpr std::array<DriveTypeRow, 7> kDriveTypes{{
    {"判断不能", {false, false, false, true, false}},
    {"ルートディレクトリなし", {false, false, false, false, true}},
    {"FD/リムーバブル", {true, false, false, false, false}},
    {"ハードディスク", {false, true, false, false, false}},
    {"リモート", {false, false, false, false, false}},
    {"CD-ROM", {false, false, true, false, false}},
    {"RAMDISK", {false, false, false, false, false}},
}};

}  // namespace

void showDriveType(Form1Model& form, std::uint32_t driveTypeCode) {
  if (driveTypeCode >= kDriveTypes.size()) return;
  const DriveTypeRow& row = kDriveTypes[driveTypeCode];
  form.lbSyu(0).setCaption(row.caption);
  // Every picture is written, so none of a previous drive stays visible.
  const std::array<Image*, 5> images{&form.Image1, &form.Image2, &form.Image3, &form.Image4, &form.Image5};
  for (std::size_t i = 0; i < images.size(); ++i) images[i]->visible = row.imageVisible[i];
}

}  // namespace vantora
