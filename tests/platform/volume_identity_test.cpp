// Labels and UUIDs from the udev database and libblkid's cache of the captured desktop.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <ostream>

#include "platform/fixture_root.h"
#include "platform/linux/volume_identity_linux.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;

struct EscapeCase {
  const char* name;
  std::string encoded;
  std::string decoded;
  friend void PrintTo(const EscapeCase& c, std::ostream* out) { *out << c.name; }
};

class UdevEscapes : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(UdevEscapes, AreDecodedToTheLabelBytes) { EXPECT_EQ(decodeUdevEscapes(GetParam().encoded), GetParam().decoded); }

INSTANTIATE_TEST_SUITE_P(
    Cases, UdevEscapes,
    ::testing::Values(EscapeCase{"space", "USB\\x20STICK", "USB STICK"}, EscapeCase{"slash", "a\\x2fb", "a/b"},
                      EscapeCase{"backslash", "a\\x5cb", "a\\b"},
                      EscapeCase{"utf8_kept_as_is", "\xE5\x86\x99\xE7\x9C\x9F", "\xE5\x86\x99\xE7\x9C\x9F"},
                      EscapeCase{"invalid_byte", "bad\\xff", "bad\xFF"}, EscapeCase{"newline", "a\\x0ab", "a\nb"},
                      EscapeCase{"not_hex", "a\\xZZb", "a\\xZZb"}, EscapeCase{"cut_short", "a\\x4", "a\\x4"},
                      EscapeCase{"plain", "DATA", "DATA"}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(UdevRecord, TakesTheEncodedLabelNeverTheMangledOne) {
  const auto identity = identityFromUdevRecord(
      "S:disk/by-label/My\\x20Disk\nE:ID_FS_LABEL=My_Disk\nE:ID_FS_LABEL_ENC=My\\x20Disk\n"
      "E:ID_FS_UUID=1234-ABCD\nE:ID_FS_TYPE=vfat\nE:ID_FS_VERSION=FAT16\n");
  ASSERT_TRUE(identity);
  EXPECT_EQ(*identity, (VolumeIdentity{"My Disk", "1234-ABCD", "vfat", "FAT16"}));
}

TEST(UdevRecord, WithoutAFileSystemTypeKnowsNothing) {
  EXPECT_FALSE(identityFromUdevRecord("E:DEVTYPE=disk\nE:ID_FS_LABEL_ENC=x\n"));
  EXPECT_FALSE(identityFromUdevRecord(""));
  EXPECT_FALSE(identityFromUdevRecord("E:ID_FS_TYPE=\n"));
}

TEST(UdevRecord, LastLineWithoutNewlineCounts) {
  const auto identity = identityFromUdevRecord("E:ID_FS_TYPE=ext4");
  ASSERT_TRUE(identity);
  EXPECT_EQ(identity->type, "ext4");
}

TEST(DesktopVolumeIdentity, ComesFromTheUdevDatabase) {
  const HostRoot root = desktopFixture();
  const auto stick = blockDeviceByName(root, "sdb1");
  ASSERT_TRUE(stick);
  EXPECT_EQ(readVolumeIdentity(root, stick, "/nonexistent", "vfat"),
            (VolumeIdentity{"USB STICK", "1234-ABCD", "vfat", "FAT32"}));
}

TEST(DesktopVolumeIdentity, UnknownEverywhereIsEmpty) {
  const HostRoot root = desktopFixture();
  EXPECT_EQ(readVolumeIdentity(root, blockDeviceByName(root, "sda3"), "/nonexistent", "btrfs"), VolumeIdentity{});
  EXPECT_EQ(readVolumeIdentity(root, std::nullopt, "/nonexistent", "tmpfs"), VolumeIdentity{});
}

// A cache entry of /dev/sdb1 (8:17) answers only for the file system now
// mounted from it.
struct CacheCase {
  const char* name;
  std::string entry;  // the cache file's line for /dev/sdb1
  std::string mountType;
  std::optional<std::int64_t> madeAt;
  std::optional<std::string> label;  // null: the entry is not used
  friend void PrintTo(const CacheCase& c, std::ostream* out) { *out << c.name; }
};

class BlkidCache : public ::testing::TestWithParam<CacheCase> {};

TEST_P(BlkidCache, IsUsedOnlyForTheMountedFileSystem) {
  // A file of this process's own: cases run side by side, each in its own process.
  const std::filesystem::path file =
      std::filesystem::path(::testing::TempDir()) / ("vantora-blkid-" + std::to_string(::getpid()) + ".tab");
  std::ofstream(file) << "<device DEVNO=\"0x0700\" TIME=\"1\" LABEL=\"LOOP\" TYPE=\"ext4\">/dev/loop0</device>\n"
                      << GetParam().entry << "\n";
  const BlockDevice sdb1{.name = "sdb1", .diskName = "sdb", .major = 8, .minor = 17};
  const auto identity = currentIdentity(cachedBlkidEntry(file, "/dev/sdb1"), sdb1, GetParam().mountType, GetParam().madeAt);
  std::filesystem::remove(file);
  EXPECT_EQ(identity ? std::optional(identity->label) : std::nullopt, GetParam().label);
}

const std::string kEntry = "<device DEVNO=\"0x0811\" TIME=\"1700000000.25\" LABEL=\"PHOTOS\" TYPE=";

INSTANTIATE_TEST_SUITE_P(
    Entries, BlkidCache,
    ::testing::Values(
        CacheCase{"current", kEntry + "\"vfat\">/dev/sdb1</device>", "vfat", std::nullopt, "PHOTOS"},
        CacheCase{"other_device_number", "<device DEVNO=\"0x0812\" TIME=\"1\" LABEL=\"X\" TYPE=\"vfat\">/dev/sdb1</device>",
                  "vfat", std::nullopt, std::nullopt},
        CacheCase{"xfs_entry_for_an_ext4_mount", kEntry + "\"xfs\">/dev/sdb1</device>", "ext4", std::nullopt, std::nullopt},
        CacheCase{"driver_named_mount", kEntry + "\"ntfs\">/dev/sdb1</device>", "fuseblk", std::nullopt, "PHOTOS"},
        CacheCase{"older_than_the_file_system", kEntry + "\"vfat\">/dev/sdb1</device>", "vfat", 1700000100, std::nullopt},
        CacheCase{"newer_than_the_file_system", kEntry + "\"vfat\">/dev/sdb1</device>", "vfat", 1600000000, "PHOTOS"},
        CacheCase{"line_cut_short", kEntry + "\"vfat", "vfat", std::nullopt, std::nullopt},
        CacheCase{"no_entry", "", "vfat", std::nullopt, std::nullopt}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
