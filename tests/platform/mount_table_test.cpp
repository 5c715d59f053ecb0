// Reading mountinfo through libmount, and which mounts can be reached.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#include "platform/fixture_root.h"
#include "platform/linux/mount_table_linux.h"

namespace vantora::testing {
namespace {

using namespace linux_backend;

std::vector<MountEntry> desktopTable() { return readMountTable(desktopFixture().at("/proc/self/mountinfo")); }

const MountEntry& entryWithId(const std::vector<MountEntry>& table, int id) {
  const auto it = std::find_if(table.begin(), table.end(), [&](const MountEntry& e) { return e.id == id; });
  if (it == table.end()) throw std::runtime_error("no mount " + std::to_string(id));
  return *it;
}

TEST(MountTable, SkipsTheMalformedLineAndKeepsTheRest) {
  const auto table = desktopTable();
  EXPECT_EQ(table.size(), 32u);
  EXPECT_EQ(table.back().target, "/mnt/ram");
}

TEST(MountTable, UndoesTheKernelEscapesInMountPoints) {
  const auto table = desktopTable();
  EXPECT_EQ(entryWithId(table, 35).target, "/media/user/USB STICK");
  EXPECT_EQ(entryWithId(table, 36).target, "/mnt/tab\tdir");
  EXPECT_EQ(entryWithId(table, 37).target, "/mnt/back\\slash");
  EXPECT_EQ(entryWithId(table, 38).target, "/mnt/new\nline");
}

TEST(MountTable, ReadsEveryField) {
  const auto table = desktopTable();
  const MountEntry& home = entryWithId(table, 33);
  EXPECT_EQ(home.parentId, 21);
  EXPECT_EQ(home.source, "/dev/sda3");
  EXPECT_EQ(home.fsType, "btrfs");
  EXPECT_EQ(home.fsRoot, "/@home");
  EXPECT_EQ(optionValue(home.options, "subvol"), "/@home");
  EXPECT_EQ(optionValue(home.options, "compress"), "zstd:3");
  EXPECT_EQ(home.major, 0u);
  EXPECT_EQ(home.minor, 35u);

  const MountEntry& stick = entryWithId(table, 35);
  EXPECT_EQ(stick.major, 8u);
  EXPECT_EQ(stick.minor, 17u);
  EXPECT_TRUE(hasOption(stick.options, "nosuid"));
  EXPECT_TRUE(hasOption(stick.options, "uid"));
  EXPECT_FALSE(hasOption(stick.options, "ui"));
}

// An SELinux context is quoted and may hold commas; what follows one inside
// the quotes is not an option of the mount.
TEST(MountTable, OptionsInsideAQuotedValueAreNotOptions) {
  const std::string options = "rw,context=\"system_u:object_r:tmp_t:s0:c1,usrquota,c2\",relatime";
  EXPECT_FALSE(hasOption(options, "usrquota"));
  EXPECT_TRUE(hasOption(options, "relatime"));
  EXPECT_EQ(optionValue(options, "context"), "\"system_u:object_r:tmp_t:s0:c1,usrquota,c2\"");
}

TEST(MountTable, AsksLibmountWhichTypesAreNetworkOrPseudo) {
  const auto table = desktopTable();
  EXPECT_TRUE(entryWithId(table, 39).networkFs);   // nfs4
  EXPECT_TRUE(entryWithId(table, 40).networkFs);   // cifs
  EXPECT_TRUE(entryWithId(table, 22).pseudoFs);    // proc
  EXPECT_TRUE(entryWithId(table, 30).pseudoFs);    // cgroup2
  EXPECT_FALSE(entryWithId(table, 21).pseudoFs);   // ext4
  EXPECT_FALSE(entryWithId(table, 21).networkFs);
}

TEST(MountTable, UnreadableFileGivesAnEmptyTable) {
  EXPECT_TRUE(readMountTable("/nonexistent/mountinfo").empty());
}

TEST(MountTable, OverlongLineDoesNotBreakTheRest) {
  const auto table = parseMountTable("21 1 8:2 / / rw - ext4 /dev/sda2 rw\n22 21 0:40 / /mnt/" +
                                     std::string(20000, 'x') + " rw - tmpfs tmpfs rw\n"
                                     "23 21 0:41 / /mnt/after rw - tmpfs tmpfs rw\n");
  ASSERT_FALSE(table.empty());
  EXPECT_EQ(table.front().target, "/");
  EXPECT_EQ(table.back().target, "/mnt/after");
}

// A long table read while it changed: every whole line comes out, in order,
// whichever lines between them are damaged (odd ones, then even ones).
TEST(MountTable, LongTableKeepsEveryLineInOrder) {
  for (int damagedParity : {0, 1}) {
    std::string text = "1 0 8:2 / / rw - ext4 /dev/sda2 rw\n";
    std::vector<std::string> expected = {"/"};
    for (int id = 2; id <= 10000; ++id) {
      if (id % 2 == damagedParity) {
        text += "damaged line " + std::to_string(id) + "\n";
        continue;
      }
      const std::string target = "/mnt/m" + std::to_string(id);
      text += std::to_string(id) + " 1 0:" + std::to_string(id) + " / " + target + " rw - tmpfs tmpfs rw\n";
      expected.push_back(target);
    }
    std::vector<std::string> targets;
    for (const MountEntry& entry : parseMountTable(text)) targets.push_back(entry.target);
    EXPECT_EQ(targets, expected) << "damaged lines at parity " << damagedParity;
  }
}

struct TextCase {
  const char* name;
  std::string text;
  std::vector<std::string> targets;
  friend void PrintTo(const TextCase& c, std::ostream* out) { *out << c.name; }
};

class MountTableText : public ::testing::TestWithParam<TextCase> {};

TEST_P(MountTableText, GivesTheMountsItCanRead) {
  std::vector<std::string> targets;
  for (const MountEntry& entry : parseMountTable(GetParam().text)) targets.push_back(entry.target);
  EXPECT_EQ(targets, GetParam().targets);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MountTableText,
    ::testing::Values(
        TextCase{"empty", "", {}},
        TextCase{"nul_bytes", std::string(16, '\0'), {}},
        TextCase{"not_a_table", "hello\nworld\n", {}},
        TextCase{"last_line_without_newline", "21 1 8:2 / / rw - ext4 /dev/sda2 rw\n22 21 0:40 / /tmp rw - tmpfs t rw",
                 {"/", "/tmp"}},
        TextCase{"line_cut_before_its_type", "21 1 8:2 / / rw - ext4 /dev/sda2 rw\n22 21 0:40 / /mnt/cut rw",
                 {"/"}},
        TextCase{"line_cut_in_its_mount_point", "21 1 8:2 / / rw - ext4 /dev/sda2 rw\n22 21 0:40 / /mnt/cu",
                 {"/"}},
        TextCase{"relative_mount_point", "21 1 8:2 / / rw - ext4 /dev/sda2 rw\n22 21 0:40 / mnt rw - tmpfs t rw\n",
                 {"/"}},
        TextCase{"repeated_line",
                 "21 1 8:2 / / rw - ext4 /dev/sda2 rw\n22 21 0:40 / /tmp rw - tmpfs t rw\n"
                 "22 21 0:40 / /tmp rw - tmpfs t rw\n",
                 {"/", "/tmp", "/tmp"}}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST(MountTable, FindsTheLastMountAtAPath) {
  const auto table = desktopTable();
  const MountEntry* over = findMountAt(table, "/mnt/over");
  ASSERT_NE(over, nullptr);
  EXPECT_EQ(over->fsType, "tmpfs");
  EXPECT_EQ(findMountAt(table, "/mnt/over//"), over);
  EXPECT_EQ(findMountAt(table, "/mnt"), nullptr);
  EXPECT_NE(findMountAt(table, "/"), nullptr);
}

TEST(MountTable, MountPointWithATrailingSlashIsFound) {
  MountEntry entry;
  entry.target = "/mnt/odd/";
  const std::vector<MountEntry> table{entry};
  EXPECT_EQ(findMountAt(table, "/mnt/odd"), &table.front());
  EXPECT_EQ(findMountAt(table, "/mnt/odd//"), &table.front());
}

struct WithinCase {
  const char* path;
  const char* dir;
  bool within;
  friend void PrintTo(const WithinCase& c, std::ostream* out) { *out << c.path << " in " << c.dir; }
};

class PathWithin : public ::testing::TestWithParam<WithinCase> {};

TEST_P(PathWithin, ComparesWholeComponents) {
  EXPECT_EQ(isPathWithin(GetParam().path, GetParam().dir), GetParam().within)
      << GetParam().path << " in " << GetParam().dir;
}

INSTANTIATE_TEST_SUITE_P(Cases, PathWithin,
                         ::testing::Values(WithinCase{"/mnt/a", "/mnt", true}, WithinCase{"/mnt", "/mnt", true},
                                           WithinCase{"/mntx", "/mnt", false}, WithinCase{"/mnt/a", "/mnt/", true},
                                           WithinCase{"/anything", "/", true}, WithinCase{"/", "/", true},
                                           WithinCase{"relative", "/", false}, WithinCase{"/mn", "/mnt", false}));

MountEntry mountOf(int id, int parentId, std::string target) {
  MountEntry entry;
  entry.id = id;
  entry.parentId = parentId;
  entry.target = std::move(target);
  return entry;
}

std::vector<int> reachableIds(const std::vector<MountEntry>& table) {
  std::vector<int> ids;
  for (const MountEntry& entry : reachableMounts(table)) ids.push_back(entry.id);
  return ids;
}

TEST(ReachableMounts, LaterMountOnTheSamePlaceCoversTheEarlier) {
  EXPECT_EQ(reachableIds({mountOf(1, 0, "/"), mountOf(2, 1, "/mnt"), mountOf(3, 1, "/mnt")}),
            (std::vector<int>{1, 3}));
}

TEST(ReachableMounts, MountStackedOnItselfKeepsOnlyTheTop) {
  // /dev/shm mounted on /dev/shm, as in the container this runs in.
  EXPECT_EQ(reachableIds({mountOf(1, 0, "/"), mountOf(2, 1, "/dev/shm"), mountOf(3, 2, "/dev/shm")}),
            (std::vector<int>{1, 3}));
}

TEST(ReachableMounts, MountOverAParentHidesTheChildren) {
  EXPECT_EQ(reachableIds({mountOf(1, 0, "/"), mountOf(2, 1, "/mnt/a"), mountOf(3, 1, "/mnt")}),
            (std::vector<int>{1, 3}));
}

TEST(ReachableMounts, ChildrenListedBeforeTheirParentStay) {
  EXPECT_EQ(reachableIds({mountOf(2, 1, "/proc"), mountOf(3, 1, "/dev"), mountOf(1, 0, "/")}),
            (std::vector<int>{2, 3, 1}));
}

TEST(ReachableMounts, ParentCycleEndsTheWalk) {
  // A damaged table where 4 and 5 are each other's parent.
  EXPECT_EQ(reachableIds({mountOf(2, 4, "/a/b"), mountOf(4, 5, "/x"), mountOf(5, 4, "/y"), mountOf(3, 1, "/a")}),
            (std::vector<int>{4, 5, 3}));
}

}  // namespace
}  // namespace vantora::testing
