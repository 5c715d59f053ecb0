// The backend against real file systems made on loop devices, in a private
// mount namespace. Each case skips with its reason when not run as root or
// when a mkfs program or a kernel file system is missing.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <ostream>
#include <sstream>

#include "platform/linux/system_queries_linux.h"
#include "platform/linux/volume_identity_linux.h"
#include "platform/scratch_volume.h"

namespace vantora::testing {
namespace {

using namespace fsflags;
using linux_backend::LinuxSystemQueries;

struct VolumeAnswer {
  std::string label;
  std::string fileSystemName;
  std::uint32_t serial = 0;
  std::uint32_t flags = 0;
};

VolumeAnswer askVolume(SystemQueries& queries, const std::string& root) {
  VolumeNameBuffer label{};
  FileSystemNameBuffer name{};
  VolumeAnswer answer;
  std::uint32_t maxComponent = 0;
  EXPECT_TRUE(queries.volumeInformation(root, label, answer.serial, maxComponent, answer.flags, name))
      << root << " error " << queries.lastError();
  answer.label = label.data();
  answer.fileSystemName = name.data();
  return answer;
}

// The first 32 bits of the UUID blkid reads from the device.
std::uint32_t serialFromBlkid(const std::string& node) {
  std::string uuid = runCommand({"blkid", "-p", "-o", "value", "-s", "UUID", node}).output;
  uuid.erase(std::remove(uuid.begin(), uuid.end(), '-'), uuid.end());
  return uuid.size() >= 8 ? static_cast<std::uint32_t>(std::stoul(uuid.substr(0, 8), nullptr, 16)) : 0;
}

// This machine seen through a root whose udev database holds the record
// udev's blkid builtin would write for one device, whether or not udev runs.
class UdevRecordedHost {
 public:
  explicit UdevRecordedHost(const std::string& deviceNode) {
    namespace fs = std::filesystem;
    for (const char* system : {"proc", "sys", "dev"}) {
      fs::create_directory_symlink(fs::path("/") / system, base_.path() / system);
    }
    struct stat device {};
    if (::stat(deviceNode.c_str(), &device) != 0) return;
    const fs::path data = base_.path() / "run" / "udev" / "data";
    fs::create_directories(data);
    std::string record;
    std::istringstream lines(runCommand({"blkid", "-p", "-o", "udev", deviceNode}).output);
    for (std::string line; std::getline(lines, line);) record += "E:" + line + "\n";
    std::ofstream(data / ("b" + std::to_string(major(device.st_rdev)) + ":" + std::to_string(minor(device.st_rdev))))
        << record;
  }
  linux_backend::HostRoot root() const { return {base_.path()}; }

