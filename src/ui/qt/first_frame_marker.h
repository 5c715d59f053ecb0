#pragma once
#include <QObject>
#include <QWidget>

namespace vantora::ui::qt {

// Prints "first-frame <ms since process start> at <seconds after boot>" to
// stderr once, when the window's first frame has been painted and handed to
// the screen. Start-up measurements read this line; one that notes the boot
// clock just before exec gets the start-up time without the 10 ms steps of
// the kernel's process start time.
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

// The line described above, written now.
void printFirstFrameMark();

}  // namespace vantora::ui::qt
