#pragma once
// What the Qt front end asks of the X server itself, where Qt offers no call.

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace vantora::ui::qt {

// Qt's own connection to the X server; null on any other platform (Wayland, offscreen).
inline xcb_connection_t* x11Connection() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 ? x11->connection() : nullptr;
}

// An xcb reply, which the caller frees with free().
struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

}  // namespace vantora::ui::qt
