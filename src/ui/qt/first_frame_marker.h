#pragma once
#include <QObject>
#include <QWidget>

namespace vantora::ui::qt {

// Prints "first-frame <ms since process start>" to stderr once, when the
// window's first frame has been painted and handed to the screen. Start-up
// measurements read this line.
class FirstFrameMarker : public QObject {
 public:
  explicit FirstFrameMarker(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

// Milliseconds since the kernel started this process (before the loader ran),
// or since the first call where that time cannot be read.
double millisecondsSinceProcessStart();

}  // namespace vantora::ui::qt
