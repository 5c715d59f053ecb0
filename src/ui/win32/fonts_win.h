#pragma once
// The fonts of Form1 at one DPI: the two Japanese Gothic faces at the sizes
// the layout table names, and the system's message font where a control keeps
// the window default. Made again when the window moves to a screen with
// another DPI.

#include <vector>

#include "ui/layout_table.h"
#include "ui/win32/unique_handle_win.h"

namespace vantora::ui::win32 {

// One font of the table's faces at `dpi`.
UniqueFont makeFont(const FontStyle& wanted, int dpi);

class Form1Fonts {
 public:
  explicit Form1Fonts(int dpi);
  // The font for a row of the table; every font the table names is made up front.
  HFONT fontFor(const FontStyle& wanted) const;

 private:
  struct Entry {
    FontStyle wanted;
    UniqueFont font;
  };
  std::vector<Entry> fonts_;
};

}  // namespace vantora::ui::win32
