#include "ui/copy_details.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "driveinfo/refresh_drive_info.h"
#include "support/fake_system_queries.h"
#include "support/scoped_language.h"
#include "ui/form1_bindings.h"

namespace vantora::ui {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

Form1Model shownDrive() {
  Form1Model form;
  form.Drive1.entries = {{"/", "/"}, {"/mnt/nas [nas:/export]", "/mnt/nas"}};
  form.Drive1.listIndex = 1;
  form.lbSyu(0).setCaption("ネットワーク");
  form.lbSou(1).setCaption("1,000 (0.00MB)");
  form.lbAki(2).setCaption("250 (0.00MB)");
  form.Label4.setCaption("75 %");
  form.lbSys(0).setCaption("nfs4");
  form.lbSys(1).setCaption("SHARE");
  form.lbSys(2).setCaption("");
  form.List1.items = {"ファイル名大文字小文字維持", "ファイル名大文字小文字区別"};
  return form;
}

TEST(CopyDetails, OneCaptionedLinePerFieldInThePagesOrder) {
  EXPECT_EQ(copyDetails(shownDrive()),
            "表示ディスク: /mnt/nas [nas:/export]\n"
            "ディスク種類: ネットワーク\n"
            "総容量: 1,000 (0.00MB)\n"
            "空容量: 250 (0.00MB)\n"
            "Disk使用率: 75 %\n"
            "システム名: nfs4\n"
            "ボリューム名: SHARE\n"
            "シリアルNo: \n"
            "属性: ファイル名大文字小文字維持、ファイル名大文字小文字区別\n");
}

// The captions and the joiner are the window's, in its language; the values are as shown.
TEST(CopyDetails, CaptionsInTheWindowsLanguage) {
  const testing::ScopedLanguage english("en");
  const std::vector<std::string> lines = linesOf(copyDetails(shownDrive()));
  ASSERT_EQ(lines.size(), 9U);
  EXPECT_EQ(lines[0], "Drive: /mnt/nas [nas:/export]");
  EXPECT_EQ(lines[4], "Usage: 75 %");
  EXPECT_EQ(lines[8], "Features: ファイル名大文字小文字維持, ファイル名大文字小文字区別");
}

// A label may hold anything a file system allows; a paste must not run it into
// other lines, colour a terminal or turn text round.
TEST(CopyDetails, ControlAndBidiCharactersBecomeReplacementCharacters) {
  Form1Model form = shownDrive();
  form.lbSys(1).setCaption("A\nB\r\x1b[31m\u202Eexe.txt\xff");
  form.List1.items = {"line\tone"};
  const std::vector<std::string> lines = linesOf(copyDetails(form));
  ASSERT_EQ(lines.size(), 9U);
  EXPECT_EQ(lines[6], "ボリューム名: A\uFFFDB\uFFFD\uFFFD[31m\uFFFDexe.txt\uFFFD");
  EXPECT_EQ(lines[8], "属性: line\uFFFDone");
}

TEST(CopyDetails, NoDriveToShowLeavesTheDriveLineEmpty) {
  Form1Model form = shownDrive();
  form.Drive1.entries.clear();
  EXPECT_EQ(linesOf(copyDetails(form)).front(), "表示ディスク: ");
}

// Every copied value is the text the window was given for that field, however
// the last refresh ended: after a drive without a medium, nothing of the drive
// shown before survives in the copy.
class WindowText final : public Form1ControlWriter {
 public:
  std::map<std::string, std::string> shown;
  void writeCaption(std::size_t row, std::string_view text) override { set(row, std::string(text)); }
  void writeVisibility(std::size_t, bool) override {}
  void writeListItems(std::size_t row, std::span<const std::string> items) override {
    std::string joined;
    for (const std::string& item : items) joined += (joined.empty() ? "" : "、") + item;
    set(row, joined);
  }
  void writeChartData(std::size_t, const ChartData&) override {}
  void writeDriveEntries(std::size_t row, const DriveListBox& drives) override { set(row, drives.selected().text); }

 private:
  void set(std::size_t row, std::string text) { shown[std::string(kForm1Layout[row].name)] = std::move(text); }
};

TEST(CopyDetails, IsWhatTheWindowShowsAfterEachRefresh) {
  testing::FakeSystemQueries system;
  system.drives["/"] = testing::FakeDrive{kDriveFixed, 50, 100, 50, testing::FakeVolume{"ROOT", "ext4", 0xABCD, 3}, 0};
  system.drives["/dev/sr0"] = testing::FakeDrive{kDriveCdrom, {}, {}, {}, {}, winerror::kErrorNotReady};
  Form1Model form;
  form.Drive1.entries = {{"/ [ROOT]", "/"}, {"/dev/sr0", "/dev/sr0"}};
  const std::vector<std::string> fields = {"Drive1", "lbSyu(0)", "lbSou(1)", "lbAki(2)", "Label4",
                                           "lbSys(0)", "lbSys(1)", "lbSys(2)", "List1"};
  for (const auto& [index, ending] : {std::pair{0, RefreshEnd::Normal}, std::pair{1, RefreshEnd::Failure}}) {
    form.Drive1.listIndex = static_cast<std::size_t>(index);
    ASSERT_EQ(RefreshDriveInfo(form, system), ending);
    WindowText window;
    renderForm1(form, window);
    const std::vector<std::string> lines = linesOf(copyDetails(form));
    ASSERT_EQ(lines.size(), fields.size());
    for (std::size_t i = 0; i < fields.size(); ++i) {
      EXPECT_TRUE(lines[i].ends_with(": " + window.shown.at(fields[i]))) << lines[i] << " after drive " << index;
    }
    EXPECT_EQ(lines[6].find("ROOT") != std::string::npos, index == 0) << lines[6];
  }
}

}  // namespace
}  // namespace vantora::ui
