#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "driveinfo/refresh_steps.h"
#include "refresh_fixture.h"

namespace vantora::testing {
namespace {

using ::testing::ElementsAre;
using namespace fsflags;

TEST(FeatureLines, FollowTheWindowsOrderNotTheBitOrder) {
  const std::uint32_t allButVolumeCompression = kFileCaseSensitiveSearch | kFileCasePreservedNames |
                                                kFileUnicodeOnDisk | kFilePersistentAcls |
                                                kFileFileCompression | kFileVolumeQuotas |
                                                kFileSupportsEncryption | kFileNamedStreams;
  EXPECT_THAT(featureLines(allButVolumeCompression, 0),
              ElementsAre("ファイル名大文字小文字維持", "ファイル名大文字小文字区別", "UNICODE", "ACL維持",
                          "ファイル圧縮", "ストリーム", "暗号化", "クォータ"));
  EXPECT_THAT(featureLines(kFileCasePreservedNames | kFileUnicodeOnDisk, 0),
              ElementsAre("ファイル名大文字小文字維持", "UNICODE"));
  EXPECT_THAT(featureLines(kFileVolumeIsCompressed, 0), ElementsAre("ボリューム圧縮"));
}

TEST(FeatureLines, BitsWithoutALineAddNothing) {
  EXPECT_THAT(featureLines(0x00080000 | kFileUnicodeOnDisk, 0), ElementsAre("UNICODE"));
  EXPECT_TRUE(featureLines(0x80000000, 0).empty());
}

TEST(FeatureLines, NoFlagsShowTheLastError) {
  EXPECT_THAT(featureLines(0, 21), ElementsAre("(21)属性は取得できません。"));
  EXPECT_THAT(featureLines(0, 121), ElementsAre("(121)属性は取得できません。"));
  EXPECT_THAT(featureLines(0, 0), ElementsAre("(0)属性は取得できません。"));
}

TEST(SerialText, IsUpperCaseHexWithoutLeadingZerosAndEmptyForZero) {
  EXPECT_EQ(serialText(0), "");
  EXPECT_EQ(serialText(0x1A2B3C4D), "1A2B3C4D");
  EXPECT_EQ(serialText(0x00ABCDEF), "ABCDEF");
  EXPECT_EQ(serialText(0x80000000), "80000000");
  EXPECT_EQ(serialText(0xFFFFFFFF), "FFFFFFFF");
  EXPECT_EQ(serialText(1), "1");
}

TEST_F(RefreshTest, VolumeWithoutLabelOrSerialShowsThemEmpty) {
  system.drives["c:\\"].volume = FakeVolume{"", "ext4", 0, kFileCasePreservedNames};
  refresh("c:\\");
  EXPECT_EQ(form.lbSys(0).caption(), "ext4");
  EXPECT_EQ(form.lbSys(1).caption(), "");
  EXPECT_EQ(form.lbSys(2).caption(), "");
  EXPECT_THAT(form.List1.items, ElementsAre("ファイル名大文字小文字維持"));
}

TEST_F(RefreshTest, LinesNeverAccumulateAcrossDrives) {
  refresh("c:\\");
  refresh("c:\\");
  EXPECT_EQ(form.List1.items.size(), 5u);
  refresh("a:\\");
  EXPECT_THAT(form.List1.items, ElementsAre("(21)属性は取得できません。"));
}

TEST_F(RefreshTest, FailureBeforeTheVolumeStepKeepsThePreviousLines) {
  refresh("c:\\");
  const auto before = form.List1.items;
  form.Drive1.entries.clear();  // the drive list itself fails before any drive query
  refresh("c:\\");
  EXPECT_EQ(form.List1.items, before);
}

TEST_F(RefreshTest, NameFillingTheWholeBufferIsAFailureNotAnOverread) {
  system.rawFileSystemName = std::vector<char>(kFileSystemNameBufferSize, 'X');
  EXPECT_EQ(refresh("c:\\"), RefreshEnd::Failure);
  EXPECT_EQ(form.lbSys(0).caption(), "*");
  EXPECT_EQ(form.Label4.caption(), "----");
}

TEST_F(RefreshTest, LongestLabelThatFitsIsShownWhole) {
  const std::string label(kVolumeNameBufferSize - 1, 'L');
  system.drives["c:\\"].volume->volumeName = label;
  EXPECT_EQ(refresh("c:\\"), RefreshEnd::Normal);
  EXPECT_EQ(form.lbSys(1).caption(), label);
}

}  // namespace
}  // namespace vantora::testing
