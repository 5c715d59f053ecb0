#include "ui/pictures.h"

#include <iterator>

#include "driveinfo/drive_types.h"

namespace vantora::ui {
namespace {
// The XPM files are C arrays; they stay the editable sources of the pictures.
#include "ui/pictures/cd_rom_16.xpm"
#include "ui/pictures/cd_rom_32.xpm"
#include "ui/pictures/fixed_disk_16.xpm"
#include "ui/pictures/fixed_disk_32.xpm"
#include "ui/pictures/no_volume_32.xpm"
#include "ui/pictures/removable_drive_16.xpm"
#include "ui/pictures/removable_drive_32.xpm"
#include "ui/pictures/unknown_type_16.xpm"
#include "ui/pictures/unknown_type_32.xpm"

struct PictureVersions {
  std::span<const char* const> large;
  std::span<const char* const> small;
};

PictureVersions versionsOf(PictureId id) {
  switch (id) {
    case PictureId::RemovableDrive: return {removable_drive_32_xpm, removable_drive_16_xpm};
    case PictureId::FixedDisk: return {fixed_disk_32_xpm, fixed_disk_16_xpm};
    case PictureId::CdRom: return {cd_rom_32_xpm, cd_rom_16_xpm};
    case PictureId::UnknownType: return {unknown_type_32_xpm, unknown_type_16_xpm};
    case PictureId::NoVolume: return {no_volume_32_xpm, {}};
  }
  return {};
}
}  // namespace

std::span<const char* const> pictureXpm(PictureId id, PictureSize size) {
  const PictureVersions versions = versionsOf(id);
  return size == PictureSize::Large32 ? versions.large : versions.small;
}

std::string_view pictureDescription(PictureId id) {
  // kAllPictures runs in the order Image1 .. Image5.
  for (std::size_t i = 0; i < std::size(kAllPictures); ++i) {
    if (kAllPictures[i] == id) return driveTypeShownBy(static_cast<int>(i) + 1).value_or("");
  }
  return {};
}

}  // namespace vantora::ui
