#include "ui/qt/key_preview.h"

#include <QApplication>
#include <QKeyEvent>

#include "app/form1_events.h"

namespace vantora::ui::qt {
namespace {

int shiftState(Qt::KeyboardModifiers modifiers) {
  return (modifiers.testFlag(Qt::ShiftModifier) ? 1 : 0) | (modifiers.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (modifiers.testFlag(Qt::AltModifier) ? 4 : 0);
}

}  // namespace

int windowKeyCode(int qtKey) {
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16) return 112 + (qtKey - Qt::Key_F1);
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) return qtKey;
  return 0;
}

KeyPreview::KeyPreview(QWidget& window, std::function<bool(int, int)> keyDown)
    : window_(window), keyDown_(std::move(keyDown)) {
  qApp->installEventFilter(this);
}

bool KeyPreview::belongsToWindow(const QObject* receiver) const {
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal != nullptr && modal != &window_) return false;
  for (const QObject* object = receiver; object != nullptr; object = object->parent()) {
    if (object == &window_) return true;
  }
  return false;
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event) {
  const bool keyDown = event->type() == QEvent::KeyPress;
  const bool shortcutOverride = event->type() == QEvent::ShortcutOverride;
  if ((!keyDown && !shortcutOverride) || !belongsToWindow(watched)) return false;
  auto* key = static_cast<QKeyEvent*>(event);
  // Keys the window's handler does not take go straight to their control (and
  // are not seen again as they travel up to its parents).
  const int keyCode = windowKeyCode(key->key());
  const int shift = shiftState(key->modifiers());
  if (!Form1Events::takesKey(keyCode, shift)) return false;
  if (shortcutOverride) {
    // Claim the key so no shortcut, menu or control (a list copies its own
    // line on Ctrl+C) takes it; the key press that follows reaches the handler.
    key->accept();
    return true;
  }
  return keyDown_(keyCode, shift);
}

}  // namespace vantora::ui::qt
