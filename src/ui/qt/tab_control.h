#pragma once
#include <QTabBar>
#include <QWidget>
#include <array>

namespace vantora::ui::qt {

// The strip of SSTab1: three tabs of equal width in one row, as a tabbed dialog draws them.
class TabStrip : public QTabBar {
 public:
  explicit TabStrip(QWidget* parent);

 protected:
  QSize tabSizeHint(int index) const override;
  QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

// SSTab1: a tab strip along the top and three pages below it. Every page spans the
// control's full width below the strip, so a page control placed at the tab
// control's twip coordinates lands where the layout says. Selecting a tab only
// changes which page is visible.
class TabControl : public QWidget {
 public:
  TabControl(QSize size, int stripHeight, QWidget* parent);

  QWidget& page(int index) { return *pages_.at(static_cast<std::size_t>(index)); }
  TabStrip& strip() { return *strip_; }
  int stripHeight() const { return stripHeight_; }

 private:
  void showPage(int index);

  int stripHeight_;
  TabStrip* strip_;
  std::array<QWidget*, 3> pages_{};
};

}  // namespace vantora::ui::qt
