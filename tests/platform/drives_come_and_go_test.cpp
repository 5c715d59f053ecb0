// Drives that go while they are selected and come back, and a mount table
// that changes while it is read, on real mounts in a private namespace.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/mount.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "driveinfo/form_model.h"
#include "driveinfo/refresh_drive_info.h"
#include "platform/linux/system_queries_linux.h"
#include "platform/utf8_text.h"
#include "platform/scratch_volume.h"

namespace vantora::testing {
namespace {

using namespace std::chrono_literals;
using linux_backend::LinuxSystemQueries;
using ::testing::ElementsAre;

void select(Form1Model& form, const std::string& rootPath) {
  const auto& entries = form.Drive1.entries;
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const DriveEntry& entry) { return entry.rootPath == rootPath; });
  ASSERT_NE(it, entries.end()) << "no drive " << rootPath;
  form.Drive1.listIndex = static_cast<std::size_t>(it - entries.begin());
}

// The stick is selected, then pulled (a lazy unmount, as umount -l or the
// desktop does when the device vanishes) before the next refresh.
TEST(PulledDrive, RefreshesAsNoRootDirectoryAndOthersKeepWorking) {
  std::string skipReason;
  auto volume = makeScratchVolume({{"mkfs.ext4", "-q", "-F", "-L", "STICK", "{device}"}, "ext4", "", 0, 64},
                                  skipReason);
  if (!volume) GTEST_SKIP() << skipReason;
  const std::string root = volume->mounted->target().string();
  LinuxSystemQueries queries({}, 2s);
  Form1Model form;
  form.Drive1.entries = queries.listDrives().drives;

  ASSERT_NO_FATAL_FAILURE(select(form, root));
  ASSERT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Normal);
  EXPECT_EQ(form.lbSys(1).caption(), "STICK");

  volume->mounted->unmount();
  for (int refresh = 0; refresh < 2; ++refresh) {
    EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Failure);
    EXPECT_EQ(form.lbSyu(0).caption(), "ルートディレクトリなし");
    EXPECT_TRUE(form.Image5.visible);
    EXPECT_EQ(form.lbAki(2).caption(), "0 (0.MB)");
    EXPECT_EQ(form.lbSys(1).caption(), "");
    EXPECT_THAT(form.List1.items, ElementsAre("(3)属性は取得できません。"));
    EXPECT_EQ(form.Label4.caption(), "----");
    EXPECT_EQ(form.MSChart1, ChartData(0, 1000));
  }

  // The next drive works.
  ASSERT_NO_FATAL_FAILURE(select(form, "/"));
  EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Normal);

  // Plugged in again at the same place, the stale entry works again.
  volume->mounted = MountedFileSystem::mount(volume->loop->node(), root, "ext4", 0, "");
  ASSERT_TRUE(volume->mounted) << std::strerror(errno);
  ASSERT_NO_FATAL_FAILURE(select(form, root));
  EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Normal);
  EXPECT_EQ(form.lbSys(1).caption(), "STICK");
  EXPECT_EQ(form.lbSyu(0).caption(), "ハードディスク");
}

// What stands at a root path is told apart from a file system mounted in its
// place, and from nothing; the table says when to look again.
TEST(DriveIdentity, FollowsWhatIsMountedAtTheRootPath) {
  if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) GTEST_SKIP() << problem;
  const ScratchDirectory directory;
  const std::string root = directory.path().string();
  auto first = MountedFileSystem::mount("tmpfs", directory.path(), "tmpfs", 0, "size=1m");
  ASSERT_TRUE(first) << std::strerror(errno);
  LinuxSystemQueries queries({}, 2s);
  queries.drivesChanged();
  EXPECT_FALSE(queries.drivesChanged()) << "nothing was mounted or unmounted";
  const std::optional<std::string> identity = queries.driveIdentity(root);
  ASSERT_TRUE(identity);
  EXPECT_EQ(queries.driveIdentity(root), identity);

  auto second = MountedFileSystem::mount("tmpfs", directory.path(), "tmpfs", 0, "size=2m");
  ASSERT_TRUE(second) << std::strerror(errno);
  EXPECT_TRUE(queries.drivesChanged());
  EXPECT_FALSE(queries.drivesChanged());
  const std::optional<std::string> onTop = queries.driveIdentity(root);
  ASSERT_TRUE(onTop);
  EXPECT_NE(*onTop, *identity);

  second->unmount();
  first->unmount();
  EXPECT_TRUE(queries.drivesChanged());
  EXPECT_EQ(queries.driveIdentity(root), std::nullopt);
}

// Enough mounts that the kernel hands the table over in several reads, while
// another thread mounts and unmounts: every list must still be well formed.
TEST(ChangingMountTable, ListsStayWellFormedWhileMountsComeAndGo) {
  if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) GTEST_SKIP() << problem;
  const ScratchDirectory directory;
  std::vector<MountedFileSystem> steady;
  for (int i = 0; i < 200; ++i) {
    const std::filesystem::path target = directory.path() / ("steady " + std::to_string(i));
    std::filesystem::create_directories(target);
    auto mounted = MountedFileSystem::mount("tmpfs", target, "tmpfs", 0, "size=1m");
    ASSERT_TRUE(mounted) << std::strerror(errno);
    steady.push_back(std::move(*mounted));
  }
  std::vector<std::filesystem::path> churned;
  for (int i = 0; i < 20; ++i) {
    churned.push_back(directory.path() / ("churn " + std::to_string(i)));
    std::filesystem::create_directories(churned.back());
  }

  // Stopped and joined however the test ends.
  const std::jthread churn([&](std::stop_token stop) {
    for (std::size_t i = 0; !stop.stop_requested(); ++i) {
      const std::string target = churned[i % churned.size()].string();
      if (::mount("tmpfs", target.c_str(), "tmpfs", 0, "size=1m") == 0) ::umount2(target.c_str(), MNT_DETACH);
    }
  });
  LinuxSystemQueries queries({}, 2s);
  for (int round = 0; round < 100; ++round) {
    const DriveList list = queries.listDrives();
    ASSERT_LT(list.current, list.drives.size());
    std::set<std::string> roots;
    for (const DriveEntry& drive : list.drives) {
      EXPECT_TRUE(roots.insert(drive.rootPath).second) << "listed twice: " << drive.rootPath;
      EXPECT_EQ(displayText(drive.text), drive.text) << "not one line of valid text";
    }
    EXPECT_TRUE(std::is_sorted(list.drives.begin(), list.drives.end(),
                               [](const DriveEntry& a, const DriveEntry& b) { return a.rootPath < b.rootPath; }));
  }
}

}  // namespace
}  // namespace vantora::testing
