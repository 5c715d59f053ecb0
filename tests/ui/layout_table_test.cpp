#include "ui/layout_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

namespace vantora::ui {
namespace {

struct WrittenRow {
  std::string_view name;
  Container container;
  int left, top, width, height;
  std::string_view content;
  FontFace face;
  double points;
  int weight;
  TextColour colour;
  Alignment alignment;
  bool visible;
  std::optional<int> tabIndex;
};

class WrittenLayout : public ::testing::TestWithParam<WrittenRow> {};

TEST_P(WrittenLayout, RowMatchesTheWrittenLayout) {
  const WrittenRow& expected = GetParam();
  const ControlRow* row = findControl(expected.name);
  ASSERT_NE(row, nullptr);
  EXPECT_EQ(row->container, expected.container);
  EXPECT_EQ(row->left, expected.left);
  EXPECT_EQ(row->top, expected.top);
  EXPECT_EQ(row->width, expected.width);
  EXPECT_EQ(row->height, expected.height);
  EXPECT_EQ(row->content, expected.content);
  EXPECT_EQ(row->font.face, expected.face);
  EXPECT_DOUBLE_EQ(row->font.points, expected.points);
  EXPECT_EQ(row->font.weight, expected.weight);
  EXPECT_EQ(row->colour, expected.colour);
  EXPECT_EQ(row->alignment, expected.alignment);
  EXPECT_EQ(row->visible, expected.visible);
  EXPECT_EQ(row->tabIndex, expected.tabIndex);
}

using enum Container;
using enum FontFace;
using enum TextColour;
using enum Alignment;
INSTANTIATE_TEST_SUITE_P(
    Sample, WrittenLayout,
    ::testing::Values(
        WrittenRow{"lbPC(5)", Window, 240, 120, 6255, 375, "*", MsGothic, 15.75, 700, Green, Centre, true, 1},
        WrittenRow{"lbPC(4)", Window, 1320, 600, 615, 255, "*", WindowDefault, 0, 400, Green, Left, false, 2},
        WrittenRow{"Label23", Window, 1440, 840, 3735, 375, "ディスク情報表示 Vantora  V2.1", MsGothic, 9, 400, Default,
                   Centre, true, 20},
        WrittenRow{"Drive1", Window, 2760, 1260, 2535, 300, "", WindowDefault, 0, 400, Default, Left, true, 19},
        WrittenRow{"Label18", Window, 1440, 1320, 1335, 255, "表示ディスク　：", MsPGothic, 9.75, 400, Blue, Left, true,
                   18},
        WrittenRow{"SSTab1", Window, 120, 1800, 6495, 2415, "", MsGothic, 11.25, 400, Black, Left, true, 0},
        WrittenRow{"Text2", Window, 960, 4320, 735, 270, "Text2", WindowDefault, 0, 400, Default, Left, false, 24},
        WrittenRow{"Label4", Window, 3240, 4320, 735, 255, "＊", MsPGothic, 9.75, 400, Default, Right, true, 25},
        WrittenRow{"cmdF10", Window, 5280, 4320, 1335, 615, "終了/F10", MsGothic, 11.25, 400, Default, Centre, true, 5},
        WrittenRow{"Label20", Window, 240, 4680, 4095, 255, kCreditLine, MsGothic, 9, 400, Black, Left, true, 14},
        WrittenRow{"lbSou(1)", TypePage, 2520, 1200, 3945, 255, "*", MsGothic, 12, 400, Default, Left, true, 4},
        WrittenRow{"Label3", SystemPage, 600, 1200, 1575, 255, "ボリューム名", MsGothic, 12, 400, Blue, Left, true, 7},
        WrittenRow{"lbSys(2)", SystemPage, 2520, 1680, 2535, 255, "*", MsGothic, 12, 400, Default, Left, true, 11},
        WrittenRow{"List1", FeaturePage, 1200, 720, 5055, 1185, "", MsPGothic, 11.25, 400, Default, Left, true, 21}),
    [](const auto& caseInfo) {
      std::string name;
      for (char c : caseInfo.param.name) {
        if (std::isalnum(static_cast<unsigned char>(c))) name += c;
      }
      return name;
    });

TEST(LayoutTable, NamesAndTabIndicesAreUnique) {
  std::set<std::string_view> names;
  std::set<int> tabIndices;
  for (const ControlRow& row : kForm1Layout) {
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
    if (row.tabIndex) {
      EXPECT_TRUE(tabIndices.insert(*row.tabIndex).second) << row.name;
    }
  }
}

TEST(LayoutTable, EveryControlLiesInsideItsContainerExceptTheChartsCutOffStrip) {
  const ControlRow* tab = findControl("SSTab1");
  ASSERT_NE(tab, nullptr);
  for (const ControlRow& row : kForm1Layout) {
    const bool onPage = row.container != Container::Window;
    const int right = onPage ? tab->width : kClientWidthTwips;
    const int bottom = onPage ? tab->height : kClientHeightTwips;
    EXPECT_GE(row.left, 0) << row.name;
    EXPECT_LE(row.left + row.width, right) << row.name;
    if (row.name == "MSChart1") {
      EXPECT_EQ(row.top + row.height - kClientHeightTwips, 105);
    } else {
      EXPECT_LE(row.top + row.height, bottom) << row.name;
    }
    if (onPage) {
      EXPECT_GE(row.top, kTabStripTwips) << row.name << " sits in the tab strip";
    }
  }
}

TEST(LayoutTable, PercentLabelEndsBesideItsCaption) {
  const ControlRow* percent = findControl("Label4");
  const ControlRow* caption = findControl("Label6");
  ASSERT_TRUE(percent && caption);
  EXPECT_EQ(percent->left + percent->width, 3975);
  EXPECT_EQ(caption->left + caption->width - percent->left, 15);
}

TEST(LayoutTable, FixedDiskPictureStandsHigherThanTheOthers) {
  const ControlRow* fixedDisk = findControl("Image2");
  ASSERT_NE(fixedDisk, nullptr);
  for (std::string_view name : {"Image1", "Image3", "Image4", "Image5"}) {
    const ControlRow* other = findControl(name);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->top - fixedDisk->top, 240) << name;
    EXPECT_EQ(other->left, fixedDisk->left) << name;
  }
  EXPECT_EQ(findControl("Image5")->width, 945);
  EXPECT_EQ(findControl("Image5")->height, 945);
}

TEST(LayoutTable, OnlyTheWorkingFieldsAndPicturesStartHidden) {
  std::set<std::string_view> hidden;
  for (const ControlRow& row : kForm1Layout) {
    if (!row.visible) hidden.insert(row.name);
  }
  EXPECT_EQ(hidden, (std::set<std::string_view>{"lbPC(4)", "Text1", "Text2", "Image1", "Image2", "Image3", "Image4",
                                                "Image5"}));
}

TEST(LayoutTable, PicturesBelongToImagesAlone) {
  std::set<PictureId> shown;
  for (const ControlRow& row : kForm1Layout) {
    EXPECT_EQ(row.picture.has_value(), row.kind == ControlKind::Image) << row.name;
    EXPECT_EQ(row.tabIndex.has_value(), row.kind != ControlKind::Image) << row.name;
    if (row.picture) shown.insert(*row.picture);
  }
  EXPECT_EQ(shown.size(), std::size(kAllPictures));
  EXPECT_EQ(findControl("Image2")->picture, kWindowIcon);
}

TEST(LayoutTable, CaptionPairsNameExistingControlsInOneContainer) {
  for (const CaptionPair& pair : kCaptionPairs) {
    const ControlRow* caption = findControl(pair.caption);
    const ControlRow* field = findControl(pair.field);
    ASSERT_TRUE(caption && field) << pair.caption << " / " << pair.field;
    EXPECT_EQ(caption->kind, ControlKind::Label);
    EXPECT_EQ(caption->container, field->container) << pair.caption;
  }
}

TEST(LayoutTable, ChartDiscStaysInTheShownPartOfTheChart) {
  const ControlRow& chart = *findControl("MSChart1");
  const ControlRow& tab = *findControl("SSTab1");
  const ChartDisc disc = chartDisc();
  EXPECT_GT(disc.size, 0);
  EXPECT_GT(disc.left, 0);
  EXPECT_LT(disc.left + disc.size, chart.width);
  EXPECT_GT(chart.top + disc.top, tab.top + tab.height) << "clear of the tab control it overlaps";
  EXPECT_LT(chart.top + disc.top + disc.size, kClientHeightTwips) << "clear of the cut-off strip";
}

TEST(TwipsToPixels, ScalesWithTheDpi) {
  EXPECT_EQ(twipsToPixels(kClientWidthTwips, 96), 450);
  EXPECT_EQ(twipsToPixels(kClientHeightTwips, 96), 338);
  EXPECT_EQ(twipsToPixels(kClientWidthTwips, 144), 675);
  EXPECT_EQ(twipsToPixels(kClientHeightTwips, 144), 507);
  EXPECT_EQ(twipsToPixels(kTabStripTwips, 96), 20);
  EXPECT_EQ(twipsToPixels(945, 96), 63);
  EXPECT_EQ(twipsToPixels(7, 96), 0);
  EXPECT_EQ(twipsToPixels(8, 96), 1);
  EXPECT_EQ(twipsToPixels(-105, 96), -7);
}

TEST(PointsToPixels, GivesTheWrittenPixelHeights) {
  EXPECT_EQ(pointsToPixels(15.75, 96), 21);
  EXPECT_EQ(pointsToPixels(12, 96), 16);
  EXPECT_EQ(pointsToPixels(11.25, 96), 15);
  EXPECT_EQ(pointsToPixels(9.75, 96), 13);
  EXPECT_EQ(pointsToPixels(9, 96), 12);
}

}  // namespace
}  // namespace vantora::ui
