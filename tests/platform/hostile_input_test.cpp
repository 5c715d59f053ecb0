// Odd names from the system, through the drive list and a whole refresh:
// mount points and labels with control characters, invalid UTF-8 and
// full-length labels, thousands of mounts, and damaged tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <set>

#include "driveinfo/form_model.h"
#include "driveinfo/refresh_drive_info.h"
#include "platform/drive_entry_printer.h"
#include "platform/linux/drive_list_linux.h"
#include "platform/linux/system_queries_linux.h"
#include "platform/made_up_machine.h"

namespace vantora::testing {
namespace {

using namespace std::chrono_literals;
using linux_backend::LinuxSystemQueries;

const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD

std::string repeated(const std::string& text, std::size_t times) {
  std::string out;
  for (std::size_t i = 0; i < times; ++i) out += text;
  return out;
}

// Selects the drive with this root path in the form's list.
void select(Form1Model& form, const std::string& rootPath) {
  const auto& entries = form.Drive1.entries;
  const auto it = std::find_if(entries.begin(), entries.end(),
                               [&](const DriveEntry& entry) { return entry.rootPath == rootPath; });
  ASSERT_NE(it, entries.end()) << "no drive " << rootPath;
  form.Drive1.listIndex = static_cast<std::size_t>(it - entries.begin());
}

struct HostileCase {
  const char* name;
  std::string mountPoint;   // the directory's name, raw bytes
  std::string label;        // as the file system stores it, raw bytes
  std::string shownPoint;   // the name as the list shows it
  std::string shownLabel;   // the label in the list's brackets
  std::string volumeName;   // the label in the window, cut to its buffer
  friend void PrintTo(const HostileCase& c, std::ostream* out) { *out << c.name; }
};

class HostileNames : public ::testing::TestWithParam<HostileCase> {};

TEST_P(HostileNames, AreShownOnOneLineAndTheDriveRefreshes) {
  const HostileCase& c = GetParam();
  MadeUpMachine machine;
  machine.addMount("/", "overlay", "overlay", "0:30");
  const std::string target = machine.makeMountPoint(c.mountPoint);
  machine.addMount(target, "vfat", "/dev/sdb1", machine.addUsbStick('b', "vfat", c.label));
  machine.writeMountTable();
  LinuxSystemQueries queries(machine.root(), 2s);

  Form1Model form;
  form.Drive1.entries = queries.listDrives().drives;
  const std::string prefix = target.substr(0, target.size() - c.mountPoint.size());
  const std::string text = prefix + c.shownPoint + (c.shownLabel.empty() ? "" : " [" + c.shownLabel + "]");
  EXPECT_NE(std::find(form.Drive1.entries.begin(), form.Drive1.entries.end(), DriveEntry{text, target}),
            form.Drive1.entries.end());
  for (const DriveEntry& entry : form.Drive1.entries) {
    EXPECT_EQ(entry.text.find_first_of("\t\n\r"), std::string::npos) << entry.text;
  }

  select(form, target);
  EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Normal);
  EXPECT_EQ(form.lbSyu(0).caption(), "FD/リムーバブル");
  EXPECT_TRUE(form.Image1.visible);
  EXPECT_EQ(form.lbSys(0).caption(), "FAT");
  EXPECT_EQ(form.lbSys(1).caption(), c.volumeName);
  EXPECT_NE(form.Label4.caption(), "----");
}

const std::string kLongInvalid = repeated("\xFF", 255);
// 259 bytes fit the volume name buffer beside its NUL: 86 whole U+FFFD.
const std::string kLongInvalidShown = repeated(kReplacement, 86);

INSTANTIATE_TEST_SUITE_P(
    Names, HostileNames,
    ::testing::Values(
        HostileCase{"plain", "STICK", "PHOTOS", "STICK", "PHOTOS", "PHOTOS"},
        HostileCase{"spaces_and_brackets", "my stick [1]", "MY PHOTOS", "my stick [1]", "MY PHOTOS", "MY PHOTOS"},
        HostileCase{"tab_and_newline", "a\tb\nc", "x\ty\nz", "a" + kReplacement + "b" + kReplacement + "c",
                    "x" + kReplacement + "y" + kReplacement + "z", "x" + kReplacement + "y" + kReplacement + "z"},
        HostileCase{"backslash_and_octal_lookalike", "back\\slash\\040", "a\\b", "back\\slash\\040", "a\\b", "a\\b"},
        HostileCase{"escape_carriage_return_delete", "esc\x1b[31m", "cr\rdel\x7f", "esc" + kReplacement + "[31m",
                    "cr" + kReplacement + "del" + kReplacement, "cr" + kReplacement + "del" + kReplacement},
        HostileCase{"invalid_utf8", "caf\xE9", "bad\xFF\xFE", "caf" + kReplacement, "bad" + kReplacement + kReplacement,
                    "bad" + kReplacement + kReplacement},
        HostileCase{"c1_control", "c1\xC2\x85", "c1\xC2\x9B", "c1" + kReplacement, "c1" + kReplacement,
                    "c1" + kReplacement},
        // "exe.txt" must not show as "txt.exe"; isolates and marks go too.
        HostileCase{"bidi_override", "exe\u202Etxt", "gpj\u202E.exe", "exe" + kReplacement + "txt",
                    "gpj" + kReplacement + ".exe", "gpj" + kReplacement + ".exe"},
        HostileCase{"bidi_isolate_and_mark", "a\u2067b\u200Fc", "\u2066x\u2069", "a" + kReplacement + "b" + kReplacement + "c",
                    kReplacement + "x" + kReplacement, kReplacement + "x" + kReplacement},
        // Line and paragraph separators break a line as a newline does;
        // U+061C reorders like the marks above; U+FEFF hides in a name.
        HostileCase{"line_and_paragraph_separators", "a\u2028b", "p\u2029q", "a" + kReplacement + "b",
                    "p" + kReplacement + "q", "p" + kReplacement + "q"},
        HostileCase{"arabic_letter_mark_and_byte_order_mark", "a\u061Cb", "\uFEFFlabel", "a" + kReplacement + "b",
                    kReplacement + "label", kReplacement + "label"},
        // Joiners and the Mongolian vowel separator belong in real names.
        HostileCase{"joiners_kept", "a\u200Cb", "x\u200Dy\u180Ez", "a\u200Cb", "x\u200Dy\u180Ez",
                    "x\u200Dy\u180Ez"},
        HostileCase{"japanese", "写真", "旅行の写真", "写真", "旅行の写真", "旅行の写真"},
        HostileCase{"label_of_255_bytes", "long", repeated("L", 255), "long", repeated("L", 255), repeated("L", 255)},
        // 85 three-byte characters: 255 bytes, all of them fit.
        HostileCase{"label_of_255_bytes_in_characters", "long", repeated("字", 85), "long", repeated("字", 85),
                    repeated("字", 85)},
        HostileCase{"label_of_255_invalid_bytes", "long", kLongInvalid, "long", repeated(kReplacement, 255),
                    kLongInvalidShown},
        HostileCase{"no_label", "bare", "", "bare", "", ""}),
    [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

// Lists with thousands of entries (containers, build farms) are read whole.
TEST(ThousandsOfMounts, AreListedAndEachRefreshes) {
  constexpr int kMounts = 3000;
  MadeUpMachine machine;
  machine.addMount("/", "overlay", "overlay", "0:30");
  for (int i = 0; i < kMounts; ++i) {
    machine.addMount(machine.mountPointPath("ram " + std::to_string(i)), "tmpfs", "tmpfs",
                     "0:" + std::to_string(1000 + i));
  }
  // Only the drive that is refreshed needs a real directory.
  const std::string last = machine.makeMountPoint("ram " + std::to_string(kMounts - 1));
  machine.writeMountTable();
  LinuxSystemQueries queries(machine.root(), 2s);

  Form1Model form;
  const DriveList list = queries.listDrives();
  EXPECT_EQ(list.drives.size(), std::size_t{kMounts} + 1);
  form.Drive1.entries = list.drives;
  select(form, last);
  EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Normal);
  EXPECT_EQ(form.lbSyu(0).caption(), "RAMDISK");
}

// A table read while mounts come and go can repeat a line, lose its end in
// the middle of a line, or list a mount before its parent.
TEST(DamagedMountTable, GivesEachDriveOnceAndRefreshes) {
  MadeUpMachine machine;
  const std::string stick = machine.makeMountPoint("stick");
  const std::string shm = machine.makeMountPoint("shm");
  const std::string device = machine.addUsbStick('b', "vfat", "PHOTOS");
  machine.addRawLine("101 100 " + device + " / " + stick + " rw - vfat /dev/sdb1 rw");
  machine.addMount("/", "overlay", "overlay", "0:30");
  machine.addRawLine("101 100 " + device + " / " + stick + " rw - vfat /dev/sdb1 rw");
  machine.addRawLine("103 102 0:41 / " + shm + " rw - tmpfs tmpfs rw");
  machine.addRawLine("102 100 0:40 / " + shm + " rw - tmpfs tmpfs rw");
  machine.addRawLine("104 100 0:42 / " + stick + "/cut rw - tmp");
  machine.writeMountTable();
  LinuxSystemQueries queries(machine.root(), 2s);

  const DriveList list = queries.listDrives();
  std::set<std::string> roots;
  for (const DriveEntry& entry : list.drives) {
    EXPECT_TRUE(roots.insert(entry.rootPath).second) << "listed twice: " << entry.rootPath;
  }
  EXPECT_TRUE(roots.contains(stick));
  EXPECT_TRUE(roots.contains(shm));
  EXPECT_LT(list.current, list.drives.size());

  Form1Model form;
  form.Drive1.entries = list.drives;
  for (const std::string& root : {stick, shm}) {
    select(form, root);
    EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Normal) << root;
  }
}

// Mounts come and go while a refresh runs: every answer of one refresh comes
// from the table its first question read, the next refresh reads it afresh.
TEST(MountTableChangingMidRefresh, OneRefreshAnswersFromOneTable) {
  MadeUpMachine machine;
  machine.addMount("/", "overlay", "overlay", "0:30");
  const std::string ram = machine.makeMountPoint("ram");
  machine.writeMountTable();
  LinuxSystemQueries queries(machine.root(), 2s);
  std::uint64_t free = 0, total = 0, totalFree = 0;
  {
    const RefreshScope refresh(queries);
    EXPECT_EQ(queries.driveType(ram), kDriveNoRootDir);
    machine.addMount(ram, "tmpfs", "tmpfs", "0:40");
    machine.writeMountTable();
    EXPECT_FALSE(queries.diskFreeSpaceEx(ram, free, total, totalFree)) << "a capacity from the later table";
    EXPECT_EQ(queries.lastError(), winerror::kErrorPathNotFound);
  }
  const RefreshScope next(queries);
  EXPECT_EQ(queries.driveType(ram), kDriveRamdisk);
  EXPECT_TRUE(queries.diskFreeSpaceEx(ram, free, total, totalFree));
}

// Without udev's record the list takes a label from blkid's cache, but only
// from an entry of the file system now mounted (not an xfs image's that the
// loop device held before).
TEST(StaleBlkidCache, GivesNoLabelToTheListOrTheWindow) {
  for (const std::string cachedType : {"vfat", "xfs"}) {
    const bool current = cachedType == "vfat";
    MadeUpMachine machine;
    machine.addMount("/", "overlay", "overlay", "0:30");
    const std::string stick = machine.makeMountPoint("stick");
    const std::string number = machine.addUsbStick('b', "vfat", "UDEV");
    machine.addMount(stick, "vfat", "/dev/sdb1", number);
    machine.writeMountTable();
    std::filesystem::remove(machine.root().at("/run/udev/data/b" + number));
    std::filesystem::create_directories(machine.root().at("/run/blkid"));
    // Probed in 2100, so after the scratch mount point was made.
    std::ofstream(machine.root().at("/run/blkid/blkid.tab"))
        << "<device DEVNO=\"0x811\" TIME=\"4102444800\" LABEL=\"CACHED\" TYPE=\"" << cachedType
        << "\">/dev/sdb1</device>\n";
    LinuxSystemQueries queries(machine.root(), 2s);

    Form1Model form;
    form.Drive1.entries = queries.listDrives().drives;
    const DriveEntry expected{stick + (current ? " [CACHED]" : ""), stick};
    EXPECT_NE(std::find(form.Drive1.entries.begin(), form.Drive1.entries.end(), expected), form.Drive1.entries.end())
        << cachedType;
    select(form, stick);
    EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Normal);
    EXPECT_EQ(form.lbSys(1).caption(), current ? "CACHED" : "") << cachedType;
  }
}

TEST(DamagedMountTable, EmptyOrMissingGivesNoDrivesAndNoCrash) {
  MadeUpMachine machine;
  LinuxSystemQueries queries(machine.root(), 2s);
  EXPECT_TRUE(queries.listDrives().drives.empty());
  EXPECT_EQ(queries.driveType("/"), kDriveNoRootDir);
  machine.writeMountTable();
  EXPECT_TRUE(queries.listDrives().drives.empty());

  // The window keeps an empty list; a refresh then ends in the failure path.
  Form1Model form;
  EXPECT_EQ(RefreshDriveInfo(form, queries), RefreshEnd::Failure);
  EXPECT_EQ(form.Label4.caption(), "----");
}

}  // namespace
}  // namespace vantora::testing
