#include "app/form1_events.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
  void messageBox(std::string_view text, std::string_view caption) override {
    log.push_back("messageBox " + std::string(caption) + ": " + std::string(text) + " over " + shownLabel4);
  }
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
