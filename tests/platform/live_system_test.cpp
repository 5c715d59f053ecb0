// The backend on the machine the tests run on.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>

#include "platform/linux/mount_table_linux.h"
#include "platform/linux/system_queries_linux.h"
#include "platform/linux/system_text_linux.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;

bool isMountPoint(const std::string& path) {
  return findMountAt(readMountTable("/proc/self/mountinfo"), path) != nullptr;
}

TEST(LiveSystem, RootFileSystemIsFixed) {
  LinuxSystemQueries queries;
  EXPECT_EQ(queries.driveType("/"), kDriveFixed);
}

TEST(LiveSystem, DirectoryThatIsNotAMountPointHasNoRoot) {
  const std::string directory = ::testing::TempDir() + "vantora-not-a-mount";
  ASSERT_EQ(::mkdir(directory.c_str(), 0700) == 0 || errno == EEXIST, true);
  ASSERT_FALSE(isMountPoint(directory));
  LinuxSystemQueries queries;
  EXPECT_EQ(queries.driveType(directory), kDriveNoRootDir);

  std::uint64_t freeToCaller = 1, total = 2, totalFree = 3;
  EXPECT_FALSE(queries.diskFreeSpaceEx(directory, freeToCaller, total, totalFree));
  EXPECT_EQ(queries.lastError(), winerror::kErrorPathNotFound);
  EXPECT_EQ(freeToCaller + total + totalFree, 6u);
  ::rmdir(directory.c_str());
}

TEST(LiveSystem, FreeSpaceMatchesStatvfs) {
  LinuxSystemQueries queries;
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  ASSERT_TRUE(queries.diskFreeSpaceEx("/", freeToCaller, total, totalFree));
  struct statvfs stats {};
  ASSERT_EQ(::statvfs("/", &stats), 0);
  EXPECT_EQ(total, std::uint64_t{stats.f_blocks} * stats.f_frsize);
  EXPECT_EQ(queries.lastError(), 0u);
}

TEST(LiveSystem, ComputerNameIsTheHostName) {
  LinuxSystemQueries queries;
  ComputerNameBuffer buffer{};
  ASSERT_TRUE(queries.computerName(buffer));
  EXPECT_EQ(std::string(buffer.data()), computerNameFromHostName(readHostName()));
}

TEST(LiveSystem, SuccessClearsTheLastError) {
  LinuxSystemQueries queries;
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  EXPECT_FALSE(queries.diskFreeSpaceEx("/nonexistent-vantora", freeToCaller, total, totalFree));
  EXPECT_EQ(queries.lastError(), winerror::kErrorPathNotFound);
  EXPECT_TRUE(queries.diskFreeSpaceEx("/", freeToCaller, total, totalFree));
  EXPECT_EQ(queries.lastError(), 0u);
}

TEST(LiveSystem, WorkingDirectoryDriveIsCurrent) {
  LinuxSystemQueries queries;
  const DriveList list = queries.listDrives();
  ASSERT_LT(list.current, list.drives.size());
  std::array<char, 4096> cwd{};
  ASSERT_NE(::getcwd(cwd.data(), cwd.size()), nullptr);
  EXPECT_TRUE(isPathWithin(cwd.data(), list.drives[list.current].rootPath)) << list.drives[list.current].rootPath;
}

}  // namespace
}  // namespace vantora::testing
