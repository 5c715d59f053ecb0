#include "platform/linux/file_system_terms_linux.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "platform/linux/mount_table_linux.h"
#include "platform/system_queries.h"

namespace vantora::linux_backend {
namespace {

// Names compare without regard to case on these, as on Windows. ext4 and f2fs
// casefolding is chosen per directory, so those volumes stay case-sensitive.
constexpr std::string_view kCaseInsensitive[] = {"vfat", "exfat", "ntfs", "cifs", "smb3", "smbfs"};
constexpr std::string_view kUnicodeOnDisk[] = {"ntfs", "vfat", "exfat", "udf"};
constexpr std::string_view kPerFileCompression[] = {"btrfs", "f2fs", "zfs", "ntfs"};
constexpr std::string_view kCompressedVolume[] = {"squashfs", "erofs", "cramfs"};
// Mount options that switch quota accounting on (ext*, xfs, tmpfs, gfs2 ...).
constexpr const char* kQuotaOptions[] = {
    "quota",   "usrquota", "grpquota",  "prjquota",    "uquota",      "gquota",     "pquota",
    "qnoenforce", "uqnoenforce", "gqnoenforce", "pqnoenforce", "usrjquota", "grpjquota",
};

bool isOneOf(std::string_view name, const auto& names) { return std::ranges::find(names, name) != std::end(names); }

bool hasJoliet(std::string_view family, std::string_view version, const std::string& options) {
  return family == "iso9660" && version.find("Joliet") != std::string_view::npos && !hasOption(options, "nojoliet");
}

// The UUID's hex digits with its dashes dropped; empty when anything else is in it.
std::string hexDigitsOf(std::string_view uuid) {
  std::string digits;
  for (const char c : uuid) {
    if (c == '-') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
    digits += c;
  }
  return digits;
}

std::uint32_t parseHex32(std::string_view eightDigits) {
  return static_cast<std::uint32_t>(std::stoul(std::string(eightDigits), nullptr, 16));
}

std::uint64_t bytesOf(std::uint64_t blocks, std::uint64_t blockSize) {
  std::uint64_t bytes = 0;
  if (__builtin_mul_overflow(blocks, blockSize, &bytes)) return std::numeric_limits<std::uint64_t>::max();
  return bytes;
}

}  // namespace

std::string fileSystemFamily(std::string_view mountType, std::string_view probedType) {
  if (mountType == "fuseblk" || mountType == "fuse") {
    return std::string(probedType.empty() ? mountType : probedType);
  }
  if (mountType == "ntfs3" || mountType == "fuse.ntfs-3g") return "ntfs";
  if (mountType == "msdos") return "vfat";
  if (mountType == "fuse.exfat") return "exfat";
  return std::string(mountType);
}

std::string windowsFileSystemName(std::string_view family, std::string_view version) {
  if (family == "vfat") {
    if (version == "FAT12" || version == "FAT16" || version == "FAT32") return std::string(version);
    return "FAT";
  }
  if (family == "ntfs") return "NTFS";
  if (family == "exfat") return "exFAT";
  if (family == "iso9660") return "CDFS";
  if (family == "udf") return "UDF";
  return std::string(family);
}

std::uint32_t volumeSerialNumber(std::string_view family, std::string_view uuid) {
  const std::string digits = hexDigitsOf(uuid);
  if (family == "ntfs") {
    return digits.size() == 16 ? parseHex32(std::string_view(digits).substr(8)) : 0;
  }
  return digits.size() >= 8 ? parseHex32(std::string_view(digits).substr(0, 8)) : 0;
}

std::uint32_t featureFlags(std::string_view family, std::string_view version, const std::string& options,
                           const FeatureProbes& probes) {
  using namespace fsflags;
  const bool quotaOption = std::ranges::any_of(kQuotaOptions, [&](auto name) { return hasOption(options, name); });
  std::uint32_t flags = kFileCasePreservedNames;
  if (!isOneOf(family, kCaseInsensitive)) flags |= kFileCaseSensitiveSearch;
  if (isOneOf(family, kUnicodeOnDisk) || hasJoliet(family, version, options)) flags |= kFileUnicodeOnDisk;
  if (probes.posixAcl.value_or(false)) flags |= kFilePersistentAcls;
  if (isOneOf(family, kPerFileCompression)) flags |= kFileFileCompression;
  if (probes.quotas.value_or(false) || quotaOption) flags |= kFileVolumeQuotas;
  if (isOneOf(family, kCompressedVolume)) flags |= kFileVolumeIsCompressed;
  if (probes.encryption.value_or(false)) flags |= kFileSupportsEncryption;
  if (family == "ntfs") flags |= kFileNamedStreams;
  return flags;
}

FreeSpace freeSpaceFromBlocks(std::uint64_t blocks, std::uint64_t freeBlocks, std::uint64_t availableBlocks,
                              std::uint64_t fragmentSize) {
  // Counts are passed on as the file system reports them, even when a server
  // claims more free space than it has: the window shows what it was told.
  return FreeSpace{.freeToCaller = bytesOf(availableBlocks, fragmentSize),
                   .total = bytesOf(blocks, fragmentSize),
                   .totalFree = bytesOf(freeBlocks, fragmentSize)};
}

}  // namespace vantora::linux_backend
