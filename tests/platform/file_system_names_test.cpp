#include <gtest/gtest.h>

#include <ostream>

#include "platform/linux/file_system_names_linux.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;

struct NameCase {
  const char* name;
  std::string mountType, probedType, version;
  std::string windowsName;
  friend void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }
};

class FileSystemName : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileSystemName, UsesWindowsSpellings) {
  const std::string family = fileSystemFamily(GetParam().mountType, GetParam().probedType);
  EXPECT_EQ(windowsFileSystemName(family, GetParam().version), GetParam().windowsName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileSystemName,
    ::testing::Values(NameCase{"fat32", "vfat", "vfat", "FAT32", "FAT32"}, NameCase{"fat16", "vfat", "vfat", "FAT16", "FAT16"},
                      NameCase{"fat12", "msdos", "", "FAT12", "FAT12"},
                      NameCase{"fat_unknown_version", "vfat", "", "", "FAT"},
                      NameCase{"fat_odd_version", "vfat", "vfat", "FAT99", "FAT"},
                      NameCase{"ntfs3", "ntfs3", "ntfs", "", "NTFS"}, NameCase{"ntfs_legacy", "ntfs", "", "", "NTFS"},
                      NameCase{"ntfs_3g", "fuseblk", "ntfs", "", "NTFS"},
                      NameCase{"exfat_fuse", "fuseblk", "exfat", "", "exFAT"},
                      NameCase{"exfat", "exfat", "exfat", "", "exFAT"},
                      NameCase{"fuseblk_unprobed", "fuseblk", "", "", "fuseblk"},
                      NameCase{"iso9660", "iso9660", "iso9660", "Joliet Extension", "CDFS"},
                      NameCase{"udf", "udf", "udf", "2.01", "UDF"}, NameCase{"ext4", "ext4", "ext4", "1.0", "ext4"},
                      NameCase{"tmpfs", "tmpfs", "", "", "tmpfs"}, NameCase{"nfs4", "nfs4", "", "", "nfs4"},
                      NameCase{"sshfs", "fuse.sshfs", "", "", "fuse.sshfs"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

struct SerialCase {
  const char* name;
  std::string family, uuid;
  std::uint32_t serial;
  friend void PrintTo(const SerialCase& c, std::ostream* out) { *out << c.name; }
};

class VolumeSerial : public ::testing::TestWithParam<SerialCase> {};

TEST_P(VolumeSerial, IsTheWindowsSerial) {
  EXPECT_EQ(volumeSerialNumber(GetParam().family, GetParam().uuid), GetParam().serial);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, VolumeSerial,
    ::testing::Values(SerialCase{"fat_volume_id", "vfat", "1234-ABCD", 0x1234ABCD},
                      SerialCase{"exfat_volume_id", "exfat", "6C3F-09A2", 0x6C3F09A2},
                      SerialCase{"ntfs_low_half", "ntfs", "0123456789ABCDEF", 0x89ABCDEF},
                      SerialCase{"ntfs_short_uuid", "ntfs", "89ABCDEF", 0},
                      SerialCase{"ext4_first_bits", "ext4", "f81d4fae-7dec-11d0-a765-00a0c91e6bf6", 0xF81D4FAE},
                      SerialCase{"lower_case_hex", "xfs", "deadbeef-0000-0000-0000-000000000000", 0xDEADBEEF},
                      SerialCase{"no_uuid", "tmpfs", "", 0}, SerialCase{"too_short", "ext4", "abc", 0},
                      SerialCase{"not_hex", "ext4", "zzzzzzzz-0000", 0},
                      SerialCase{"iso_date_uuid", "iso9660", "2024-01-31-12-00-00-00", 0x20240131}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
