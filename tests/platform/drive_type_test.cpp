// Drive types of the captured desktop: decided from its mountinfo and sysfs alone.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <ostream>

#include "platform/fixture_root.h"
#include "platform/linux/system_queries_linux.h"

namespace vantora::testing {
namespace {

using linux_backend::LinuxSystemQueries;

struct TypeCase {
  const char* name;
  std::string rootPath;
  std::uint32_t expected;
  friend void PrintTo(const TypeCase& c, std::ostream* out) { *out << c.name; }
};

class DesktopDriveType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(DesktopDriveType, IsClassified) {
  LinuxSystemQueries queries(desktopFixture());
  EXPECT_EQ(queries.driveType(GetParam().rootPath), GetParam().expected) << GetParam().rootPath;
}

INSTANTIATE_TEST_SUITE_P(
    Fixture, DesktopDriveType,
    ::testing::Values(TypeCase{"root_fs", "/", kDriveFixed},
                      TypeCase{"efi_partition", "/boot/efi", kDriveFixed},
                      TypeCase{"btrfs_subvolume_by_source", "/home", kDriveFixed},
                      TypeCase{"usb_stick_with_space", "/media/user/USB STICK", kDriveRemovable},
                      TypeCase{"trailing_slash", "/media/user/USB STICK/", kDriveRemovable},
                      TypeCase{"tab_in_mount_point", "/mnt/tab\tdir", kDriveRamdisk},
                      TypeCase{"backslash_in_mount_point", "/mnt/back\\slash", kDriveRamdisk},
                      TypeCase{"newline_in_mount_point", "/mnt/new\nline", kDriveRamdisk},
                      TypeCase{"escaped_form_is_not_the_path", "/mnt/tab\\011dir", kDriveNoRootDir},
                      TypeCase{"nfs4", "/mnt/nas", kDriveRemote},
                      TypeCase{"cifs", "/mnt/share", kDriveRemote},
                      TypeCase{"sshfs", "/mnt/remote", kDriveRemote},
                      TypeCase{"ceph", "/mnt/ceph", kDriveRemote},
                      TypeCase{"unknown_fuse", "/mnt/odd", kDriveUnknown},
                      TypeCase{"pseudo_fs", "/proc", kDriveUnknown},
                      TypeCase{"last_over_mount_wins", "/mnt/over", kDriveRamdisk},
                      TypeCase{"shm", "/dev/shm", kDriveRamdisk},
                      TypeCase{"ramfs", "/mnt/ram", kDriveRamdisk},
                      TypeCase{"ext4_on_zram", "/mnt/zram", kDriveRamdisk},
                      TypeCase{"iso_image_on_loop", "/mnt/iso", kDriveCdrom},
                      TypeCase{"ext4_image_on_loop", "/mnt/image", kDriveFixed},
                      TypeCase{"snap_squashfs", "/snap/core22/1380", kDriveFixed},
                      TypeCase{"empty_cd_drive", "/dev/sr0", kDriveCdrom},
                      TypeCase{"empty_card_reader", "/dev/sdc", kDriveRemovable},
                      TypeCase{"sd_card_on_mmc_bus", "/dev/mmcblk0", kDriveRemovable},
                      TypeCase{"node_of_mounted_stick", "/dev/sdb", kDriveNoRootDir},
                      TypeCase{"node_of_fixed_disk", "/dev/sda", kDriveNoRootDir},
                      TypeCase{"node_of_partition", "/dev/sdb1", kDriveNoRootDir},
                      TypeCase{"node_path_escape", "/dev/../etc", kDriveNoRootDir},
                      TypeCase{"directory_below_a_mount", "/mnt", kDriveNoRootDir},
                      TypeCase{"empty_path", "", kDriveNoRootDir}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// A disk without a medium: the queries fail with "not ready" and leave their outputs.
TEST(DesktopEmptyDrive, QueriesFailNotReadyAndLeaveOutputs) {
  LinuxSystemQueries queries(desktopFixture());
  for (const char* node : {"/dev/sr0", "/dev/sdc"}) {
    std::uint64_t freeToCaller = 7, total = 8, totalFree = 9;
    EXPECT_FALSE(queries.diskFreeSpaceEx(node, freeToCaller, total, totalFree));
    EXPECT_EQ(queries.lastError(), winerror::kErrorNotReady);
    EXPECT_EQ(freeToCaller + total + totalFree, 24u);

    VolumeNameBuffer volumeName{'v', '\0'};
    FileSystemNameBuffer fileSystemName{'f', '\0'};
    std::uint32_t serial = 1, maxComponent = 2, flags = 3;
    EXPECT_FALSE(queries.volumeInformation(node, volumeName, serial, maxComponent, flags, fileSystemName));
    EXPECT_EQ(queries.lastError(), winerror::kErrorNotReady);
    EXPECT_EQ(volumeName[0], 'v');
    EXPECT_EQ(fileSystemName[0], 'f');
    EXPECT_EQ(serial + maxComponent + flags, 6u);
  }
}

TEST(DesktopEmptyDrive, NonMountPointFailsPathNotFound) {
  LinuxSystemQueries queries(desktopFixture());
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  EXPECT_FALSE(queries.diskFreeSpaceEx("/mnt", freeToCaller, total, totalFree));
  EXPECT_EQ(queries.lastError(), winerror::kErrorPathNotFound);
}

// The CD drive is unplugged between listing and selection.
TEST(DesktopEmptyDrive, VanishedDeviceHasNoRootDirectory) {
  namespace fs = std::filesystem;
  const fs::path copy = fs::temp_directory_path() / ("vantora-vanished-" + std::to_string(::getpid()));
  fs::remove_all(copy);
  fs::copy(desktopFixture().prefix, copy, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
  LinuxSystemQueries queries(linux_backend::HostRoot{copy});
  ASSERT_EQ(queries.driveType("/dev/sr0"), kDriveCdrom);

  fs::remove(copy / "sys/class/block/sr0");
  fs::remove(copy / "sys/block/sr0");
  EXPECT_EQ(queries.driveType("/dev/sr0"), kDriveNoRootDir);
  std::uint64_t freeToCaller = 5, total = 5, totalFree = 5;
  EXPECT_FALSE(queries.diskFreeSpaceEx("/dev/sr0", freeToCaller, total, totalFree));
  EXPECT_EQ(queries.lastError(), winerror::kErrorPathNotFound);
  EXPECT_EQ(total, 5u);
  fs::remove_all(copy);
}

}  // namespace
}  // namespace vantora::testing
