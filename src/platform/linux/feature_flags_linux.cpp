#include "platform/linux/feature_flags_linux.h"

#include <algorithm>
#include <array>

#include "platform/linux/mount_table_linux.h"
#include "platform/system_queries.h"

namespace vantora::linux_backend {
namespace {

template <std::size_t N>
bool isOneOf(std::string_view family, const std::array<std::string_view, N>& families) {
  return std::find(families.begin(), families.end(), family) != families.end();
}

// Names compare without regard to case on these, as on Windows. ext4 and f2fs
// casefolding is chosen per directory, so those volumes stay case-sensitive.
constexpr std::array<std::string_view, 6> kCaseInsensitive = {"vfat", "exfat", "ntfs", "cifs", "smb3", "smbfs"};
constexpr std::array<std::string_view, 4> kUnicodeOnDisk = {"ntfs", "vfat", "exfat", "udf"};
constexpr std::array<std::string_view, 4> kPerFileCompression = {"btrfs", "f2fs", "zfs", "ntfs"};
constexpr std::array<std::string_view, 3> kCompressedVolume = {"squashfs", "erofs", "cramfs"};
// Mount options that switch quota accounting on (ext*, xfs, tmpfs, gfs2 ...).
constexpr std::array<std::string_view, 13> kQuotaOptions = {
    "quota",   "usrquota", "grpquota",  "prjquota",    "uquota",      "gquota",     "pquota",
    "qnoenforce", "uqnoenforce", "gqnoenforce", "pqnoenforce", "usrjquota", "grpjquota",
};

bool hasJoliet(std::string_view family, std::string_view version, std::string_view options) {
  return family == "iso9660" && version.find("Joliet") != std::string_view::npos && !hasOption(options, "nojoliet");
}

bool quotaOptionSet(std::string_view options) {
  return std::any_of(kQuotaOptions.begin(), kQuotaOptions.end(),
                     [&](std::string_view name) { return hasOption(options, name); });
}

}  // namespace

std::uint32_t featureFlags(std::string_view family, std::string_view version, std::string_view options,
                           const FeatureProbes& probes) {
  using namespace fsflags;
  std::uint32_t flags = kFileCasePreservedNames;
  if (!isOneOf(family, kCaseInsensitive)) flags |= kFileCaseSensitiveSearch;
  if (isOneOf(family, kUnicodeOnDisk) || hasJoliet(family, version, options)) flags |= kFileUnicodeOnDisk;
  if (probes.posixAcl.value_or(false)) flags |= kFilePersistentAcls;
  if (isOneOf(family, kPerFileCompression)) flags |= kFileFileCompression;
  if (probes.quotas.value_or(false) || quotaOptionSet(options)) flags |= kFileVolumeQuotas;
  if (isOneOf(family, kCompressedVolume)) flags |= kFileVolumeIsCompressed;
  if (probes.encryption.value_or(false)) flags |= kFileSupportsEncryption;
  if (family == "ntfs") flags |= kFileNamedStreams;
  return flags;
}

}  // namespace vantora::linux_backend
