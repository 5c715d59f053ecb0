#include "ui/qt/form1.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "ui/layout_table.h"
#include "ui/qt/picture_pixmaps.h"

namespace vantora::ui::qt {
namespace {

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

void showMessageBox(QWidget& parent, const QString& text, const QString& caption) {
  QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, &parent);
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

// There is nothing to save, and nothing may run after the user asked to leave.
[[noreturn]] void endProcessNow() {
  std::fflush(nullptr);
  std::_Exit(0);
}

void setCaption(QLabel& label, const Label& field) { label.setText(QString::fromStdString(field.caption())); }

}  // namespace

Form1::Form1(Form1Model& model, SystemQueries& system, Form1Seams seams)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      model_(model),
      system_(system),
      seams_(std::move(seams)),
      controls_(buildForm1Controls(*this)),
      events_(model, system, *this),
      keyPreview_(*this, [this](int keyCode, int shift) { return events_.Form_KeyDown(keyCode, shift); }) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(toQString(kWindowCaption));
  setWindowIcon(form1Icon());
  setFixedSize(twipsToPixels(kClientWidthTwips, kDesignDpi), twipsToPixels(kClientHeightTwips, kDesignDpi));

  if (!seams_.messageBox) {
    seams_.messageBox = [this](const QString& text, const QString& caption) { showMessageBox(*this, text, caption); };
  }
  if (!seams_.endProgram) seams_.endProgram = endProcessNow;

  controls_.drive1->setBeforeDropDown([this] { rereadDrives(); });
  controls_.drive1->setOnUserSelection([this](std::size_t index) { events_.Drive1_Change(index); });
  connect(controls_.cmdF10, &QPushButton::clicked, this, [this] { events_.cmdF10_Click(); });

  controls_.drive1->showEntries(model_.Drive1.entries, model_.Drive1.listIndex);
  controls_.ssTab1->strip().setFocus();
}

Extent Form1::screenSize() const {
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  return {static_cast<double>(screen.width()), static_cast<double>(screen.height())};
}

// Before the window is first shown the window manager has not framed it yet, and
// the frame is the client area itself.
Extent Form1::outerSize() const {
  const QRect frame = frameGeometry();
  return {static_cast<double>(frame.width()), static_cast<double>(frame.height())};
}

void Form1::moveTo(Position topLeft) {
  const QPoint screenOrigin = QGuiApplication::primaryScreen()->geometry().topLeft();
  move(screenOrigin + QPoint(static_cast<int>(std::lround(topLeft.left)), static_cast<int>(std::lround(topLeft.top))));
}

void Form1::render(const Form1Model& form) {
  setCaption(*controls_.lbPC4, form.lbPC(4));
  setCaption(*controls_.lbPC5, form.lbPC(5));
  setCaption(*controls_.lbSyu0, form.lbSyu(0));
  const Image* images[] = {&form.Image1, &form.Image2, &form.Image3, &form.Image4, &form.Image5};
  for (std::size_t i = 0; i < controls_.images.size(); ++i) controls_.images[i]->setVisible(images[i]->visible);
  setCaption(*controls_.lbSou1, form.lbSou(1));
  setCaption(*controls_.lbAki2, form.lbAki(2));
  for (int i = 0; i < 3; ++i) setCaption(*controls_.lbSys[static_cast<std::size_t>(i)], form.lbSys(i));
  controls_.list1->clear();
  for (const std::string& item : form.List1.items) controls_.list1->addItem(QString::fromStdString(item));
  controls_.text1->setText(QString::fromStdString(form.Text1.text));
  controls_.text2->setText(QString::fromStdString(form.Text2.text));
  setCaption(*controls_.label4, form.Label4);
  controls_.msChart1->setData(form.MSChart1(1), form.MSChart1(2));
  controls_.drive1->showEntries(form.Drive1.entries, form.Drive1.listIndex);
}

void Form1::messageBox(std::string_view text, std::string_view caption) {
  seams_.messageBox(toQString(text), toQString(caption));
}

void Form1::endProgram() { seams_.endProgram(); }

// The drive list is read again each time it drops down, keeping the selection on
// the same drive; the refresh runs only when the user then picks one.
void Form1::rereadDrives() {
  DriveList list = system_.listDrives();
  model_.Drive1.replaceEntries(std::move(list.drives), list.current);
  controls_.drive1->showEntries(model_.Drive1.entries, model_.Drive1.listIndex);
}

}  // namespace vantora::ui::qt
