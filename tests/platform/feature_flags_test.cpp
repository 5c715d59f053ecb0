#include <gtest/gtest.h>

#include <ostream>

#include "platform/linux/feature_flags_linux.h"
#include "platform/system_queries.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;
using namespace fsflags;

constexpr std::uint32_t kCase = FILE_CASE_SENSITIVE_SEARCH | FILE_CASE_PRESERVED_NAMES;

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
        FlagsCase{"ext4_plain", "ext4", "1.0", "rw,relatime", kAclOnly, kCase | FILE_PERSISTENT_ACLS},
        FlagsCase{"ext4_all_probes", "ext4", "1.0", "rw", {true, true, true},
                  kCase | FILE_PERSISTENT_ACLS | FILE_SUPPORTS_ENCRYPTION | FILE_VOLUME_QUOTAS},
        FlagsCase{"ext4_quota_option", "ext4", "", "rw,usrquota", kUnknown, kCase | FILE_VOLUME_QUOTAS},
        FlagsCase{"xfs_project_quota", "xfs", "", "rw,prjquota", kAclOnly,
                  kCase | FILE_PERSISTENT_ACLS | FILE_VOLUME_QUOTAS},
        FlagsCase{"journaled_quota_file", "ext4", "", "rw,usrjquota=aquota.user,jqfmt=vfsv1", kUnknown,
                  kCase | FILE_VOLUME_QUOTAS},
        FlagsCase{"option_lookalike", "ext4", "", "rw,noquotaX", kUnknown, kCase},
        FlagsCase{"btrfs", "btrfs", "", "rw,compress=zstd:3", kAclOnly,
                  kCase | FILE_PERSISTENT_ACLS | FILE_FILE_COMPRESSION},
        FlagsCase{"squashfs", "squashfs", "", "ro", kUnknown, kCase | FILE_VOLUME_IS_COMPRESSED},
        FlagsCase{"erofs", "erofs", "", "ro", kUnknown, kCase | FILE_VOLUME_IS_COMPRESSED},
        FlagsCase{"fat32", "vfat", "FAT32", "rw", {false, false, false},
                  FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK},
        FlagsCase{"exfat", "exfat", "", "rw", kUnknown, FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK},
        FlagsCase{"ntfs", "ntfs", "", "rw", kAclOnly,
                  FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK | FILE_PERSISTENT_ACLS | FILE_FILE_COMPRESSION |
                      FILE_NAMED_STREAMS},
        FlagsCase{"cifs", "cifs", "", "rw", kUnknown, FILE_CASE_PRESERVED_NAMES},
        FlagsCase{"udf", "udf", "", "ro", kUnknown, kCase | FILE_UNICODE_ON_DISK},
        FlagsCase{"iso_joliet", "iso9660", "Joliet Extension", "ro", kUnknown, kCase | FILE_UNICODE_ON_DISK},
        FlagsCase{"iso_joliet_switched_off", "iso9660", "Joliet Extension", "ro,nojoliet", kUnknown, kCase},
        FlagsCase{"iso_plain", "iso9660", "", "ro", kUnknown, kCase},
        FlagsCase{"tmpfs", "tmpfs", "", "rw", kAclOnly, kCase | FILE_PERSISTENT_ACLS},
        FlagsCase{"nothing_known", "fuse.mystery", "", "", kUnknown, kCase}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
