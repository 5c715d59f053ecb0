#include "app/form1_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "support/fake_system_queries.h"

namespace vantora::testing {
namespace {

using ::testing::ElementsAre;

// Records what the handlers ask of the window, in order.
class RecordingWindow : public Form1Window {
 public:
  Extent screen{1920, 1080};
  Extent outer{452, 370};
  std::vector<std::string> log;
  Position placed;
  std::string shownLabel4;

  Extent screenSize() const override { return screen; }
  Extent outerSize() const override { return outer; }
  void moveTo(Position topLeft) override {
    placed = topLeft;
    log.push_back("move");
  }
  void render(const Form1Model& form) override {
    shownLabel4 = form.Label4.caption();
    log.push_back("render");
  }
  void renderDriveList(const Form1Model& form) override {
    log.push_back("renderDriveList " + form.Drive1.selected().rootPath);
  }
  void renderChanges(const Form1Model& before, const Form1Model& after) override {
    EXPECT_NE(before, after) << "asked to write nothing";
    log.push_back("renderChanges " + after.lbAki(2).caption() + " / " + after.lbSou(1).caption() + ", " +
                  after.Label4.caption());
  }
  void messageBox(std::string_view text, std::string_view caption) override {
    log.push_back("messageBox " + std::string(caption) + ": " + std::string(text) + " over " + shownLabel4);
    if (duringBox) duringBox();
  }
  std::function<void()> duringBox;
  void endProgram() override { log.push_back("end"); }
  void copyDetails(const Form1Model& form) override { log.push_back("copy over " + form.Label4.caption()); }
};

class Form1EventsTest : public ::testing::Test {
 protected:
  Form1EventsTest() {
    system.drives["/"] = FakeDrive{kDriveFixed, 50, 100, 50, FakeVolume{"", "ext4", 0, 3}, 0};
    system.drives["/dev/sr0"] = FakeDrive{kDriveCdrom, {}, {}, {}, {}, winerror::kErrorNotReady};
    form.Drive1.entries = {{"/", "/"}, {"/dev/sr0", "/dev/sr0"}};
  }
  Form1Model form;
  FakeSystemQueries system;
  RecordingWindow window;
  Form1Events events{form, system, window};
};

TEST_F(Form1EventsTest, LoadCentresThenRefreshes) {
  events.Form_Load();
  EXPECT_THAT(window.log, ElementsAre("move", "render"));
  EXPECT_EQ(window.placed, (Position{734, 355}));
  EXPECT_EQ(form.Label4.caption(), "50 %");
}

TEST_F(Form1EventsTest, DriveChangeRefreshesTheChosenDriveAndReportsAFailureOnce) {
  events.Form_Load();
  events.Drive1_Change(1);
  EXPECT_THAT(window.log,
              ElementsAre("move", "render", "render", "messageBox Vantora: ディスクが挿入されていません。 over ----"));
  EXPECT_EQ(system.calls.back(), "volumeInformation /dev/sr0");
}

// Dropping the list down reads the drives again; only a selection that moved
// because its drive went away refreshes the fields.
TEST_F(Form1EventsTest, DropDownReadsTheDrivesAgainAndRefreshesOnlyWhenTheSelectedDriveIsGone) {
  struct Case {
    const char* name;
    DriveList fresh;
    std::size_t selected;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases{
      {"kept, moved down", {{{"/mnt/new", "/mnt/new"}, {"/", "/"}, {"/dev/sr0", "/dev/sr0"}}, 0}, 2,
       {"renderDriveList /dev/sr0"}},
      {"gone, falls back", {{{"/", "/"}}, 0}, 0, {"render"}},
      {"gone, list empty", {{}, 0}, 0, {"render", "messageBox Vantora: ディスクが挿入されていません。 over ----"}},
  };
  for (const Case& c : cases) {
    form.Drive1.entries = {{"/", "/"}, {"/dev/sr0", "/dev/sr0"}};
    events.Drive1_Change(1);
    window.log.clear();
    system.driveList = c.fresh;
    events.Drive1_DropDown();
    EXPECT_EQ(window.log, c.log) << c.name;
    EXPECT_EQ(form.Drive1.listIndex, c.selected) << c.name;
  }
  EXPECT_EQ(form.Label4.caption(), "----") << "no drive left to describe";
}

// The tick as the front end's timer gives it: a few seconds of an open window.
class LiveFiguresTest : public Form1EventsTest {
 protected:
  LiveFiguresTest() {
    system.drives["/mnt/usb"] = FakeDrive{kDriveRemovable, 10'000'000, 20'000'000, 10'000'000,
                                          FakeVolume{"USB", "vfat", 0x1234, 3}, 0};
    form.Drive1.entries = {{"/", "/"}, {"/mnt/usb", "/mnt/usb"}, {"/dev/sr0", "/dev/sr0"}};
    system.driveList = {form.Drive1.entries, 0};
  }
  // The stick shown, and one tick past, so what stands there is known.
  void showStick() {
    events.Drive1_Change(1);
    events.LiveFigures_Tick();
    window.log.clear();
    system.calls.clear();
  }
  long asked(const std::string& call) const { return std::count(system.calls.begin(), system.calls.end(), call); }
};

TEST_F(LiveFiguresTest, AChangedFigureIsWrittenAndAnUnchangedOneIsNot) {
  showStick();
  events.LiveFigures_Tick();
  EXPECT_TRUE(window.log.empty()) << "nothing changed, nothing written";
  EXPECT_THAT(system.calls, ElementsAre("drivesChanged", "beginQuickRead 50ms", "diskFreeSpaceEx /mnt/usb"));

  system.drives["/mnt/usb"].freeBytesToCaller = 2'000'000;
  events.LiveFigures_Tick();
  EXPECT_THAT(window.log, ElementsAre("renderChanges 2,000,000 (2.MB) / 20,000,000 (20.MB), 90 %"));
  EXPECT_EQ(form.Text1.text, "10.");
  EXPECT_EQ(form.MSChart1, ChartData(90, 10));
  EXPECT_EQ(form.lbSys(1).caption(), "USB") << "only the capacity and usage are read again";
}

// Whether the drive stops answering in time or has nothing left to divide
// by, the fields keep the last refresh's figures, no box is shown, and the
// drive is not asked again until the user refreshes it.
TEST_F(LiveFiguresTest, AFailedReadLeavesTheFieldsShowsNoBoxAndIsNotRepeated) {
  struct Case {
    const char* name;
    FakeDrive answer;
  };
  const std::vector<Case> cases{
      {"stuck", FakeDrive{kDriveRemovable, {}, {}, {}, {}, winerror::kErrorSemTimeout}},
      {"no capacity", FakeDrive{kDriveRemovable, 0, 0, 0, {}, 0}},
  };
  for (const Case& c : cases) {
    const FakeDrive healthy = system.drives["/mnt/usb"];
    showStick();
    const Form1Model shown = form;
    system.drives["/mnt/usb"] = c.answer;
    for (int tick = 0; tick < 3; ++tick) events.LiveFigures_Tick();
    EXPECT_EQ(form, shown) << c.name;
    EXPECT_TRUE(window.log.empty()) << c.name;
    EXPECT_EQ(asked("diskFreeSpaceEx /mnt/usb"), 1) << c.name;

    system.drives["/mnt/usb"] = healthy;
    system.drives["/mnt/usb"].freeBytesToCaller = 5'000'000;
    events.Drive1_Change(1);
    events.LiveFigures_Tick();
    EXPECT_EQ(asked("diskFreeSpaceEx /mnt/usb"), 3) << c.name << ": asked again after the user's refresh";
    system.drives["/mnt/usb"] = healthy;
  }
}

TEST_F(LiveFiguresTest, NothingIsReadBeforeANormalRefreshNorWhileItsBoxIsOpen) {
  events.LiveFigures_Tick();
  window.duringBox = [this] { events.LiveFigures_Tick(); };
  events.Drive1_Change(2);
  events.LiveFigures_Tick();
  EXPECT_EQ(asked("drivesChanged"), 0);
  EXPECT_EQ(asked("diskFreeSpaceEx /dev/sr0"), 1) << "the refresh's own read only";
}

// The drive shown goes away: the list is read again and the drive selected
// then is refreshed, with no box even where that refresh fails.
TEST_F(LiveFiguresTest, ADriveThatGoesAwayIsReplacedWithoutABox) {
  struct Case {
    const char* name;
    bool stillThere;
    std::string identity;
    DriveList fresh;
    std::vector<std::string> log;
    std::string selected;
    std::string label4;
  };
  const std::vector<Case> cases{
      {"unplugged", false, "first", {{{"/", "/"}, {"/dev/sr0", "/dev/sr0"}}, 0}, {"render"}, "/", "50 %"},
      {"the last drive", false, "first", {{}, 0}, {"render"}, "", "----"},
      {"another file system in its place", true, "second",
       {{{"/", "/"}, {"/mnt/usb", "/mnt/usb"}}, 0}, {"render"}, "/mnt/usb", "50 %"},
      {"still there", true, "first", {}, {}, "/mnt/usb", "50 %"},
  };
  for (const Case& c : cases) {
    system.drives["/mnt/usb"] = FakeDrive{kDriveRemovable, 10, 20, 10, FakeVolume{}, 0};
    system.driveList = {{{"/", "/"}, {"/mnt/usb", "/mnt/usb"}}, 0};
    form.Drive1.entries = system.driveList.drives;
    showStick();
    if (!c.stillThere) system.drives.erase("/mnt/usb");
    if (c.stillThere) system.drives["/mnt/usb"].identity = c.identity;
    system.driveList = c.fresh;
    system.drivesChange = true;
    events.LiveFigures_Tick();
    EXPECT_EQ(window.log, c.log) << c.name;
    EXPECT_EQ(c.selected.empty() ? "" : form.Drive1.selected().rootPath, c.selected) << c.name;
    EXPECT_EQ(form.Label4.caption(), c.label4) << c.name;
  }
}

TEST_F(Form1EventsTest, F10EndsTheProgramWhateverTheModifiers) {
  for (int shift : {0, 1, 2, 4, 7}) {
    window.log.clear();
    EXPECT_TRUE(events.Form_KeyDown(vbKeyF10, shift));
    EXPECT_THAT(window.log, ElementsAre("end")) << shift;
  }
}

TEST_F(Form1EventsTest, OtherKeysAreIgnored) {
  for (int key : {13, 27, 112, 120, 122, 123, int{'A'}}) EXPECT_FALSE(events.Form_KeyDown(key, 0)) << key;
  EXPECT_TRUE(window.log.empty());
}

// Ctrl+C alone copies; C with Shift or Alt held besides is some other shortcut, and C alone is typing.
TEST_F(Form1EventsTest, CtrlCCopiesTheModelAsTheWindowShowsIt) {
  events.Form_Load();
  window.log.clear();
  for (int shift : {0, 1, 3, 4, 6, 7}) EXPECT_FALSE(events.Form_KeyDown(vbKeyC, shift)) << shift;
  EXPECT_TRUE(events.Form_KeyDown(vbKeyC, vbCtrlMask));
  events.Edit_Copy();
  EXPECT_THAT(window.log, ElementsAre("copy over 50 %", "copy over 50 %"));
}

TEST_F(Form1EventsTest, ExitButtonEndsTheProgram) {
  events.cmdF10_Click();
  EXPECT_THAT(window.log, ElementsAre("end"));
}

TEST(CenterForm, UsesRealDivisionAndDoesNotClamp) {
  EXPECT_EQ(CenterForm({1025, 769}, {450, 338}), (Position{287.5, 215.5}));
  EXPECT_EQ(CenterForm({400, 300}, {450, 338}), (Position{-25, -19}));
}

}  // namespace
}  // namespace vantora::testing
