#include "ui/qt/form1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <cmath>

#include "app/event_guard.h"
#include "ui/copy_details.h"
#include "ui/copy_texts.h"
#include "ui/layout_table.h"
#include "ui/qt/make_child.h"
#include "ui/qt/picture_pixmaps.h"
#include "ui/qt/program_end.h"

namespace vantora::ui::qt {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The window manager decides the frame from the window's size hints (a window
// of fixed size gets no resize handle), so they are set before it is asked.
QWidget& shaped(QWidget& window) {
  window.setWindowTitle(toQString(kWindowCaption));
  window.setFixedSize(twipsToPixels(kClientWidthTwips, kDesignDpi), twipsToPixels(kClientHeightTwips, kDesignDpi));
  return window;
}

void showMessageBox(QWidget& parent, const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, &parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

}  // namespace

Form1::Form1(Form1Model& model, SystemQueries& system, Form1Seams seams)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      seams_(std::move(seams)),
      frameRequest_(shaped(*this)),
      controls_(buildForm1Controls(*this)),
      bound_(controls_),
      events_(model, system, *this),
      keyPreview_(*this, [this](int keyCode, int shift) {
        bool taken = false;
        runGuarded([&] { taken = events_.Form_KeyDown(keyCode, shift); });
        return taken;
      }) {
  setObjectName(QStringLiteral("Form1"));
  setWindowIcon(form1Icon());

  if (!seams_.messageBox) {
    seams_.messageBox = [this](const QString& text, const QString& caption) { showMessageBox(*this, text, caption); };
  }
  // There is nothing to save, and nothing may run after the user asked to leave.
  if (!seams_.endProgram) seams_.endProgram = [this] { endProcessNow(*this); };

  // Every event reaches the program through runGuarded: Qt cannot carry an exception.
  controls_.drive1->setBeforeDropDown([this] { runGuarded([this] { events_.Drive1_DropDown(); }); });
  controls_.drive1->setOnUserSelection(
      [this](std::size_t index) { runGuarded([this, index] { events_.Drive1_Change(index); }); });
  connect(controls_.cmdF10, &QPushButton::clicked, this, [this] { runGuarded([this] { events_.cmdF10_Click(); }); });

  addCopyMenu();
  renderDriveList(model);
  controls_.ssTab1->strip().setFocus();
}

// Controls without a menu of their own pass the request up to the window.
void Form1::addCopyMenu() {
  auto* copy = makeChild<QAction>(*this, toQString(i18n::tr(kCopyMenuItem)));
  copy->setObjectName(QStringLiteral("copyAction"));
  // Shown beside the item; the key itself reaches the handler through the key preview.
  copy->setShortcut(QKeySequence::Copy);
  copy->setShortcutContext(Qt::WidgetShortcut);
  connect(copy, &QAction::triggered, this, [this] { runGuarded([this] { events_.Edit_Copy(); }); });
  addAction(copy);
  setContextMenuPolicy(Qt::ActionsContextMenu);
}

Extent Form1::screenSize() const {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  return {static_cast<double>(screen.width()), static_cast<double>(screen.height())};
}

// Before the window is first shown the window manager has not framed it yet:
// the frame it will get is asked for, so the window is centred as it will be
// seen. Where no frame is known, the frame is the client area itself.
Extent Form1::outerSize() const {
  const QRect frame = isVisible() ? frameGeometry() : geometry().marginsAdded(frameToCome());
  return {static_cast<double>(frame.width()), static_cast<double>(frame.height())};
}

// Until the window is mapped, the window system places its client area where it
// is put; the frame then grows round it. So the client goes inside the frame to come.
void Form1::moveTo(Position topLeft) {
  const QPoint frameTopLeft = QGuiApplication::primaryScreen()->geometry().topLeft() +
                              QPoint(static_cast<int>(std::lround(topLeft.left)), static_cast<int>(std::lround(topLeft.top)));
  if (isVisible()) {
    move(frameTopLeft);
  } else {
    setGeometry(QRect(frameTopLeft + QPoint(frameToCome().left(), frameToCome().top()), size()));
  }
}

QMargins Form1::frameToCome() const {
  if (!frameToCome_) frameToCome_ = frameRequest_.answer().value_or(QMargins());
  return *frameToCome_;
}

void Form1::render(const Form1Model& form) { renderForm1(form, bound_); }

void Form1::renderDriveList(const Form1Model& form) { renderForm1(form, bound_, BindingKind::DriveEntries); }

void Form1::renderChanges(const Form1Model& before, const Form1Model& after) {
  renderForm1Changes(before, after, bound_);
}

// A coarse timer lets the system wake the program together with others.
void Form1::startLiveFigures() {
  liveFigures_.setTimerType(Qt::VeryCoarseTimer);
  liveFigures_.setInterval(static_cast<int>(kLiveFiguresInterval.count()));
  connect(&liveFigures_, &QTimer::timeout, this, [this] {
    if (isVisible() && !isMinimized()) runGuarded([this] { events_.LiveFigures_Tick(); });
  });
  liveFigures_.start();
}

void Form1::messageBox(std::string_view text, std::string_view caption) {
  seams_.messageBox(toQString(text), toQString(caption));
}

void Form1::endProgram() { seams_.endProgram(); }

void Form1::copyDetails(const Form1Model& form) {
  QGuiApplication::clipboard()->setText(QString::fromStdString(ui::copyDetails(form)));
}

}  // namespace vantora::ui::qt
