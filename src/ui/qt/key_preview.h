#pragma once
#include <QObject>
#include <QWidget>
#include <functional>

namespace vantora::ui::qt {

// Form1's key preview: a key the window's handler takes (F10, Ctrl+C) going down
// anywhere in the window, whichever control has the focus (the drive list's open
// popup included), reaches the window's key handler before the control sees it.
// Keys meant for another modal window (the message box) are left alone.
class KeyPreview : public QObject {
 public:
  // keyDown gets the key code and the shift state (1 Shift, 2 Ctrl, 4 Alt) and
  // returns whether it took the key.
  KeyPreview(QWidget& window, std::function<bool(int keyCode, int shift)> keyDown);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool belongsToWindow(const QObject* receiver) const;

  QWidget& window_;
  std::function<bool(int, int)> keyDown_;
};

// The window's key code of a Qt key (F1 112 ... F10 121, letters and digits as
// their upper-case character), 0 for a key the handler never distinguishes.
int windowKeyCode(int qtKey);

}  // namespace vantora::ui::qt
