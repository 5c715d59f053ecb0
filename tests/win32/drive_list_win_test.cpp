#include "platform/win32/drive_list_win.h"

#include <cwctype>

#include "platform/make_system_queries.h"
#include "win32/windows_api.h"

#include <gtest/gtest.h>

namespace vantora::win32 {
namespace {

TEST(DriveListWin, EntryTextAndRootPath) {
  struct Case {
    char letter;
    std::string_view detail;
    DriveEntry expected;
  };
  for (const Case& c : {
           Case{'a', "", {"a:", "a:\\"}},
           Case{'c', "SYSTEM", {"c: [SYSTEM]", "c:\\"}},
           Case{'d', "写真", {"d: [写真]", "d:\\"}},
           Case{'x', "\\\\server\\share", {"x: [\\\\server\\share]", "x:\\"}},
       }) {
    EXPECT_EQ(makeDriveEntry(c.letter, c.detail), c.expected);
  }
}

TEST(DriveListWin, FindsTheDriveOfAPathWhateverTheCase) {
  const std::vector<DriveEntry> drives{makeDriveEntry('c', "SYSTEM"), makeDriveEntry('d', ""),
                                       makeDriveEntry('z', "")};
  EXPECT_EQ(findDriveOf(drives, L"C:\\Users\\me"), 0u);
  EXPECT_EQ(findDriveOf(drives, L"d:\\"), 1u);
  EXPECT_EQ(findDriveOf(drives, L"Z:"), 2u);
  EXPECT_EQ(findDriveOf(drives, L"E:\\"), std::nullopt);
  EXPECT_EQ(findDriveOf(drives, L"\\\\server\\share\\dir"), std::nullopt);
  EXPECT_EQ(findDriveOf(drives, L""), std::nullopt);
}

TEST(DriveListWin, LiveListHasLowerCaseLettersAndSelectsTheWorkingDirectory) {
  const DriveList list = listLogicalDrives();
  ASSERT_FALSE(list.drives.empty());
  ASSERT_LT(list.current, list.drives.size());
  for (const DriveEntry& drive : list.drives) {
    ASSERT_GE(drive.text.size(), 2u);
    EXPECT_TRUE(drive.text[0] >= 'a' && drive.text[0] <= 'z') << drive.text;
    EXPECT_EQ(drive.rootPath, drive.text.substr(0, 2) + "\\");
  }
  wchar_t directory[MAX_PATH]{};
  ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, directory), 0u);
  EXPECT_EQ(list.drives[list.current].rootPath[0], static_cast<char>(towlower(directory[0])));
}

TEST(DriveListWin, EmptyOpticalDriveIsListedWithoutALabel) {
  const DriveList list = listLogicalDrives();
  const auto drive = findDriveOf(list.drives, L"x:");
  ASSERT_TRUE(drive) << "the test prefix declares x: a CD-ROM drive";
  EXPECT_EQ(list.drives[*drive].text, "x:");
}

// Opening the list must not spin up a disc: an optical drive is listed by its
// letter alone, as a removable one is, while a refresh of it still reads the
// disc.
TEST(DriveListWin, OpticalDriveWithADiscIsListedWithoutAskingTheDisc) {
  const DriveList list = listLogicalDrives();
  const auto drive = findDriveOf(list.drives, L"w:");
  ASSERT_TRUE(drive) << "the test prefix declares w: a CD-ROM drive with a disc";
  EXPECT_EQ(list.drives[*drive].text, "w:");

  VolumeNameBuffer label{};
  FileSystemNameBuffer fileSystem{};
  std::uint32_t serial = 0, maxComponent = 0, flags = 0;
  EXPECT_TRUE(makeSystemQueries()->volumeInformation("w:\\", label, serial, maxComponent, flags, fileSystem));
  EXPECT_STRNE(label.data(), "");
}

}  // namespace
}  // namespace vantora::win32
