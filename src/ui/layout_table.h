#pragma once
// Form1's fixed layout: one row per control, positions and sizes in twips
// (1/1440 inch) from the top-left corner of the control's container. Both
// front ends create their controls from these rows, and nothing moves or
// resizes afterwards.

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "i18n/language.h"
#include "ui/pictures.h"
#include "ui/rgb.h"

namespace vantora::ui {

enum class ControlKind { Label, Image, DriveList, TabControl, Chart, TextBox, CommandButton, ListBox };

// A tab page's controls are measured from the tab control's top-left corner.
enum class Container { Window, TypePage, SystemPage, FeaturePage };

enum class FontFace {
  WindowDefault,  // the platform's user-interface font
  MsGothic,       // "ＭＳ ゴシック", fixed pitch
  MsPGothic,      // "ＭＳ Ｐゴシック", proportional
};

struct FontStyle {
  FontFace face = FontFace::WindowDefault;
  double points = 0;  // 0 with the window default
  int weight = 400;   // 400 normal, 700 bold
};

enum class TextColour { Default, Blue, Green, Black };

enum class Alignment { Left, Centre, Right };

struct ControlRow {
  std::string_view name;  // the control's own name, element number included: "lbSys(2)"
  ControlKind kind;
  Container container;
  int left, top, width, height;  // twips
  std::string_view content;      // caption or text at creation, in Japanese (shown through i18n::tr)
  FontStyle font;
  TextColour colour = TextColour::Default;
  Alignment alignment = Alignment::Left;
  bool visible = true;           // hidden working fields and pictures start hidden
  std::optional<int> tabIndex;   // place in the focus order; images have none
  std::optional<PictureId> picture;
};

inline constexpr std::string_view kWindowCaption = "Vantora  V2.1";
inline constexpr int kClientWidthTwips = 6750;
inline constexpr int kClientHeightTwips = 5070;
inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kDesignDpi = 96;

inline constexpr std::array<std::string_view, 3> kTabCaptions = {i18n::trNoop("種類・容量"), i18n::trNoop("システム"),
                                                                  i18n::trNoop("属性")};
// The tab strip is 5.2 mm high; the fields of every page start below it at Top 720.
inline constexpr int kTabStripTwips = 295;
inline constexpr Rgb kTabFaceColour{192, 192, 192};
// The raised frame round each page, inside SSTab1's outline (2 pixels at 96 dpi).
inline constexpr int kPageFrameTwips = 30;

inline constexpr std::string_view kAppTitleLine = i18n::trNoop("ディスク情報表示 Vantora  V2.1");
inline constexpr std::string_view kCreditLine = i18n::trNoop("2002/05/20  Vantora 開発チーム");

constexpr Rgb textRgb(TextColour colour) {
  switch (colour) {
    case TextColour::Blue: return {0, 0, 255};
    case TextColour::Green: return {0, 128, 0};
    case TextColour::Black:
    case TextColour::Default: break;
  }
  return {0, 0, 0};
}

// pixels = twips x dpi / 1440, rounded to the nearest pixel.
constexpr int twipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch : -((-scaled + half) / kTwipsPerInch));
}

// A font's height in pixels: points x dpi / 72, rounded.
constexpr int pointsToPixels(double points, int dpi) { return static_cast<int>(points * dpi / 72.0 + 0.5); }

namespace layout_detail {
using enum ControlKind;
using enum Container;
using enum TextColour;
using enum Alignment;
inline constexpr FontStyle kDefaultFont{};
inline constexpr FontStyle kHeaderFont{FontFace::MsGothic, 15.75, 700};
inline constexpr FontStyle kPageFont{FontFace::MsGothic, 12, 400};
inline constexpr FontStyle kButtonFont{FontFace::MsGothic, 11.25, 400};
inline constexpr FontStyle kSmallFont{FontFace::MsGothic, 9, 400};
inline constexpr FontStyle kListFont{FontFace::MsPGothic, 11.25, 400};
inline constexpr FontStyle kCaptionFont{FontFace::MsPGothic, 9.75, 400};
}  // namespace layout_detail

