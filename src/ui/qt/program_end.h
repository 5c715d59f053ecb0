#pragma once
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <memory>

class QWidget;

namespace vantora::ui::qt {

// Ends the process at once with exit code 0, the window taken off the screen
// first. A worker thread may be waiting in the kernel on a hung mount: the
// process cannot be reaped until that call returns, and the display connection,
// with the window on it, would live on until then. Closing the connection
// makes the X server take the window down now. A copy this program owns is
// handed to a clipboard manager first, so it still pastes.
[[noreturn]] void endProcessNow(QWidget& window);

// SIGTERM, SIGINT and SIGHUP run `onSignal` on the event loop, the way a key
// does: the handler only writes one byte to a socket that a notifier watches.
class EndSignals : public QObject {
 public:
  explicit EndSignals(std::function<void()> onSignal);
  ~EndSignals() override;

 private:
  std::function<void()> onSignal_;
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vantora::ui::qt
