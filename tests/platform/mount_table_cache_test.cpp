// The mount table kept between queries: read again after every mount,
// unmount and remount in the namespace, and only then.

#include <gtest/gtest.h>
#include <sys/mount.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>

#include "platform/linux/mount_table_cache_linux.h"
#include "platform/linux/system_queries_linux.h"
#include "platform/scratch_volume.h"

namespace vantora::testing {
namespace {

using namespace std::chrono_literals;
using namespace linux_backend;
namespace fs = std::filesystem;

const MountEntry* mountAt(const std::vector<MountEntry>& table, const fs::path& target) {
  return findMountAt(table, target.string());
}

class LiveMountTable : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) GTEST_SKIP() << problem;
    fs::create_directories(target);
  }

  const ScratchDirectory directory;
  const fs::path target = directory.path() / "ram disk";
};

TEST_F(LiveMountTable, IsReadAgainAfterEachChangeAndOnlyThen) {
  MountTableCache cache("/proc/self/mountinfo");
  EXPECT_FALSE(mountAt(cache.current(), target));
  const std::uint64_t unchanged = cache.generation();
  EXPECT_FALSE(mountAt(cache.current(), target));
  EXPECT_EQ(cache.generation(), unchanged) << "read again though nothing changed";

  auto mounted = MountedFileSystem::mount("tmpfs", target, "tmpfs", 0, "size=1m");
  ASSERT_TRUE(mounted) << std::strerror(errno);
  const MountEntry* mount = mountAt(cache.current(), target);
  ASSERT_TRUE(mount);
  EXPECT_EQ(mount->fsType, "tmpfs");
  const std::uint64_t afterMount = cache.generation();
  EXPECT_GT(afterMount, unchanged);
  cache.current();
  EXPECT_EQ(cache.generation(), afterMount) << "read again though nothing changed";

  ASSERT_EQ(::mount(nullptr, target.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=1m"), 0) << std::strerror(errno);
  mount = mountAt(cache.current(), target);
  ASSERT_TRUE(mount);
  EXPECT_TRUE(hasOption(mount->options, "ro")) << mount->options;

  mounted->unmount();
  EXPECT_FALSE(mountAt(cache.current(), target));
}

// The desktop mounts a stick from another process while the window is open.
TEST_F(LiveMountTable, MountByAnotherProcessIsSeenByTheNextQuery) {
  LinuxSystemQueries queries({}, 2s);
  const std::string root = target.string();
  const auto listed = [&] {
    const DriveList list = queries.listDrives();
    return std::any_of(list.drives.begin(), list.drives.end(),
                       [&](const DriveEntry& drive) { return drive.rootPath == root; });
  };
  EXPECT_FALSE(listed());
  EXPECT_EQ(queries.driveType(root), kDriveNoRootDir);

  ASSERT_EQ(runCommand({"mount", "-t", "tmpfs", "-o", "size=2m", "vantora", root}).status, 0);
  EXPECT_TRUE(listed());
  EXPECT_EQ(queries.driveType(root), kDriveRamdisk);
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  EXPECT_TRUE(queries.diskFreeSpaceEx(root, freeToCaller, total, totalFree));
  EXPECT_EQ(total, 2u << 20);

  // Another file system on top: the queries answer for it, not the one below.
  ASSERT_EQ(runCommand({"mount", "-t", "ramfs", "vantora", root}).status, 0);
  VolumeNameBuffer label{};
  FileSystemNameBuffer name{};
  std::uint32_t serial = 0, maxComponent = 0, flags = 0;
  ASSERT_TRUE(queries.volumeInformation(root, label, serial, maxComponent, flags, name));
  EXPECT_STREQ(name.data(), "ramfs");

  ASSERT_EQ(runCommand({"umount", "-l", root}).status, 0);
  ASSERT_TRUE(queries.volumeInformation(root, label, serial, maxComponent, flags, name));
  EXPECT_STREQ(name.data(), "tmpfs");
  ASSERT_EQ(runCommand({"umount", "-l", root}).status, 0);
  EXPECT_EQ(queries.driveType(root), kDriveNoRootDir);
  EXPECT_FALSE(listed());
}

// A captured table (tests, a copied mountinfo) cannot report changes, so it
// is read at every use.
TEST(CapturedMountTable, IsReadAtEveryUse) {
  const ScratchDirectory directory;
  const fs::path file = directory.path() / "mountinfo";
  std::ofstream(file) << "21 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
  MountTableCache cache(file);
  EXPECT_EQ(cache.current().size(), 1u);

  std::ofstream(file, std::ios::app) << "22 21 0:40 / /mnt/ram rw - tmpfs tmpfs rw\n";
  ASSERT_EQ(cache.current().size(), 2u);
  EXPECT_EQ(cache.current().back().target, "/mnt/ram");

  fs::remove(file);
  EXPECT_TRUE(cache.current().empty());
  std::ofstream(file) << "21 1 8:2 / / rw - ext4 /dev/sda2 rw\n";
  EXPECT_EQ(cache.current().size(), 1u) << "a table that could not be read is tried again";
}

}  // namespace
}  // namespace vantora::testing