// Window controls from top to bottom, then each tab page's controls.
inline constexpr auto kForm1Layout = [] {
  using namespace layout_detail;
  return std::array<ControlRow, 32>{{
      {"lbPC(5)", Label, Window, 240, 120, 6255, 375, "*", kHeaderFont, Green, Centre, true, 1, {}},
      {"lbPC(4)", Label, Window, 1320, 600, 615, 255, "*", kDefaultFont, Green, Left, false, 2, {}},
      {"Image2", Image, Window, 240, 480, 960, 960, "", kDefaultFont, Default, Left, false, {}, PictureId::FixedDisk},
      {"Image1", Image, Window, 240, 720, 960, 960, "", kDefaultFont, Default, Left, false, {},
       PictureId::RemovableDrive},
      {"Image3", Image, Window, 240, 720, 960, 960, "", kDefaultFont, Default, Left, false, {}, PictureId::CdRom},
      {"Image4", Image, Window, 240, 720, 960, 960, "", kDefaultFont, Default, Left, false, {},
       PictureId::UnknownType},
      {"Image5", Image, Window, 240, 720, 945, 945, "", kDefaultFont, Default, Left, false, {}, PictureId::NoVolume},
      {"Label23", Label, Window, 1440, 840, 3735, 375, kAppTitleLine, kSmallFont, Default, Centre, true, 20, {}},
      {"Drive1", DriveList, Window, 2760, 1260, 2535, 300, "", kDefaultFont, Default, Left, true, 19, {}},
      {"Label18", Label, Window, 1440, 1320, 1335, 255, i18n::trNoop("表示ディスク　："), kCaptionFont, Blue, Left, true, 18, {}},
      {"SSTab1", TabControl, Window, 120, 1800, 6495, 2415, "", kButtonFont, Black, Left, true, 0, {}},
      {"MSChart1", Chart, Window, 4080, 4080, 1215, 1095, "", kDefaultFont, Default, Left, true, 22, {}},
      {"Text1", TextBox, Window, 120, 4320, 735, 270, "Text1", kDefaultFont, Default, Left, false, 23, {}},
      {"Text2", TextBox, Window, 960, 4320, 735, 270, "Text2", kDefaultFont, Default, Left, false, 24, {}},
      {"Label6", Label, Window, 2280, 4320, 975, 255, i18n::trNoop("Disk使用率"), kCaptionFont, Default, Left, true, 26, {}},
      {"Label4", Label, Window, 3240, 4320, 735, 255, "＊", kCaptionFont, Default, Right, true, 25, {}},
      {"cmdF10", CommandButton, Window, 5280, 4320, 1335, 615, i18n::trNoop("終了/F10"), kButtonFont, Default, Centre, true, 5, {}},
      {"Label20", Label, Window, 240, 4680, 4095, 255, kCreditLine, kSmallFont, Black, Left, true, 14, {}},

      {"Label22", Label, TypePage, 600, 720, 1455, 255, i18n::trNoop("ディスク種類"), kPageFont, Blue, Left, true, 15, {}},
      {"lbSyu(0)", Label, TypePage, 2520, 720, 3375, 255, "*", kPageFont, Default, Left, true, 16, {}},
      {"Label10", Label, TypePage, 600, 1200, 1335, 255, i18n::trNoop("総容量"), kPageFont, Blue, Left, true, 3, {}},
      // The capacities reach the page's inner right edge: a drive's count and megabytes need the room.
      {"lbSou(1)", Label, TypePage, 2520, 1200, 3945, 255, "*", kPageFont, Default, Left, true, 4, {}},
      {"Label19", Label, TypePage, 600, 1680, 1455, 255, i18n::trNoop("空容量"), kPageFont, Blue, Left, true, 13, {}},
      {"lbAki(2)", Label, TypePage, 2520, 1680, 3945, 255, "*", kPageFont, Default, Left, true, 12, {}},

      {"Label1", Label, SystemPage, 600, 720, 1455, 255, i18n::trNoop("システム名"), kPageFont, Blue, Left, true, 6, {}},
      {"lbSys(0)", Label, SystemPage, 2520, 720, 2535, 255, "*", kPageFont, Default, Left, true, 9, {}},
      {"Label3", Label, SystemPage, 600, 1200, 1575, 255, i18n::trNoop("ボリューム名"), kPageFont, Blue, Left, true, 7, {}},
      {"lbSys(1)", Label, SystemPage, 2520, 1200, 2535, 255, "*", kPageFont, Default, Left, true, 10, {}},
      {"Label2", Label, SystemPage, 600, 1680, 1455, 255, i18n::trNoop("シリアルNo"), kPageFont, Blue, Left, true, 8, {}},
      {"lbSys(2)", Label, SystemPage, 2520, 1680, 2535, 255, "*", kPageFont, Default, Left, true, 11, {}},

      {"Label5", Label, FeaturePage, 600, 720, 495, 375, i18n::trNoop("属性"), kPageFont, Blue, Left, true, 17, {}},
      {"List1", ListBox, FeaturePage, 1200, 720, 5055, 1185, "", kListFont, Default, Left, true, 21, {}},
  }};
}();

