#include "ui/qt/program_end.h"

#include <QGuiApplication>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>
#include <xcb/xcb.h>

#include "ui/qt/clipboard_handover.h"

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
  if (auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr) {
    if (xcb_connection_t* connection = x11->connection()) {
      xcb_flush(connection);
      ::shutdown(xcb_get_file_descriptor(connection), SHUT_RDWR);
    }
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

namespace {

// Where libwayland-client would connect: an inherited socket, or WAYLAND_DISPLAY
// (default wayland-0), absolute or inside XDG_RUNTIME_DIR.
std::optional<std::string> missingCompositor() {
  if (!qEnvironmentVariableIsEmpty("WAYLAND_SOCKET")) return std::nullopt;
  const QByteArray name = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "wayland-0" : qgetenv("WAYLAND_DISPLAY");
  const QByteArray runtimeDir = qgetenv("XDG_RUNTIME_DIR");
  if (!name.startsWith('/') && runtimeDir.isEmpty()) {
    return "no Wayland compositor could be reached: XDG_RUNTIME_DIR is not set";
  }
  const QByteArray path = name.startsWith('/') ? name : runtimeDir + '/' + name;
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const bool fits = static_cast<std::size_t>(path.size()) < sizeof address.sun_path;
  if (fits) std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  const bool answered =
      fits && fd >= 0 && ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  if (fd >= 0) ::close(fd);
  if (answered) return std::nullopt;
  return "no Wayland compositor could be reached: WAYLAND_DISPLAY=" + name.toStdString() + " does not answer";
}

}  // namespace

std::optional<std::string> missingDisplay() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
  if (platform.startsWith("wayland")) return missingCompositor();
  if (!platform.isEmpty() && !platform.startsWith("xcb")) return std::nullopt;
  if (platform.isEmpty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return std::nullopt;
  const QByteArray display = qgetenv("DISPLAY");
  if (display.isEmpty()) return "no display could be opened: DISPLAY is not set";
  xcb_connection_t* connection = xcb_connect(display.constData(), nullptr);
  const bool failed = xcb_connection_has_error(connection) != 0;
  xcb_disconnect(connection);
  if (!failed) return std::nullopt;
  return "no display could be opened: DISPLAY=" + display.toStdString() + " does not answer";
}

}  // namespace vantora::ui::qt