 private:
  ScratchDirectory base_;
};

#define MAKE_OR_SKIP(volume, recipe)                    \
  std::string skipReason;                               \
  auto volume = makeScratchVolume(recipe, skipReason);  \
  if (!volume) GTEST_SKIP() << skipReason

struct DiskCase {
  const char* name;
  VolumeRecipe recipe;
  std::string label;
  std::string fileSystemName;
  std::uint32_t flagsPresent;  // bits that must be set
  std::uint32_t flagsAbsent;   // bits that must not
  bool serialFromUuid;
  friend void PrintTo(const DiskCase& c, std::ostream* out) { *out << c.name; }
};

class RealDisk : public ::testing::TestWithParam<DiskCase> {};

TEST_P(RealDisk, AnswersLikeWindowsWould) {
  const DiskCase& param = GetParam();
  MAKE_OR_SKIP(volume, param.recipe);
  LinuxSystemQueries queries;
  const std::string root = volume->mounted->target().string();

  // A loop device of a partitionless image is not removable.
  EXPECT_EQ(queries.driveType(root), kDriveFixed);
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  ASSERT_TRUE(queries.diskFreeSpaceEx(root, freeToCaller, total, totalFree));
  EXPECT_GT(total, 0u);
  EXPECT_LE(freeToCaller, totalFree);

  const VolumeAnswer answer = askVolume(queries, root);
  EXPECT_EQ(answer.fileSystemName, param.fileSystemName);
  EXPECT_EQ(answer.label, param.label);
  EXPECT_EQ(answer.serial, param.serialFromUuid ? serialFromBlkid(volume->loop->node()) : 0u);
  EXPECT_EQ(answer.flags & param.flagsPresent, param.flagsPresent) << std::hex << answer.flags;
  EXPECT_EQ(answer.flags & param.flagsAbsent, 0u) << std::hex << answer.flags;

  // The list takes labels from udev alone; give it the record udev would write.
  const UdevRecordedHost host(volume->loop->node());
  const DriveList list = LinuxSystemQueries(host.root()).listDrives();
  const std::string expectedText = param.label.empty() ? root : root + " [" + param.label + "]";
  EXPECT_TRUE(std::any_of(list.drives.begin(), list.drives.end(),
                          [&](const DriveEntry& drive) { return drive.rootPath == root && drive.text == expectedText; }))
      << "no drive " << expectedText;
}

constexpr std::uint32_t kCase = kFileCaseSensitiveSearch | kFileCasePreservedNames;
constexpr std::uint32_t kWindowsOnly = kFileUnicodeOnDisk | kFileNamedStreams;

INSTANTIATE_TEST_SUITE_P(
    LoopImages, RealDisk,
    ::testing::Values(
        DiskCase{"ext4_with_label",
                 {{"mkfs.ext4", "-q", "-F", "-L", "PHOTOS", "{device}"}, "ext4", "", 0, 64},
                 "PHOTOS", "ext4", kCase | kFilePersistentAcls,
                 kWindowsOnly | kFileFileCompression | kFileVolumeIsCompressed | kFileSupportsEncryption |
                     kFileVolumeQuotas,
                 true},
        // ext4's own quota feature shows in no mount option: only quotactl sees it.
        DiskCase{"ext4_internal_quota",
                 {{"mkfs.ext4", "-q", "-F", "-O", "quota", "-E", "quotatype=usrquota", "{device}"}, "ext4", "", 0, 64},
                 "", "ext4", kCase | kFileVolumeQuotas, kWindowsOnly, true},
        DiskCase{"ext4_with_encryption",
                 {{"mkfs.ext4", "-q", "-F", "-O", "encrypt", "{device}"}, "ext4", "", 0, 64},
                 "", "ext4", kCase | kFileSupportsEncryption, kWindowsOnly, true},
        DiskCase{"ext4_label_with_invalid_utf8_and_control",
                 {{"mkfs.ext4", "-q", "-F", "-L", "bad\xFF\x01", "{device}"}, "ext4", "", 0, 64},
                 "bad\xEF\xBF\xBD\xEF\xBF\xBD", "ext4", kCase, kWindowsOnly, true},
        DiskCase{"xfs",
                 {{"mkfs.xfs", "-q", "-f", "-L", "XDATA", "{device}"}, "xfs", "", 0, 320},
                 "XDATA", "xfs", kCase | kFilePersistentAcls, kWindowsOnly | kFileFileCompression, true},
        DiskCase{"btrfs_compressed",
                 {{"mkfs.btrfs", "-q", "-f", "-L", "BDATA", "{device}"}, "btrfs", "compress=zstd", 0, 160},
                 "BDATA", "btrfs", kCase | kFilePersistentAcls | kFileFileCompression,
                 kWindowsOnly | kFileVolumeIsCompressed, true},
        DiskCase{"squashfs",
                 {{"mksquashfs", "{content}", "{image}", "-quiet", "-noappend"}, "squashfs", "", MS_RDONLY, 0},
                 "", "squashfs", kCase | kFileVolumeIsCompressed, kWindowsOnly | kFileFileCompression, false}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// Without root or udev, labels come from the cache blkid keeps.
TEST(RealBlkidCache, RemembersTheLabelOfAVolume) {
  MAKE_OR_SKIP(volume, (VolumeRecipe{{"mkfs.ext4", "-q", "-F", "-L", "CACHED", "{device}"}, "ext4", "", 0, 64}));
  const std::string cacheFile = (volume->directory.path() / "blkid.tab").string();
  ASSERT_EQ(runCommand({"blkid", "-c", cacheFile, volume->loop->node()}).status, 0);
  const auto entry = linux_backend::cachedBlkidEntry(cacheFile, volume->loop->node());
  ASSERT_TRUE(entry);
  EXPECT_EQ(entry->identity.label, "CACHED");
  EXPECT_EQ(entry->identity.type, "ext4");
  const auto loop = linux_backend::blockDeviceByName({}, volume->loop->node().substr(5));
  ASSERT_TRUE(loop);
  EXPECT_EQ(entry->major, loop->major);
  EXPECT_EQ(entry->minor, loop->minor);
  EXPECT_GT(entry->probedAt, 0);
  EXPECT_FALSE(linux_backend::cachedBlkidEntry(cacheFile, "/dev/vantora-no-such-device"));
}

// A tmpfs is a RAM disk; a mount point may hold any byte but '\0'.
TEST(RealRamDisk, OddMountPointIsListedAndAnswers) {
  if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) GTEST_SKIP() << problem;
  const ScratchDirectory directory;
  const std::filesystem::path mountPoint = directory.path() / "a b\tc\nd\\e";
  std::filesystem::create_directories(mountPoint);
  auto mounted = MountedFileSystem::mount("tmpfs", mountPoint, "tmpfs", 0, "size=8m");
  ASSERT_TRUE(mounted) << std::strerror(errno);
  LinuxSystemQueries queries;
  const std::string root = mountPoint.string();

  EXPECT_EQ(queries.driveType(root), kDriveRamdisk);
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  ASSERT_TRUE(queries.diskFreeSpaceEx(root, freeToCaller, total, totalFree));
  EXPECT_EQ(total, 8u << 20);
  const VolumeAnswer answer = askVolume(queries, root);
  EXPECT_EQ(answer.fileSystemName, "tmpfs");
  EXPECT_EQ(answer.label, "");
  EXPECT_EQ(answer.flags & kCase, kCase);

  const DriveList list = queries.listDrives();
  const std::string shown = directory.path().string() + "/a b\xEF\xBF\xBD" "c\xEF\xBF\xBD" "d\\e";
  EXPECT_TRUE(std::any_of(list.drives.begin(), list.drives.end(),
                          [&](const DriveEntry& drive) { return drive.rootPath == root && drive.text == shown; }));
}

// The system keeps what it mounts under /dev to itself, all but /dev/shm: a
// RAM disk of our own there, over whatever the host has, is a listed drive.
TEST(RealRamDisk, SharedMemoryIsListedAsARamDisk) {
  if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) GTEST_SKIP() << problem;
  std::filesystem::create_directories("/dev/shm");
  auto mounted = MountedFileSystem::mount("tmpfs", "/dev/shm", "tmpfs", 0, "size=4m");
  ASSERT_TRUE(mounted) << std::strerror(errno);
  LinuxSystemQueries queries;

  EXPECT_EQ(queries.driveType("/dev/shm"), kDriveRamdisk);
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  ASSERT_TRUE(queries.diskFreeSpaceEx("/dev/shm", freeToCaller, total, totalFree));
  EXPECT_EQ(total, 4u << 20);
  const DriveList list = queries.listDrives();
  EXPECT_NE(std::find(list.drives.begin(), list.drives.end(), DriveEntry{"/dev/shm", "/dev/shm"}), list.drives.end());
}

// The drive is pulled between two queries of one refresh.
TEST(RealRamDisk, UnmountedBetweenQueriesHasNoRoot) {
  if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) GTEST_SKIP() << problem;
  const ScratchDirectory directory;
  const std::filesystem::path mountPoint = directory.path() / "stick";
  std::filesystem::create_directories(mountPoint);
  auto mounted = MountedFileSystem::mount("tmpfs", mountPoint, "tmpfs", 0, "size=4m");
  ASSERT_TRUE(mounted) << std::strerror(errno);
  LinuxSystemQueries queries;
  ASSERT_EQ(queries.driveType(mountPoint.string()), kDriveRamdisk);

  mounted->unmount();
  EXPECT_EQ(queries.driveType(mountPoint.string()), kDriveNoRootDir);
  VolumeNameBuffer label{'x', '\0'};
  FileSystemNameBuffer name{'y', '\0'};
  std::uint32_t serial = 5, maxComponent = 5, flags = 5;
  EXPECT_FALSE(queries.volumeInformation(mountPoint.string(), label, serial, maxComponent, flags, name));
  EXPECT_EQ(queries.lastError(), winerror::kErrorPathNotFound);
  EXPECT_EQ(label[0], 'x');
  EXPECT_EQ(name[0], 'y');
  EXPECT_EQ(serial + maxComponent + flags, 15u);
}

}  // namespace
}  // namespace vantora::testing