// Each run-time field and the caption that names it, for screen readers.
struct CaptionPair {
  std::string_view caption;
  std::string_view field;
};
inline constexpr std::array<CaptionPair, 9> kCaptionPairs{{
    {"Label18", "Drive1"},
    {"Label22", "lbSyu(0)"},
    {"Label10", "lbSou(1)"},
    {"Label19", "lbAki(2)"},
    {"Label1", "lbSys(0)"},
    {"Label3", "lbSys(1)"},
    {"Label2", "lbSys(2)"},
    {"Label5", "List1"},
    {"Label6", "Label4"},
}};

constexpr const ControlRow* findControl(std::string_view name) {
  for (const ControlRow& row : kForm1Layout) {
    if (row.name == name) return &row;
  }
  return nullptr;
}

// The pie's disc inside MSChart1, in twips from the chart's top-left corner: a
// square inset from the edges of the part of the chart that shows, below the
// tab control it overlaps and above the strip that the window's bottom edge
// cuts off, so the whole disc stays visible.
struct ChartDisc {
  int left, top, size;
};
inline constexpr int kChartDiscInsetTwips = 45;
constexpr ChartDisc chartDisc() {
  const ControlRow& chart = *findControl("MSChart1");
  const ControlRow& tab = *findControl("SSTab1");
  const int shownTop = std::max(0, tab.top + tab.height - chart.top);
  const int shownBottom = std::min(chart.height, kClientHeightTwips - chart.top);
  const int size = std::min(chart.width, shownBottom - shownTop) - 2 * kChartDiscInsetTwips;
  return {(chart.width - size) / 2, shownTop + (shownBottom - shownTop - size) / 2, size};
}

static_assert(findControl("lbSou(1)")->left + findControl("lbSou(1)")->width ==
              findControl("SSTab1")->width - kPageFrameTwips);
static_assert(findControl("lbAki(2)")->width == findControl("lbSou(1)")->width);

// A translated caption too wide for its Japanese box, for which no shorter
// wording exists, takes the empty room beside it in a translated window only.
// The feature list's caption has room for two Japanese characters; the page's
// empty margin to its left and the gap before the list hold an English word.
struct CaptionRoom {
  std::string_view name;
  int left, width;  // twips, in the control's container
};
inline constexpr std::array<CaptionRoom, 1> kTranslatedCaptionRooms{{{"Label5", 120, 1050}}};

// The row as a window in the source language (`translated` false) or in a translation places it.
constexpr ControlRow placedRow(const ControlRow& row, bool translated) {
  ControlRow placed = row;
  for (const CaptionRoom& room : kTranslatedCaptionRooms) {
    if (translated && room.name == row.name) {
      placed.left = room.left;
      placed.width = room.width;
    }
  }
  return placed;
}

// The row as the window's language places it.
inline ControlRow placedRow(const ControlRow& row) {
  return placedRow(row, i18n::currentLanguage() != i18n::kSourceLanguage);
}

// The grown caption stays inside the page frame and clear of the list beside it.
static_assert(placedRow(*findControl("Label5"), true).left >= kPageFrameTwips);
static_assert(placedRow(*findControl("Label5"), true).left + placedRow(*findControl("Label5"), true).width <
              findControl("List1")->left);

constexpr int tabPageIndex(Container container) {
  switch (container) {
    case Container::TypePage: return 0;
    case Container::SystemPage: return 1;
    case Container::FeaturePage: return 2;
    case Container::Window: break;
  }
  return -1;
}

}  // namespace vantora::ui
