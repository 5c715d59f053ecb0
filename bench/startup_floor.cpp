// The start-up floor: a Qt program that shows a window of Form1's shape and
// nothing more. It creates stock widgets for the rows of the layout table in
// their places and fonts, asks the system nothing, runs no refresh and paints
// no chart. bench_startup compares Vantora's first frame and memory with this
// program's, measured in the same run.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include "main/qt/first_frame_marker.h"
#include "ui/layout_table.h"
#include "ui/qt/fonts_qt.h"
#include "ui/qt/make_child.h"

namespace {

using namespace vantora::ui;
using vantora::ui::qt::makeChild;

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

int px(int twips) { return twipsToPixels(twips, kDesignDpi); }

QWidget* stockWidget(QWidget& parent, const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::Label: return makeChild<QLabel>(parent, toQString(row.content));
    case ControlKind::Image: return makeChild<QLabel>(parent);
    case ControlKind::DriveList: {
      auto* box = makeChild<QComboBox>(parent);
      box->addItem(QStringLiteral("/"));
      return box;
    }
    case ControlKind::TabControl: {
      auto* tabs = makeChild<QTabWidget>(parent);
      for (std::string_view caption : kTabCaptions) tabs->addTab(makeChild<QWidget>(*tabs), toQString(caption));
      return tabs;
    }
    case ControlKind::Chart: return makeChild<QWidget>(parent);
    case ControlKind::TextBox: return makeChild<QLineEdit>(parent, toQString(row.content));
    case ControlKind::CommandButton: return makeChild<QPushButton>(parent, toQString(row.content));
    case ControlKind::ListBox: return makeChild<QListWidget>(parent);
  }
  return makeChild<QWidget>(parent);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  vantora::ui::qt::installFontSubstitutions();

  QWidget window;
  window.setWindowTitle(toQString(kWindowCaption));
  window.setFixedSize(px(kClientWidthTwips), px(kClientHeightTwips));
  QTabWidget* tabs = nullptr;
  for (const ControlRow& row : kForm1Layout) {
    QWidget& parent = row.container == Container::Window || tabs == nullptr
                          ? window
                          : *tabs->widget(tabPageIndex(row.container));
    QWidget* widget = stockWidget(parent, row);
    widget->setGeometry(px(row.left), px(row.top), px(row.width), px(row.height));
    if (row.font.face != FontFace::WindowDefault) widget->setFont(vantora::ui::qt::fontFor(row.font));
    if (!row.visible) widget->hide();
    if (row.kind == ControlKind::TabControl) tabs = static_cast<QTabWidget*>(widget);
  }

  const auto firstFrame = vantora::startup::firstFrameMarkerIfAsked(window);
  window.show();
  return QApplication::exec();
}
