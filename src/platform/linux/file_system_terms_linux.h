#pragma once
// A Linux file system in Windows' terms: its name and serial as Windows would
// show them, GetVolumeInformation's feature bits and GetDiskFreeSpaceEx's
// byte counts.

#include <cstdint>
#include <optional>
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

// What the kernel answered for the volume's root; unknown where a probe had
// no clear answer.
struct FeatureProbes {
  std::optional<bool> posixAcl;    // getxattr of the root's access ACL
  std::optional<bool> encryption;  // the fscrypt policy ioctl
  std::optional<bool> quotas;      // quotactl's accounting state
};

// Asks the mounted file system; touches it, so callers run it through BoundedCalls.
// deviceNode may be empty (no block device).
FeatureProbes probeFeatures(const std::string& mountPoint, const std::string& deviceNode);

// The feature bits of a file system of this family, its probed version, its
// mount options and the probe answers: probed where the kernel can be asked,
// by family where it cannot. Every mounted file system keeps the case of
// names, so the result is never 0.
std::uint32_t featureFlags(std::string_view family, std::string_view version, const std::string& options,
                           const FeatureProbes& probes);

struct FreeSpace {
  std::uint64_t freeToCaller = 0;  // f_bavail blocks: what an unprivileged user may still write
  std::uint64_t total = 0;         // f_blocks
  std::uint64_t totalFree = 0;     // f_bfree, counting the blocks kept for root
  friend bool operator==(const FreeSpace&, const FreeSpace&) = default;
};

// statvfs's block counts times its fragment size, in bytes. A product past
// 2^64-1 stays at 2^64-1 instead of wrapping to a small number.
FreeSpace freeSpaceFromBlocks(std::uint64_t blocks, std::uint64_t freeBlocks, std::uint64_t availableBlocks,
                              std::uint64_t fragmentSize);

}  // namespace vantora::linux_backend
