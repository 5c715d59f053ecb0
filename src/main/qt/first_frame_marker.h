#pragma once
#include <QObject>
#include <QWidget>
#include <memory>

namespace vantora::startup {

// Prints "first-frame <ms since process start> at <seconds after boot>" to
// stderr once, when the window's first frame has been painted and handed to
// the screen. Only the start-up measurements and the end-to-end tests read
// this line, and only they set VANTORA_MARK_FIRST_FRAME; one that notes the
// boot clock just before exec gets the start-up time without the 10 ms steps
// of the kernel's process start time.
class FirstFrameMarker : public QObject {
 public:
  explicit FirstFrameMarker(QWidget& window);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
};

// A marker on `window` when the environment asks for one, else nothing.
std::unique_ptr<FirstFrameMarker> firstFrameMarkerIfAsked(QWidget& window);

}  // namespace vantora::startup
