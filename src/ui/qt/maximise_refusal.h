#pragma once
#include <QObject>
#include <QWidget>

namespace vantora::ui::qt {

// Keeps a window of fixed size out of the maximised and full-screen states on
// Wayland. Qt 6.4 draws a maximise button in its own Wayland title bar even for
// such a window, and a compositor that maximises a window requires its surface
// to fill the screen, or ends the connection. So a maximise, as it is asked
// for, takes the window's surface away and shows it again in its normal state.
// Elsewhere nothing is done: the window manager offers no maximise for a window
// of fixed size.
class MaximiseRefusal : public QObject {
 public:
  explicit MaximiseRefusal(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void refuse(Qt::WindowStates states);

  QWidget& window_;
  bool watching_ = false;
};

}  // namespace vantora::ui::qt
