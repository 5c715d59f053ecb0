// The drive list of the captured desktop, and the rules that filter it.
// Labels come from the fixture's udev database.

#include <gtest/gtest.h>

#include <ostream>

#include "platform/drive_entry_printer.h"
#include "platform/fixture_root.h"
#include "platform/linux/drive_list_linux.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;

std::vector<MountEntry> desktopTable() { return readMountTable(desktopFixture().at("/proc/self/mountinfo")); }

TEST(DesktopDriveList, OffersStorageSortedByRootPath) {
  const DriveList list = buildDriveList(desktopFixture(), desktopTable(), "/");
  const std::vector<DriveEntry> expected = {
      {"/ [ROOT]", "/"},
      {"/boot/efi", "/boot/efi"},
      {"/dev/mmcblk0", "/dev/mmcblk0"},
      {"/dev/sdc", "/dev/sdc"},
      {"/dev/shm", "/dev/shm"},
      {"/dev/sr0", "/dev/sr0"},
      {"/home", "/home"},
      {"/media/user/USB STICK [USB STICK]", "/media/user/USB STICK"},
      {"/mnt/back\\slash", "/mnt/back\\slash"},
      {"/mnt/ceph [192.0.2.5:6789:/]", "/mnt/ceph"},
      {"/mnt/hidden", "/mnt/hidden"},
      {"/mnt/image", "/mnt/image"},
      {"/mnt/iso", "/mnt/iso"},
      {"/mnt/nas [nas:/export]", "/mnt/nas"},
      {"/mnt/new\xEF\xBF\xBDline", "/mnt/new\nline"},
      {"/mnt/over", "/mnt/over"},
      {"/mnt/ram", "/mnt/ram"},
      {"/mnt/remote [user@host:/home/user]", "/mnt/remote"},
      {"/mnt/share [//server/share]", "/mnt/share"},
      {"/mnt/tab\xEF\xBF\xBD" "dir", "/mnt/tab\tdir"},
      {"/mnt/zram [bad\xEF\xBF\xBD\xEF\xBF\xBDlabel]", "/mnt/zram"},
      {"/tmp", "/tmp"},
  };
  EXPECT_EQ(list.drives, expected);
}

struct CurrentCase {
  const char* name;
  const char* workingDirectory;
  const char* expectedRoot;
  friend void PrintTo(const CurrentCase& c, std::ostream* out) { *out << c.name; }
};

class DesktopCurrentDrive : public ::testing::TestWithParam<CurrentCase> {};

TEST_P(DesktopCurrentDrive, HoldsTheWorkingDirectory) {
  const DriveList list = buildDriveList(desktopFixture(), desktopTable(), GetParam().workingDirectory);
  ASSERT_LT(list.current, list.drives.size());
  EXPECT_EQ(list.drives[list.current].rootPath, GetParam().expectedRoot);
}

INSTANTIATE_TEST_SUITE_P(Fixture, DesktopCurrentDrive,
                         ::testing::Values(CurrentCase{"inside_stick", "/media/user/USB STICK/photos", "/media/user/USB STICK"},
                                           CurrentCase{"stick_itself", "/media/user/USB STICK", "/media/user/USB STICK"},
                                           CurrentCase{"name_prefix_is_not_a_parent", "/tmpfoo", "/"},
                                           CurrentCase{"hidden_pseudo_fs", "/proc/self", "/"},
                                           CurrentCase{"covered_mount", "/mnt/hidden/inner/x", "/mnt/hidden"},
                                           CurrentCase{"home", "/home/user", "/home"}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

MountEntry mount(std::string target, std::string fsType, std::string source = "none") {
  MountEntry entry;
  entry.target = std::move(target);
  entry.fsType = std::move(fsType);
  entry.source = std::move(source);
  entry.fsRoot = "/";
  return entry;
}

struct FilterCase {
  const char* name;
  MountEntry mount;
  bool onBlockDevice;
  bool shown;
  friend void PrintTo(const FilterCase& c, std::ostream* out) { *out << c.name; }
};

class DriveListFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DriveListFilter, DecidesWhatIsShown) {
  EXPECT_EQ(shownInDriveList(GetParam().mount, GetParam().onBlockDevice), GetParam().shown);
}

MountEntry withRoot(MountEntry entry, std::string fsRoot, std::string options = "") {
  entry.fsRoot = std::move(fsRoot);
  entry.options = std::move(options);
  return entry;
}

MountEntry pseudo(MountEntry entry) {
  entry.pseudoFs = true;
  return entry;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, DriveListFilter,
    ::testing::Values(
        FilterCase{"overlay_root", mount("/", "overlay", "overlay"), false, true},
        FilterCase{"tmpfs_in_tmp", mount("/tmp", "tmpfs"), false, true},
        FilterCase{"tmpfs_in_mnt", mount("/mnt/ramdisk", "tmpfs"), false, true},
        FilterCase{"dev_shm", mount("/dev/shm", "tmpfs"), false, true},
        FilterCase{"run_user", mount("/run/user/1000", "tmpfs"), false, false},
        FilterCase{"run_itself", mount("/run", "tmpfs"), false, false},
        FilterCase{"sys_cgroup_tmpfs", mount("/sys/fs/cgroup", "tmpfs"), false, false},
        FilterCase{"dev_tmpfs", mount("/dev", "tmpfs"), false, false},
        FilterCase{"runner_is_not_run", mount("/runner", "tmpfs"), false, true},
        FilterCase{"snap_image", mount("/snap/core/1", "squashfs", "/dev/loop3"), true, false},
        FilterCase{"squashfs_elsewhere", mount("/mnt/sq", "squashfs", "/dev/loop3"), true, true},
        FilterCase{"disk", mount("/data", "ext4", "/dev/sdd1"), true, true},
        FilterCase{"file_bind_mount", withRoot(mount("/etc/hosts", "ext4", "/dev/sda2"), "/var/lib/hosts"), true,
                   false},
        // A container's /etc/hosts bind of a tmpfs file, and a bind of a tmpfs's directory.
        FilterCase{"tmpfs_file_bind", withRoot(mount("/etc/hosts", "tmpfs"), "/containers/c1/hosts"), false, false},
        FilterCase{"tmpfs_directory_bind", withRoot(mount("/mnt/part", "tmpfs"), "/sub"), false, false},
        FilterCase{"btrfs_subvolume", withRoot(mount("/home", "btrfs", "/dev/sda3"), "/@home", "rw,subvol=/@home"),
                   true, true},
        FilterCase{"btrfs_bind_of_subdir",
                   withRoot(mount("/srv", "btrfs", "/dev/sda3"), "/@home/srv", "rw,subvol=/@home"), true, false},
        FilterCase{"proc", pseudo(mount("/proc", "proc", "proc")), false, false},
        FilterCase{"unknown_fuse", mount("/mnt/odd", "fuse.mystery", "mystery"), false, false},
        FilterCase{"sshfs", mount("/mnt/r", "fuse.sshfs", "me@host:/srv"), false, true},
        FilterCase{"smb_source_on_unknown_type", mount("/mnt/s", "smb3", "//nas/share"), false, true}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora::testing
