#include "ui/qt/tab_control.h"

#include <QFrame>

#include "ui/layout_table.h"
#include "ui/qt/make_child.h"

namespace vantora::ui::qt {

TabStrip::TabStrip(QWidget* parent) : QTabBar(parent) {
  setExpanding(false);
  setDrawBase(false);
  setUsesScrollButtons(false);
  setElideMode(Qt::ElideRight);
}

QSize TabStrip::tabSizeHint(int index) const {
  const int tabs = count() > 0 ? count() : 1;
  const int base = width() / tabs;
  // The last tab takes the pixels left over by the division.
  const int tabWidth = index == tabs - 1 ? width() - base * (tabs - 1) : base;
  return {tabWidth, height()};
}

TabControl::TabControl(QSize size, int stripHeight, QWidget* parent)
    : QWidget(parent), stripHeight_(stripHeight), strip_(makeChild<TabStrip>(*this)) {
  setFixedSize(size);
  strip_->setGeometry(0, 0, size.width(), stripHeight);
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    QFrame* page = makeChild<QFrame>(*this);
    page->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    page->setObjectName(QStringLiteral("SSTab1.page%1").arg(i));
    page->setGeometry(0, stripHeight, size.width(), size.height() - stripHeight);
    page->setAutoFillBackground(true);
    page->setVisible(i == 0);
    pages_[i] = page;
    const std::string_view caption = i18n::tr(kTabCaptions[i]);
    strip_->addTab(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  }
  strip_->setCurrentIndex(0);
  connect(strip_, &QTabBar::currentChanged, this, &TabControl::showPage);
}

void TabControl::showPage(int index) {
  for (std::size_t i = 0; i < pages_.size(); ++i) pages_[i]->setVisible(static_cast<int>(i) == index);
}

}  // namespace vantora::ui::qt
