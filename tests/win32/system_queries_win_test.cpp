// What the kernel32 backend does beyond the shared conformance suite, on the
// drives of the test prefix (wine_prefix.sh): x: is an empty CD-ROM drive,
// w: one with a disc.

#include "win32/windows_api.h"

#include <gtest/gtest.h>

#include "platform/make_system_queries.h"
#include "win32/wide_text_win.h"

namespace vantora {
namespace {

TEST(SystemQueriesWin, ComputerNameMatchesTheSystemsAndFitsTheBuffer) {
  const auto system = makeSystemQueries();
  ComputerNameBuffer buffer{};
  buffer.fill('\0');
  ASSERT_TRUE(system->computerName(buffer));
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1]{};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  ASSERT_TRUE(GetComputerNameW(name, &size));
  EXPECT_EQ(std::string(buffer.data()), win32::toUtf8(name));
  EXPECT_EQ(system->lastError(), 0u);
}

// The window shows a label on one line: a line separator in it shows as U+FFFD.
TEST(SystemQueriesWin, DiscLabelIsShownOnOneLine) {
  VolumeNameBuffer label{};
  FileSystemNameBuffer fileSystem{};
  std::uint32_t serial = 0, maxComponent = 0, flags = 0;
  ASSERT_TRUE(makeSystemQueries()->volumeInformation("w:\\", label, serial, maxComponent, flags, fileSystem));
  EXPECT_STREQ(label.data(), "VANTORA\xEF\xBF\xBD" "CD");
}

TEST(SystemQueriesWin, SuppressesTheInsertDiskDialogWhileItLives) {
  const UINT before = GetErrorMode();
  SetErrorMode(before & ~SEM_FAILCRITICALERRORS);
  {
    const auto system = makeSystemQueries();
    EXPECT_NE(GetErrorMode() & SEM_FAILCRITICALERRORS, 0u);
  }
  EXPECT_EQ(GetErrorMode() & SEM_FAILCRITICALERRORS, 0u);
  SetErrorMode(before);
}

struct UnreadableDrive {
  const char* name;
  std::string rootPath;
  std::uint32_t type;
  // Wine answers the volume query of an empty CD-ROM drive with a made-up
  // CDFS volume (Windows fails it with ERROR_NOT_READY), so only the free-space
  // query is certain to fail there.
  bool volumeQueryFails;
  friend void PrintTo(const UnreadableDrive& drive, std::ostream* out) { *out << drive.name; }
};

class SystemQueriesWinUnreadable : public ::testing::TestWithParam<UnreadableDrive> {};

TEST_P(SystemQueriesWinUnreadable, FailsLeavingEveryOutputUntouched) {
  const auto system = makeSystemQueries();
  EXPECT_EQ(system->driveType(GetParam().rootPath), GetParam().type);

  std::uint64_t toCaller = 11, total = 22, totalFree = 33;
  EXPECT_FALSE(system->diskFreeSpaceEx(GetParam().rootPath, toCaller, total, totalFree));
  EXPECT_NE(system->lastError(), 0u);
  EXPECT_EQ(toCaller, 11u);
  EXPECT_EQ(total, 22u);
  EXPECT_EQ(totalFree, 33u);
  if (!GetParam().volumeQueryFails) return;

  VolumeNameBuffer volume{};
  volume.fill('v');
  FileSystemNameBuffer fileSystem{};
  fileSystem.fill('f');
  std::uint32_t serial = 1, maxComponent = 2, flags = 3;
  EXPECT_FALSE(system->volumeInformation(GetParam().rootPath, volume, serial, maxComponent, flags, fileSystem));
  EXPECT_NE(system->lastError(), 0u);
  EXPECT_EQ(std::string(volume.begin(), volume.end()), std::string(volume.size(), 'v'));
  EXPECT_EQ(std::string(fileSystem.begin(), fileSystem.end()), std::string(fileSystem.size(), 'f'));
  EXPECT_EQ(serial, 1u);
  EXPECT_EQ(maxComponent, 2u);
  EXPECT_EQ(flags, 3u);
}

INSTANTIATE_TEST_SUITE_P(Drives, SystemQueriesWinUnreadable,
                         ::testing::Values(UnreadableDrive{"EmptyCdRom", "x:\\", DRIVE_CDROM, false},
                                           UnreadableDrive{"EmptyRootPath", "", DRIVE_NO_ROOT_DIR, true}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

}  // namespace
}  // namespace vantora
