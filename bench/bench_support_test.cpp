// The measuring tools checked before they measure: scripts/bench runs these
// first and stops when one fails.

#include <gtest/gtest.h>
#include <stdlib.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench_table.h"
#include "marking_child.h"
#include "mount_table_fixture.h"
#include "platform/linux/drive_list_linux.h"
#include "platform/linux/mount_table_linux.h"
#include "private_xvfb.h"
#include "refresh_floor.h"
#include "scratch_mounts.h"
#include "startup_path.h"
#include "startup_run.h"
#include "window_manager.h"

namespace vantora::bench {
namespace {

namespace fs = std::filesystem;

class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "vantora-bench-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& path() const { return path_; }

  // An executable shell script with this body.
  fs::path script(const std::string& name, const std::string& body) const {
    const fs::path file = path_ / name;
    std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(file, fs::perms::owner_all);
    return file;
  }

 private:
  fs::path path_;
};

struct MedianCase {
  std::vector<double> samples;
  double expected;
};

TEST(Median, OfOddEvenAndNoSamples) {
  const MedianCase cases[] = {{{}, 0}, {{3}, 3}, {{5, 1, 3}, 3}, {{4, 1, 3, 2}, 2.5}, {{9, 9, 1, 1}, 5}};
  for (const MedianCase& c : cases) EXPECT_DOUBLE_EQ(median(c.samples), c.expected) << ::testing::PrintToString(c.samples);
}

TEST(MadeUpMountTable, HasOneParsableLinePerMount) {
  for (std::size_t entries : {1u, 10u, 1000u}) {
    const auto table = linux_backend::parseMountTable(madeUpMountTable(entries));
    ASSERT_EQ(table.size(), entries);
    EXPECT_EQ(table.front().target, "/");
    std::vector<std::string> targets;
    for (const auto& mount : table) targets.push_back(mount.target);
    std::sort(targets.begin(), targets.end());
    EXPECT_EQ(std::adjacent_find(targets.begin(), targets.end()), targets.end()) << "a mount point twice";
  }
}

// The mix must exercise both sides of the list's filter, or the benchmark
// would time only one of them.
TEST(MadeUpMountTable, ShowsStorageAndHidesTheSystemsOwnMounts) {
  const linux_backend::HostRoot desktop{VANTORA_DESKTOP_FIXTURE};
  const auto list = linux_backend::buildDriveList(desktop, linux_backend::parseMountTable(madeUpMountTable(20)), "/");
  const auto listed = [&](const std::string& rootPath) {
    return std::any_of(list.drives.begin(), list.drives.end(),
                       [&](const DriveEntry& entry) { return entry.rootPath == rootPath; });
  };
  for (const char* shown : {"/", "/mnt/ram10", "/mnt/nas3", "/media/user/USB7", "/mnt/remote9"}) {
    EXPECT_TRUE(listed(shown)) << shown;
  }
  for (const char* hidden : {"/run/user/1", "/var/lib/kubelet/pods/2", "/var/lib/docker/overlay2/4/merged",
                             "/run/netns/ns5", "/snap/app6/1", "/sys/fs/cgroup/unit8"}) {
    EXPECT_FALSE(listed(hidden)) << hidden;
  }
}

TEST(RefreshFloor, AnswersForMountedDrivesOnly) {
  EXPECT_TRUE(makeRefreshSystemCalls("/"));
  EXPECT_FALSE(makeRefreshSystemCalls("/no/such/mount/point"));
}

TEST(RefreshFloor, CountsTheLinesOfATable) {
  const ScratchDirectory scratch;
  EXPECT_EQ(readAndSplitMountTable(writeMadeUpMountTable(scratch.path(), 37)), 37u);
  EXPECT_EQ(readAndSplitMountTable((scratch.path() / "missing").string()), 0u);
}

TEST(StartupRun, TakesTheMarkAndThePeakMemory) {
  const ScratchDirectory scratch;
  // /proc/uptime is the boot clock the mark is written in.
  const fs::path program = scratch.script(
      "marks", "read up idle < /proc/uptime; echo \"starting\" >&2; echo \"first-frame 1.0 at $up\" >&2; exec sleep 30");
  std::string problem;
  const auto sample = measureStartup({program}, {}, problem);
  ASSERT_TRUE(sample) << problem;
  EXPECT_LT(std::abs(sample->firstFrameMs), 5000);
  EXPECT_GT(sample->peakRssMiB, 0);
}

// Wine and the program write other lines around the mark; a mark cut short by
// the pipe is not yet a mark.
TEST(MarkingChild, FindsTheMarkLineAmongOthers) {
  struct Case {
    std::string output;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {"first-frame 80.1 at 123.456\n", 123.456},
      {"first-frame\n", 9.5},
      {"wine: Read access denied for device\nfirst-frame\n", 9.5},
      {"Qt: noise\nfirst-frame 80.1 at 1.5\nlater\n", 1.5},
      {"first-frame 80.1 at 123.4", std::nullopt},
      {"first-frame", std::nullopt},
      {"no first-frame here\n", std::nullopt},
      {"first-frames\n", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(markTime(c.output, 9.5), c.expected) << c.output;
}

// Wine's programs mark with no clock of their own: the mark's arrival is the time.
TEST(StartupRun, PairsTheProgramWithItsFloorRoundByRound) {
  const ScratchDirectory scratch;
  const fs::path program = scratch.script("program", "echo first-frame >&2; exec sleep 30");
  const fs::path floor = scratch.script("floor", "echo \"first-frame 1.0 at $(cut -d' ' -f1 /proc/uptime)\" >&2; exec sleep 30");
  const PairedStartups pair = measurePairedStartups({program}, {floor}, {}, 3);
  ASSERT_EQ(pair.problem, "");
  EXPECT_EQ(pair.program.firstFrameMs.size(), 3u);
  EXPECT_EQ(pair.floor.firstFrameMs.size(), 3u);
  EXPECT_EQ(pair.floor.peakRssMiB.size(), 3u);
  for (double ms : pair.program.firstFrameMs) EXPECT_GT(ms, 0) << "a bare mark is timed when it arrives, after exec";
}

TEST(StartupRun, AFloorThatFailsLeavesTheRowsUnmeasured) {
  const ScratchDirectory scratch;
  const fs::path program = scratch.script("program", "echo first-frame >&2; exec sleep 30");
  const fs::path floor = scratch.script("floor", "echo \"no display\" >&2; exit 1");
  const PairedStartups pair = measurePairedStartups({program}, {floor}, {}, 3);
  EXPECT_NE(pair.problem.find("no display"), std::string::npos) << pair.problem;
  const auto rows = startupRows("start-up", "peak RSS", pair);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_FALSE(rows[0].value);
  EXPECT_NE(rows[0].note.find("not measured"), std::string::npos);
}

TEST(StartupRun, RowsHoldTheMediansToATenthOverTheFloor) {
  struct Case {
    std::vector<double> program, floor;
    bool met;
  };
  const Case cases[] = {
      {{100, 111, 500}, {100, 100, 100}, false},  // median 111 against 100: over
      {{110, 100, 110}, {100, 99, 200}, true},    // median 110 against 100: the bar itself
      {{90, 90, 90}, {100, 100, 100}, true},      // below the floor
  };
  for (const Case& c : cases) {
    PairedStartups pair;
    pair.program = {c.program, {30, 30, 30}};
    pair.floor = {c.floor, {30, 30, 30}};
    const auto rows = startupRows("start-up", "peak RSS", pair);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].figure, "start-up: exec to first frame");
    EXPECT_EQ(rows[0].met, c.met) << ::testing::PrintToString(c.program) << " vs " << ::testing::PrintToString(c.floor);
    EXPECT_EQ(rows[1].figure, "start-up: peak RSS");
    EXPECT_EQ(rows[1].met, true);
  }
}

TEST(StartupRun, AProgramThatEndsUnmarkedIsReportedWithWhatItSaid) {
  const ScratchDirectory scratch;
  const fs::path program = scratch.script("silent", "echo \"cannot open display\" >&2; exit 1");
  std::string problem;
  EXPECT_FALSE(measureStartup({program}, {}, problem));
  EXPECT_NE(problem.find("cannot open display"), std::string::npos) << problem;
}

TEST(StartupPath, CountsWhatHappensBeforeTheMarkOnly) {
  const std::string log =
      "100 openat(AT_FDCWD, \"/proc/self/mountinfo\", O_RDONLY) = 4\n"
      "101 openat(AT_FDCWD, \"/proc/self/mountinfo\", O_RDONLY <unfinished ...>\n"
      "101 <... openat resumed>) = 5\n"
      "100 openat(AT_FDCWD, \"/usr/share/fonts/a/IPAGothic.TTF\", O_RDONLY) = 6\n"
      "100 openat(AT_FDCWD, \"/usr/share/fonts/a/IPAGothic.TTF\", O_RDONLY) = 6\n"
      "100 openat(AT_FDCWD, \"/usr/share/fonts/b/other.otf\", O_RDONLY) = 6\n"
      "100 openat(AT_FDCWD, \"/dev/null\", O_RDONLY) = 7\n"
      "100 write(2, \"first-frame 80.1 at 123.456\"..., 28) = 28\n"
      "100 openat(AT_FDCWD, \"/proc/self/mountinfo\", O_RDONLY) = 4\n"
      "100 openat(AT_FDCWD, \"/usr/share/fonts/b/other.otf\", O_RDONLY) = 6\n";
  const StartupPath path = startupPathOf(log);
  EXPECT_EQ(path.mountTableReads, 2);
  EXPECT_EQ(path.fontFilesOpenedAgain, 1);
  EXPECT_EQ(path.blockDevicesOpened, 0) << "a character device is no drive";
}

TEST(StartupPath, CountsEachBlockDeviceOnce) {
  std::string device;
  std::error_code error;
  for (fs::directory_iterator it("/dev", error), end; !error && it != end && device.empty(); it.increment(error)) {
    struct stat info {};
    if (::stat(it->path().c_str(), &info) == 0 && S_ISBLK(info.st_mode)) device = it->path().string();
  }
  if (device.empty()) GTEST_SKIP() << "this machine shows no block device in /dev";
  const std::string open = "1 openat(AT_FDCWD, \"" + device + "\", O_RDONLY|O_NONBLOCK) = -1 EPERM\n";
  EXPECT_EQ(startupPathOf(open + open).blockDevicesOpened, 1);
}

// The loop device behind a mount point, from the mount table.
std::string sourceOf(const std::string& mountPoint) {
  for (const auto& mount : linux_backend::readMountTable("/proc/self/mountinfo")) {
    if (mount.target == mountPoint) return mount.source;
  }
  return {};
}

TEST(ScratchMounts, MakesALabelledExt4AndATmpfsAndTakesThemAway) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to mount in a private namespace";
  std::string loop;
  std::string directory;
  {
    const ScratchMounts mounts;
    ASSERT_TRUE(mounts.tmpfs()) << mounts.tmpfsProblem();
    ASSERT_TRUE(mounts.ext4()) << mounts.ext4Problem();
    struct statfs info {};
    ASSERT_EQ(::statfs(mounts.tmpfs()->c_str(), &info), 0);
    EXPECT_EQ(info.f_type, 0x01021994) << "tmpfs";
    const int root = ::open(mounts.ext4()->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ASSERT_GE(root, 0);
    char label[FSLABEL_MAX + 1] = {};
    EXPECT_EQ(::ioctl(root, FS_IOC_GETFSLABEL, label), 0);
    ::close(root);
    EXPECT_STREQ(label, ScratchMounts::kExt4Label);
    loop = sourceOf(*mounts.ext4());
    directory = fs::path(*mounts.ext4()).parent_path();
  }
  ASSERT_TRUE(loop.starts_with("/dev/loop")) << loop;
  EXPECT_FALSE(fs::exists("/sys/block/" + fs::path(loop).filename().string() + "/loop/backing_file"))
      << loop << " is still attached";
  EXPECT_FALSE(fs::exists(directory));
}

TEST(PrivateXvfb, ListensWhileItLivesAndGoesWithTheObject) {
  std::string problem;
  std::string socket;
  {
    const auto server = PrivateXvfb::start(problem);
    if (!server) GTEST_SKIP() << problem;
    ASSERT_TRUE(server->display().starts_with(":")) << server->display();
    socket = "/tmp/.X11-unix/X" + server->display().substr(1);
    EXPECT_TRUE(fs::exists(socket));
  }
  EXPECT_FALSE(fs::exists(socket)) << "the server outlived its object";
}

// The managed rows mean something only if the manager is really up when the first program starts.
TEST(WindowManager, ManagesTheScreenOnceStartedAndLeavesWithTheObject) {
  std::string problem;
  const auto server = PrivateXvfb::start(problem);
  if (!server) GTEST_SKIP() << problem;
  EXPECT_FALSE(windowManagerRuns(server->display())) << "a bare server";
  {
    const auto manager = WindowManager::start(server->display(), problem);
    ASSERT_TRUE(manager) << problem;
    EXPECT_TRUE(windowManagerRuns(server->display()));
  }
  EXPECT_FALSE(windowManagerRuns(server->display())) << "the manager outlived its object";
}

TEST(Table, PrintsRatioAndVerdict) {
  ::testing::internal::CaptureStdout();
  printTable({{"met figure", 2, 1, "ms", "ratio <= 2.50", true, ""},
              {"missed figure", 30, 10, "µs", "ratio <= 1.30", false, ""},
              {"skipped figure", std::nullopt, std::nullopt, "", "", std::nullopt, "not measured: needs root"},
              {"count figure", 2, 0, "reads", "<= 1", false, ""}},
             false);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_NE(printed.find("2 ms"), std::string::npos) << printed;
  EXPECT_NE(printed.find("2.00"), std::string::npos) << printed;
  EXPECT_NE(printed.find("met"), std::string::npos) << printed;
  EXPECT_NE(printed.find("3.00"), std::string::npos) << printed;
  EXPECT_NE(printed.find("MISSED"), std::string::npos) << printed;
  EXPECT_NE(printed.find("not measured: needs root"), std::string::npos) << printed;
  EXPECT_NE(printed.find("0 reads"), std::string::npos) << "a floor of 0 is a measured floor\n" << printed;
  EXPECT_EQ(printed.find("figure  "), printed.find("met figure") + 4) << "no header when asked for bare rows";
}

TEST(Table, TakesTheRowsOnlyFlagOutOfTheArguments) {
  std::string program = "bench", flag = "--rows-only", other = "--rounds";
  char* argv[] = {program.data(), flag.data(), other.data(), nullptr};
  int argc = 3;
  EXPECT_TRUE(takeRowsOnlyFlag(argc, argv));
  EXPECT_EQ(argc, 2);
  EXPECT_STREQ(argv[1], "--rounds");
  EXPECT_EQ(argv[2], nullptr);
  EXPECT_FALSE(takeRowsOnlyFlag(argc, argv));
}

}  // namespace
}  // namespace vantora::bench
