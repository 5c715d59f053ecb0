#include <gtest/gtest.h>

#include <ostream>

#include "platform/linux/feature_flags_linux.h"
#include "platform/system_queries.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;
using namespace fsflags;

constexpr std::uint32_t kCase = kFileCaseSensitiveSearch | kFileCasePreservedNames;

struct FlagsCase {
  const char* name;
  std::string family, version, options;
  FeatureProbes probes;
  std::uint32_t flags;
  friend void PrintTo(const FlagsCase& c, std::ostream* out) { *out << c.name; }
};

class FeatureFlags : public ::testing::TestWithParam<FlagsCase> {};

TEST_P(FeatureFlags, CombineFamilyOptionsAndProbes) {
  EXPECT_EQ(featureFlags(GetParam().family, GetParam().version, GetParam().options, GetParam().probes),
            GetParam().flags);
}

const FeatureProbes kAclOnly{true, false, false};
const FeatureProbes kUnknown{};

INSTANTIATE_TEST_SUITE_P(
    Cases, FeatureFlags,
    ::testing::Values(
        FlagsCase{"ext4_plain", "ext4", "1.0", "rw,relatime", kAclOnly, kCase | kFilePersistentAcls},
        FlagsCase{"ext4_all_probes", "ext4", "1.0", "rw", {true, true, true},
                  kCase | kFilePersistentAcls | kFileSupportsEncryption | kFileVolumeQuotas},
        FlagsCase{"ext4_quota_option", "ext4", "", "rw,usrquota", kUnknown, kCase | kFileVolumeQuotas},
        FlagsCase{"xfs_project_quota", "xfs", "", "rw,prjquota", kAclOnly,
                  kCase | kFilePersistentAcls | kFileVolumeQuotas},
        FlagsCase{"journaled_quota_file", "ext4", "", "rw,usrjquota=aquota.user,jqfmt=vfsv1", kUnknown,
                  kCase | kFileVolumeQuotas},
        FlagsCase{"option_lookalike", "ext4", "", "rw,noquotaX", kUnknown, kCase},
        FlagsCase{"btrfs", "btrfs", "", "rw,compress=zstd:3", kAclOnly,
                  kCase | kFilePersistentAcls | kFileFileCompression},
        FlagsCase{"squashfs", "squashfs", "", "ro", kUnknown, kCase | kFileVolumeIsCompressed},
        FlagsCase{"erofs", "erofs", "", "ro", kUnknown, kCase | kFileVolumeIsCompressed},
        FlagsCase{"fat32", "vfat", "FAT32", "rw", {false, false, false},
                  kFileCasePreservedNames | kFileUnicodeOnDisk},
        FlagsCase{"exfat", "exfat", "", "rw", kUnknown, kFileCasePreservedNames | kFileUnicodeOnDisk},
        FlagsCase{"ntfs", "ntfs", "", "rw", kAclOnly,
                  kFileCasePreservedNames | kFileUnicodeOnDisk | kFilePersistentAcls | kFileFileCompression |
                      kFileNamedStreams},
        FlagsCase{"cifs", "cifs", "", "rw", kUnknown, kFileCasePreservedNames},
        FlagsCase{"udf", "udf", "", "ro", kUnknown, kCase | kFileUnicodeOnDisk},
        FlagsCase{"iso_joliet", "iso9660", "Joliet Extension", "ro", kUnknown, kCase | kFileUnicodeOnDisk},
        FlagsCase{"iso_joliet_switched_off", "iso9660", "Joliet Extension", "ro,nojoliet", kUnknown, kCase},
        FlagsCase{"iso_plain", "iso9660", "", "ro", kUnknown, kCase},
        FlagsCase{"tmpfs", "tmpfs", "", "rw", kAclOnly, kCase | kFilePersistentAcls},
        FlagsCase{"nothing_known", "fuse.mystery", "", "", kUnknown, kCase}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
