#include "ui/qt/program_end.h"

#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

#include "ui/qt/clipboard_handover.h"
#include "ui/qt/x11_connection.h"

namespace vantora::ui::qt {
namespace {

// The write end for the signal handler; a plain int is what a handler may touch.
int signalWriteFd = -1;
int signalReadFd = -1;

void onEndSignal(int) {
  const int saved = errno;
  const char byte = 1;
  // A full socket already holds a wake-up: losing this byte loses nothing.
  [[maybe_unused]] const ssize_t ignored = ::write(signalWriteFd, &byte, 1);
  errno = saved;
}

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};

}  // namespace

void endProcessNow(QWidget& window) {
  window.hide();
  handClipboardToManager();
  if (xcb_connection_t* connection = x11Connection()) {
    xcb_flush(connection);
    ::shutdown(xcb_get_file_descriptor(connection), SHUT_RDWR);
  }
  std::fflush(nullptr);
  std::_Exit(0);
}

EndSignals::EndSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  int fds[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, fds) != 0) return;
  signalReadFd = fds[0];
  signalWriteFd = fds[1];
  notifier_ = std::make_unique<QSocketNotifier>(signalReadFd, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
    char drained[16];
    while (::read(signalReadFd, drained, sizeof drained) > 0) {
    }
    onSignal_();
  });
  struct sigaction action {};
  action.sa_handler = onEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kEndSignals) ::sigaction(signal, &action, nullptr);
}

EndSignals::~EndSignals() {
  if (signalReadFd < 0) return;
  for (int signal : kEndSignals) std::signal(signal, SIG_DFL);
  notifier_.reset();
  ::close(std::exchange(signalReadFd, -1));
  ::close(std::exchange(signalWriteFd, -1));
}

}  // namespace vantora::ui::qt
