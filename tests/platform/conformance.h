#pragma once
// What every SystemQueries backend must do, whatever the system. A backend
// instantiates the suite with a traits type:
//
//   struct MyBackend {
//     static std::unique_ptr<vantora::SystemQueries> make();
//     static std::string existingRoot();  // a root path that surely holds a volume
//     static std::string missingRoot();   // a root path that names nothing
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Mine, SystemQueriesConformance, MyBackend);

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "platform/system_queries.h"

namespace vantora::testing {

// A strict UTF-8 check, kept here so the suite needs nothing of a backend.
inline bool isValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3
                                                 : (lead & 0xF8) == 0xF0 ? 4 : 0;
    if (length == 0 || i + length > text.size()) return false;
    std::uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + k]);
      if ((byte & 0xC0) != 0x80) return false;
      codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
      return false;
    }
    i += length;
  }
  return true;
}

// The text before the buffer's NUL; fails the test when there is no NUL.
template <std::size_t N>
std::string terminatedText(const std::array<char, N>& buffer) {
  const auto nul = std::find(buffer.begin(), buffer.end(), '\0');
  EXPECT_NE(nul, buffer.end()) << "no NUL inside the buffer";
  return std::string(buffer.begin(), nul);
}

template <typename Backend>
class SystemQueriesConformance : public ::testing::Test {
 protected:
  std::unique_ptr<SystemQueries> queries = Backend::make();
};

TYPED_TEST_SUITE_P(SystemQueriesConformance);

TYPED_TEST_P(SystemQueriesConformance, ComputerNameIsShortValidAndTerminated) {
  ComputerNameBuffer buffer;
  buffer.fill('#');
  ASSERT_TRUE(this->queries->computerName(buffer));
  const std::string name = terminatedText(buffer);
  const auto characters = std::count_if(name.begin(), name.end(), [](char byte) { return (byte & 0xC0) != 0x80; });
  EXPECT_LE(characters, 15);
  EXPECT_LE(name.size(), 45u);
  EXPECT_TRUE(isValidUtf8(name)) << name;
}

TYPED_TEST_P(SystemQueriesConformance, MissingRootHasNoRootDirectory) {
  EXPECT_EQ(this->queries->driveType(TypeParam::missingRoot()), kDriveNoRootDir);
}

TYPED_TEST_P(SystemQueriesConformance, ExistingRootHasAVolumeType) {
  const std::uint32_t type = this->queries->driveType(TypeParam::existingRoot());
  EXPECT_LE(type, kDriveRamdisk);
  EXPECT_NE(type, kDriveNoRootDir);
}

TYPED_TEST_P(SystemQueriesConformance, FreeSpaceOfMissingRootFailsAndLeavesOutputs) {
  std::uint64_t freeToCaller = 11, total = 22, totalFree = 33;
  EXPECT_FALSE(this->queries->diskFreeSpaceEx(TypeParam::missingRoot(), freeToCaller, total, totalFree));
  EXPECT_EQ(this->queries->lastError(), winerror::kErrorPathNotFound);
  EXPECT_EQ(freeToCaller, 11u);
  EXPECT_EQ(total, 22u);
  EXPECT_EQ(totalFree, 33u);
}

TYPED_TEST_P(SystemQueriesConformance, VolumeInformationOfMissingRootFailsAndLeavesOutputs) {
  VolumeNameBuffer volumeName;
  volumeName.fill('v');
  FileSystemNameBuffer fileSystemName;
  fileSystemName.fill('f');
  std::uint32_t serial = 1, maxComponent = 2, flags = 3;
  EXPECT_FALSE(this->queries->volumeInformation(TypeParam::missingRoot(), volumeName, serial, maxComponent, flags,
                                                fileSystemName));
  EXPECT_EQ(this->queries->lastError(), winerror::kErrorPathNotFound);
  EXPECT_TRUE(std::all_of(volumeName.begin(), volumeName.end(), [](char c) { return c == 'v'; }));
  EXPECT_TRUE(std::all_of(fileSystemName.begin(), fileSystemName.end(), [](char c) { return c == 'f'; }));
  EXPECT_EQ(serial, 1u);
  EXPECT_EQ(maxComponent, 2u);
  EXPECT_EQ(flags, 3u);
}

TYPED_TEST_P(SystemQueriesConformance, FreeSpaceOfExistingRootIsConsistent) {
  std::uint64_t freeToCaller = 0, total = 0, totalFree = 0;
  ASSERT_TRUE(this->queries->diskFreeSpaceEx(TypeParam::existingRoot(), freeToCaller, total, totalFree));
  EXPECT_GT(total, 0u);
  EXPECT_LE(totalFree, total);
  EXPECT_LE(freeToCaller, totalFree);
}

TYPED_TEST_P(SystemQueriesConformance, VolumeInformationOfExistingRootNamesTheFileSystem) {
  VolumeNameBuffer volumeName;
  volumeName.fill('v');
  FileSystemNameBuffer fileSystemName;
  fileSystemName.fill('f');
  std::uint32_t serial = 0, maxComponent = 0, flags = 0;
  ASSERT_TRUE(this->queries->volumeInformation(TypeParam::existingRoot(), volumeName, serial, maxComponent, flags,
                                               fileSystemName));
  const std::string label = terminatedText(volumeName);
  const std::string name = terminatedText(fileSystemName);
  EXPECT_TRUE(isValidUtf8(label)) << label;
  EXPECT_TRUE(isValidUtf8(name)) << name;
  EXPECT_FALSE(name.empty());
  EXPECT_NE(flags, 0u) << "flags are 0 only when the query fails";
  EXPECT_GT(maxComponent, 0u);
}

TYPED_TEST_P(SystemQueriesConformance, DriveListHoldsTheExistingRootAndACurrentDrive) {
  const DriveList list = this->queries->listDrives();
  ASSERT_FALSE(list.drives.empty());
  EXPECT_LT(list.current, list.drives.size());
  EXPECT_TRUE(std::any_of(list.drives.begin(), list.drives.end(),
                          [](const DriveEntry& drive) { return drive.rootPath == TypeParam::existingRoot(); }));
  for (const DriveEntry& drive : list.drives) {
    EXPECT_TRUE(isValidUtf8(drive.text)) << drive.text;
    EXPECT_LE(this->queries->driveType(drive.rootPath), kDriveRamdisk) << drive.rootPath;
  }
}

TYPED_TEST_P(SystemQueriesConformance, NumberSeparatorsAreDistinctText) {
  const NumberSeparators separators = this->queries->numberSeparators();
  EXPECT_FALSE(separators.group.empty());
  EXPECT_FALSE(separators.decimal.empty());
  EXPECT_NE(separators.group, separators.decimal);
  EXPECT_TRUE(isValidUtf8(separators.group));
  EXPECT_TRUE(isValidUtf8(separators.decimal));
}

REGISTER_TYPED_TEST_SUITE_P(SystemQueriesConformance, ComputerNameIsShortValidAndTerminated,
                            MissingRootHasNoRootDirectory, ExistingRootHasAVolumeType,
                            FreeSpaceOfMissingRootFailsAndLeavesOutputs,
                            VolumeInformationOfMissingRootFailsAndLeavesOutputs, FreeSpaceOfExistingRootIsConsistent,
                            VolumeInformationOfExistingRootNamesTheFileSystem,
                            DriveListHoldsTheExistingRootAndACurrentDrive, NumberSeparatorsAreDistinctText);

}  // namespace vantora::testing
