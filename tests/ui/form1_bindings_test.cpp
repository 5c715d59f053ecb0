#include "ui/form1_bindings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vantora::ui {
namespace {

using ::testing::ElementsAre;
using ::testing::Pair;

// Keeps what was written to each control, by its layout name, as text.
class RecordingWriter final : public Form1ControlWriter {
 public:
  std::map<std::string, std::string> written;

  void writeCaption(std::size_t row, std::string_view text) override { put(row, std::string(text)); }
  void writeVisibility(std::size_t row, bool visible) override { put(row, visible ? "shown" : "hidden"); }
  void writeListItems(std::size_t row, std::span<const std::string> items) override {
    std::string lines;
    for (const std::string& item : items) lines += item + "|";
    put(row, lines);
  }
  void writeChartData(std::size_t row, const ChartData& data) override {
    put(row, std::to_string(data(1)) + "/" + std::to_string(data(2)));
  }
  void writeDriveEntries(std::size_t row, const DriveListBox& drives) override {
    put(row, drives.selected().text + " of " + std::to_string(drives.entries.size()));
  }

 private:
  void put(std::size_t row, std::string value) {
    const auto [at, fresh] = written.emplace(kForm1Layout[row].name, std::move(value));
    if (!fresh) ADD_FAILURE() << at->first << " written twice";
  }
};

// Every display field holds a value of its own, so a binding to the wrong field shows.
Form1Model everyFieldDistinct() {
  Form1Model form;
  form.lbPC(4).setCaption("pc4");
  form.lbPC(5).setCaption("pc5");
  form.lbSyu(0).setCaption("type");
  form.Image1.visible = true;
  form.Image4.visible = true;
  form.lbSou(1).setCaption("total");
  form.lbAki(2).setCaption("free");
  form.lbSys(0).setCaption("fs");
  form.lbSys(1).setCaption("label");
  form.lbSys(2).setCaption("serial");
  form.List1.items = {"a", "b"};
  form.Text1.text = "t1";
  form.Text2.text = "t2";
  form.Label4.setCaption("used");
  form.MSChart1 = ChartData(25, 75);
  form.Drive1.entries = {{"/", "/"}, {"/mnt [x]", "/mnt"}};
  form.Drive1.listIndex = 1;
  return form;
}

TEST(Form1Bindings, EveryDisplayFieldReachesItsOwnControl) {
  RecordingWriter writer;
  renderForm1(everyFieldDistinct(), writer);
  EXPECT_THAT(writer.written, (std::map<std::string, std::string>{
                                  {"lbPC(4)", "pc4"},
                                  {"lbPC(5)", "pc5"},
                                  {"lbSyu(0)", "type"},
                                  {"Image1", "shown"},
                                  {"Image2", "hidden"},
                                  {"Image3", "hidden"},
                                  {"Image4", "shown"},
                                  {"Image5", "hidden"},
                                  {"lbSou(1)", "total"},
                                  {"lbAki(2)", "free"},
                                  {"lbSys(0)", "fs"},
                                  {"lbSys(1)", "label"},
                                  {"lbSys(2)", "serial"},
                                  {"List1", "a|b|"},
                                  {"Text1", "t1"},
                                  {"Text2", "t2"},
                                  {"Label4", "used"},
                                  {"MSChart1", "25.000000/75.000000"},
                                  {"Drive1", "/mnt [x] of 2"},
                              }));
}

TEST(Form1Bindings, OneKindAloneWritesOnlyItsControls) {
  RecordingWriter writer;
  renderForm1(everyFieldDistinct(), writer, BindingKind::DriveEntries);
  EXPECT_THAT(writer.written, ElementsAre(Pair("Drive1", "/mnt [x] of 2")));
}

// One field of each kind changed at a time: only that control is written;
// lists and the drive list are compared by their contents.
TEST(Form1Bindings, ChangesWriteOnlyTheFieldsThatDiffer) {
  struct Case {
    const char* name;
    void (*change)(Form1Model&);
    std::map<std::string, std::string> written;
  };
  const std::vector<Case> cases{
      {"nothing", [](Form1Model&) {}, {}},
      {"a caption", [](Form1Model& f) { f.lbAki(2).setCaption("less"); }, {{"lbAki(2)", "less"}}},
      {"a text box", [](Form1Model& f) { f.Text1.text = "t9"; }, {{"Text1", "t9"}}},
      {"a picture", [](Form1Model& f) { f.Image2.visible = true; }, {{"Image2", "shown"}}},
      {"the chart", [](Form1Model& f) { f.MSChart1 = ChartData(30, 70); }, {{"MSChart1", "30.000000/70.000000"}}},
      {"a list line", [](Form1Model& f) { f.List1.items.back() = "c"; }, {{"List1", "a|c|"}}},
      {"the selected drive", [](Form1Model& f) { f.Drive1.listIndex = 0; }, {{"Drive1", "/ of 2"}}},
  };
  for (const Case& c : cases) {
    const Form1Model before = everyFieldDistinct();
    Form1Model after = before;
    c.change(after);
    RecordingWriter writer;
    renderForm1Changes(before, after, writer);
    EXPECT_EQ(writer.written, c.written) << c.name;
  }
}

}  // namespace
}  // namespace vantora::ui
