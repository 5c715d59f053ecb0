#pragma once
// Every field of Form1 that the refresh reads or writes, named as the window
// names them. Front ends copy this model into their controls; nothing here
// knows about a toolkit.

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/system_queries.h"

namespace vantora {

// A label's caption: whatever is assigned is stored only up to its first NUL,
// as a window label stores it.
class Label {
 public:
  Label() : caption_("*") {}
  explicit Label(std::string_view caption) { setCaption(caption); }
  void setCaption(std::string_view text) { caption_.assign(text.substr(0, text.find('\0'))); }
  const std::string& caption() const { return caption_; }
  friend bool operator==(const Label&, const Label&) = default;

 private:
  std::string caption_;
};

// A control array with sparse element numbers (lbSys(0..2), lbPC(4) and lbPC(5)).
// Asking for an element that does not exist is an error, as in the window.
template <typename Control, int... Indices>
class ControlArray {
 public:
  Control& operator()(int index) { return elements_.at(slot(index)); }
  const Control& operator()(int index) const { return elements_.at(slot(index)); }
  friend bool operator==(const ControlArray&, const ControlArray&) = default;

 private:
  static std::size_t slot(int index) {
    constexpr std::array<int, sizeof...(Indices)> indices{Indices...};
    for (std::size_t i = 0; i < indices.size(); ++i) {
      if (indices[i] == index) return i;
    }
    throw std::out_of_range("no such element in the control array");
  }
  std::array<Control, sizeof...(Indices)> elements_{};
};

struct Image {
  bool visible = false;
  friend bool operator==(const Image&, const Image&) = default;
};

struct TextBox {
  std::string text;
  friend bool operator==(const TextBox&, const TextBox&) = default;
};

struct ListBox {
  std::vector<std::string> items;  // in the order they were added
  friend bool operator==(const ListBox&, const ListBox&) = default;
};

// The two numbers of the usage pie, numbered 1 (used, series "C1") and 2
// (free, series "C2").
class ChartData {
 public:
  constexpr ChartData() = default;
  constexpr ChartData(double element1, double element2) : values_{element1, element2} {}
  double& operator()(int element) { return values_.at(static_cast<std::size_t>(element - 1)); }
  double operator()(int element) const { return values_.at(static_cast<std::size_t>(element - 1)); }
  friend bool operator==(const ChartData&, const ChartData&) = default;

 private:
  std::array<double, 2> values_{};
};

// The drive list: the entries it offers and the one selected.
struct DriveListBox {
  std::vector<DriveEntry> entries;
  std::size_t listIndex = 0;

  // The selected drive; the list may be empty when the system offers nothing.
  const DriveEntry& selected() const { return entries.at(listIndex); }
  // Keeps the selection on the same root path when the list is read again.
  void replaceEntries(std::vector<DriveEntry> fresh, std::size_t fallback);
  friend bool operator==(const DriveListBox&, const DriveListBox&) = default;
};

inline constexpr std::string_view kPlaceholder = "*";
inline constexpr std::string_view kPercentPlaceholder = "＊";

struct Form1Model {
  ControlArray<Label, 4, 5> lbPC;        // 4: hidden, the bare computer name; 5: the header line
  ControlArray<Label, 0> lbSyu;          // drive type in words
  Image Image1, Image2, Image3, Image4, Image5;  // removable, fixed, CD-ROM, unknown, no volume
  ControlArray<Label, 1> lbSou;          // total capacity
  ControlArray<Label, 2> lbAki;          // free capacity
  ControlArray<Label, 0, 1, 2> lbSys;    // file-system name, volume name, serial
  ListBox List1;                         // file-system features
  TextBox Text1{"Text1"};                // hidden: free percentage
  TextBox Text2{"Text2"};                // hidden: used percentage
  Label Label4{kPercentPlaceholder};     // used percentage beside "Disk使用率"
  ChartData MSChart1{1000, 24};          // the chart's data until the first refresh
  DriveListBox Drive1;
  friend bool operator==(const Form1Model&, const Form1Model&) = default;
};

}  // namespace vantora
