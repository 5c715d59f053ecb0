#pragma once
// How a Linux file system is named and numbered in the window: Windows'
// spellings where Windows has the same file system, and its 32-bit serial.

#include <cstdint>
#include <string>
#include <string_view>

namespace vantora::linux_backend {

// The file system behind a mount: the mount's type, except where the kernel
// names only the driver (fuseblk for ntfs-3g and exfat-fuse, ntfs3, msdos),
// which the probed type or the family name replaces. Lower case: "ntfs", "vfat".
std::string fileSystemFamily(std::string_view mountType, std::string_view probedType);

// "FAT32", "NTFS", "exFAT", "CDFS", "UDF", or the Linux name ("ext4", "tmpfs").
// version is the probed version (libblkid says "FAT12", "FAT16" or "FAT32").
std::string windowsFileSystemName(std::string_view family, std::string_view version);

// The serial Windows shows: the FAT and exFAT volume id as it is, the low
// 32 bits of NTFS's 64-bit serial, the first 32 bits of any other UUID,
// 0 when there is none.
std::uint32_t volumeSerialNumber(std::string_view family, std::string_view uuid);

}  // namespace vantora::linux_backend
