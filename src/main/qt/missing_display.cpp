#include "main/qt/missing_display.h"

#include <QByteArray>
#include <QtGlobal>
#include <xcb/xcb.h>

namespace vantora {

std::optional<std::string> missingDisplay() {
  const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
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
