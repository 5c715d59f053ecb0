#pragma once
// The five drive-type pictures and the window icon as XPM pixel art, shared by
// both front ends. Each front end loads the text rows in its own way (Qt reads
// XPM natively; the Win32 build converts it).

#include <span>
#include <string_view>

namespace vantora::ui {

enum class PictureId {
  RemovableDrive,  // Image1: floppy drive with a diskette half inserted
  FixedDisk,       // Image2 and the window icon: hard-disk unit
  CdRom,           // Image3: CD-ROM drive with a disc behind it
  UnknownType,     // Image4: red disc with a white cross
  NoVolume,        // Image5: red question mark in a white circle
};

enum class PictureSize { Large32, Small16 };

// In the order of the controls that show them, Image1 to Image5.
inline constexpr PictureId kAllPictures[] = {PictureId::RemovableDrive, PictureId::FixedDisk, PictureId::CdRom,
                                            PictureId::UnknownType, PictureId::NoVolume};
inline constexpr PictureId kWindowIcon = PictureId::FixedDisk;

constexpr int pictureEdge(PictureSize size) { return size == PictureSize::Large32 ? 32 : 16; }

// The XPM rows of a picture (header, colours, then one row per pixel line), or an
// empty span where the picture has no version of that size (the question mark
// comes in 32 x 32 only).
std::span<const char* const> pictureXpm(PictureId id, PictureSize size);

// What the picture shows, in the window's own words (the drive type it stands for).
std::string_view pictureDescription(PictureId id);

}  // namespace vantora::ui
