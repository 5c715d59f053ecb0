#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <exception>
#include <new>
#include <stdexcept>
#include <string>

#include "refresh_fixture.h"

namespace vantora::testing {
namespace {

using ::testing::ElementsAre;

TEST_F(RefreshTest, HealthyDiskWritesEveryFieldInOrderAndEndsNormally) {
  EXPECT_EQ(refresh("c:\\"), RefreshEnd::Normal);
  EXPECT_THAT(system.calls, ElementsAre("computerName", "driveType c:\\", "diskFreeSpaceEx c:\\",
                                        "volumeInformation c:\\"));
  EXPECT_EQ(form.lbPC(4).caption(), "PC01");
  EXPECT_EQ(form.lbPC(5).caption(), "PC01　ディスク情報");
  EXPECT_EQ(form.lbSyu(0).caption(), "ハードディスク");
  EXPECT_TRUE(form.Image2.visible);
  EXPECT_EQ(form.lbAki(2).caption(), "45,670,000 (45.67MB)");
  EXPECT_EQ(form.lbSou(1).caption(), "100,000,000 (100.MB)");
  EXPECT_EQ(form.lbSys(0).caption(), "NTFS");
  EXPECT_EQ(form.lbSys(1).caption(), "SYSTEM");
  EXPECT_EQ(form.lbSys(2).caption(), "1A2B3C4D");
  EXPECT_THAT(form.List1.items, ElementsAre("ファイル名大文字小文字維持", "ファイル名大文字小文字区別", "UNICODE",
                                            "ACL維持", "クォータ"));
  EXPECT_EQ(form.Text1.text, "45.67");
  EXPECT_EQ(form.Text2.text, "54.33");
  EXPECT_EQ(form.Label4.caption(), "54.33 %");
  EXPECT_EQ(form.MSChart1, ChartData(54.33, 45.67));
}

TEST_F(RefreshTest, EmptyRemovableDriveTakesTheFailurePathAfterWritingWhatItCan) {
  refresh("c:\\");
  system.name = "OTHER";
  EXPECT_EQ(refresh("a:\\"), RefreshEnd::Failure);

  EXPECT_EQ(form.lbPC(5).caption(), "OTHER　ディスク情報") << "the header is written before the failure";
  EXPECT_EQ(form.lbSyu(0).caption(), "FD/リムーバブル");
  EXPECT_TRUE(form.Image1.visible);
  EXPECT_FALSE(form.Image2.visible);
  EXPECT_EQ(form.lbAki(2).caption(), "0 (0.MB)");
  EXPECT_EQ(form.lbSou(1).caption(), "0 (0.MB)");
  EXPECT_EQ(form.lbSys(0).caption(), "");
  EXPECT_EQ(form.lbSys(1).caption(), "");
  EXPECT_EQ(form.lbSys(2).caption(), "");
  EXPECT_THAT(form.List1.items, ElementsAre("(21)属性は取得できません。"));
  EXPECT_EQ(form.Label4.caption(), "----");
  EXPECT_EQ(form.MSChart1, ChartData(0, 1000));
  EXPECT_EQ(form.Text1.text, "45.67") << "the failure path never touches the working fields";
  EXPECT_EQ(form.Text2.text, "54.33");
}

TEST_F(RefreshTest, HealthyDiskAfterAFailureRewritesEverything) {
  refresh("a:\\");
  EXPECT_EQ(refresh("c:\\"), RefreshEnd::Normal);
  EXPECT_EQ(form.Label4.caption(), "54.33 %");
  EXPECT_EQ(form.lbSys(0).caption(), "NTFS");
  EXPECT_FALSE(form.Image1.visible);
  EXPECT_TRUE(form.Image2.visible);
}

TEST_F(RefreshTest, FailedFirstRefreshLeavesUnreachedPlaceholders) {
  system.drives["a:\\"].type = 99;  // an unknown code writes no caption
  refresh("a:\\");
  EXPECT_EQ(form.lbSyu(0).caption(), "*");
  EXPECT_EQ(form.Text1.text, "Text1");
  EXPECT_EQ(form.Text2.text, "Text2");
  EXPECT_EQ(form.Label4.caption(), "----");
}

struct HeaderCase {
  const char* name;
  std::string computerName;
  std::string bare;
};

class HeaderLine : public RefreshTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(HeaderLine, HoldsTheBareNameAndOneSuffixNeverANul) {
  system.name = GetParam().computerName;
  refresh("c:\\");
  refresh("c:\\");  // a second run must not add the suffix again
  EXPECT_EQ(form.lbPC(4).caption(), GetParam().bare);
  EXPECT_EQ(form.lbPC(5).caption(), GetParam().bare + "　ディスク情報");
  EXPECT_EQ(form.lbPC(5).caption().find('\0'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Names, HeaderLine,
                         ::testing::Values(HeaderCase{"short", "PC", "PC"},
                                           HeaderCase{"fifteen_characters", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},
                                           HeaderCase{"fifteen_japanese_characters", "一二三四五六七八九十百千万億兆",
                                                      "一二三四五六七八九十百千万億兆"},
                                           HeaderCase{"japanese", "経理部のPC", "経理部のPC"},
                                           HeaderCase{"empty", "", ""}),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

TEST_F(RefreshTest, FailedComputerNameLeavesAnEmptyBufferNotGarbage) {
  system.failComputerName = true;
  refresh("c:\\");
  EXPECT_EQ(form.lbPC(4).caption(), "");
  EXPECT_EQ(form.lbPC(5).caption(), "　ディスク情報");
}

// A query that throws after the header is a drive that could not be read, like
// any failed query; the header itself cannot fail that way, so its exception
// goes to the caller and the usage display stays as it was.
TEST_F(RefreshTest, AnExceptionAfterTheHeaderTakesTheFailurePath) {
  refresh("c:\\");
  for (const auto& [query, exception] : queriesAfterTheHeader()) {
    system.throwFrom = query;
    system.exception = exception;
    Form1Model shown = form;
    EXPECT_EQ(RefreshDriveInfo(shown, system), RefreshEnd::Failure) << query;
    EXPECT_EQ(shown.Label4.caption(), "----") << query;
    EXPECT_EQ(shown.MSChart1, ChartData(0, 1000)) << query;
  }
  system.throwFrom = "computerName";
  system.exception = std::make_exception_ptr(std::bad_alloc());
  Form1Model shown = form;
  EXPECT_THROW(RefreshDriveInfo(shown, system), std::bad_alloc);
  EXPECT_EQ(shown.Label4.caption(), "54.33 %");
  EXPECT_EQ(shown.MSChart1, ChartData(54.33, 45.67));
}

TEST_F(RefreshTest, VanishedVolumeShowsNoRootDirectoryAndFails) {
  EXPECT_EQ(refresh("q:\\"), RefreshEnd::Failure);
  EXPECT_EQ(form.lbSyu(0).caption(), "ルートディレクトリなし");
  EXPECT_TRUE(form.Image5.visible);
  EXPECT_THAT(form.List1.items, ElementsAre("(3)属性は取得できません。"));
}

TEST_F(RefreshTest, EmptyDriveListTakesTheFailurePath) {
  form.Drive1.entries.clear();
  EXPECT_EQ(RefreshDriveInfo(form, system), RefreshEnd::Failure);
  EXPECT_EQ(form.lbPC(5).caption(), "PC01　ディスク情報");
  EXPECT_EQ(form.Label4.caption(), "----");
}

TEST(DriveListBox, KeepsTheSelectedRootPathWhenReadAgain) {
  DriveListBox list;
  list.entries = {{"/", "/"}, {"/media/usb [A]", "/media/usb"}};
  list.listIndex = 1;
  list.replaceEntries({{"/", "/"}, {"/boot", "/boot"}, {"/media/usb [B]", "/media/usb"}}, 0);
  EXPECT_EQ(list.listIndex, 2u);
  list.replaceEntries({{"/", "/"}, {"/boot", "/boot"}}, 1);
  EXPECT_EQ(list.listIndex, 1u) << "a drive that went away gives way to the fallback";
  list.replaceEntries({}, 3);
  EXPECT_EQ(list.listIndex, 0u);
}

TEST(Label, StoresOnlyWhatPrecedesTheFirstNul) {
  Label label;
  EXPECT_EQ(label.caption(), "*");
  label.setCaption(std::string("NAME\0\0\0rest", 11));
  EXPECT_EQ(label.caption(), "NAME");
}

TEST(ControlArray, RefusesElementsThatDoNotExist) {
  Form1Model form;
  EXPECT_NO_THROW(form.lbPC(4));
  EXPECT_THROW(form.lbPC(0), std::out_of_range);
  EXPECT_THROW(form.lbSou(0), std::out_of_range);
  EXPECT_THROW(form.lbSys(3), std::out_of_range);
}

}  // namespace
}  // namespace vantora::testing
