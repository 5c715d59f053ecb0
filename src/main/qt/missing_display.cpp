#include "main/qt/missing_display.h"

#include <QByteArray>
#include <QtGlobal>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace vantora {
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

}  // namespace vantora
