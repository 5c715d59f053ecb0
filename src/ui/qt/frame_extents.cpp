#include "ui/qt/frame_extents.h"

#include <QWidget>
#include <array>
#include <string_view>
#include <thread>
#include <xcb/xcb.h>

#include "ui/qt/x11_connection.h"

namespace vantora::ui::qt {
namespace {

using namespace std::chrono_literals;

// The manager answers at once; a slow one costs the start at most this.
constexpr auto kAnswerDeadline = 250ms;

struct Atoms {
  xcb_atom_t supported = XCB_ATOM_NONE;
  xcb_atom_t request = XCB_ATOM_NONE;
  xcb_atom_t extents = XCB_ATOM_NONE;
};

// All three names are sent before any answer is read: one round trip, not three.
Atoms internAtoms(xcb_connection_t* connection) {
  constexpr std::array<std::string_view, 3> kNames = {"_NET_SUPPORTED", "_NET_REQUEST_FRAME_EXTENTS",
                                                      "_NET_FRAME_EXTENTS"};
  std::array<xcb_intern_atom_cookie_t, kNames.size()> cookies{};
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(kNames[i].size()), kNames[i].data());
  }
  std::array<xcb_atom_t, kNames.size()> atoms{};
  for (std::size_t i = 0; i < kNames.size(); ++i) {
    const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection, cookies[i], nullptr));
    atoms[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }
  return {atoms[0], atoms[1], atoms[2]};
}

// The window manager lists what it offers in _NET_SUPPORTED on the root window.
bool offered(xcb_connection_t* connection, xcb_window_t root, const Atoms& atoms) {
  if (atoms.supported == XCB_ATOM_NONE || atoms.request == XCB_ATOM_NONE || atoms.extents == XCB_ATOM_NONE) {
    return false;
  }
  const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, root, atoms.supported, XCB_ATOM_ATOM, 0, 4096), nullptr));
  if (!reply || reply->format != 32) return false;
  const auto* offers = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
  const int count = xcb_get_property_value_length(reply.get()) / 4;
  for (int i = 0; i < count; ++i) {
    if (offers[i] == atoms.request) return true;
  }
  return false;
}

std::optional<QMargins> readExtents(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t extents) {
  const ReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection, xcb_get_property(connection, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) return std::nullopt;
  const auto* sides = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
  return QMargins(static_cast<int>(sides[0]), static_cast<int>(sides[2]), static_cast<int>(sides[1]),
                  static_cast<int>(sides[3]));
}

}  // namespace

FrameExtentsRequest::FrameExtentsRequest(const QWidget& window) : window_(window) {
  xcb_connection_t* connection = x11Connection();
  if (connection == nullptr) return;
  const auto id = static_cast<xcb_window_t>(window.winId());
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const Atoms atoms = internAtoms(connection);
  if (!offered(connection, root, atoms)) return;

  xcb_client_message_event_t message{};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = id;
  message.type = atoms.request;
  xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  xcb_flush(connection);
  extentsAtom_ = atoms.extents;
  askedAt_ = std::chrono::steady_clock::now();
}

std::optional<QMargins> FrameExtentsRequest::answer() const {
  xcb_connection_t* connection = x11Connection();
  if (extentsAtom_ == XCB_ATOM_NONE || connection == nullptr) return std::nullopt;
  const auto id = static_cast<xcb_window_t>(window_.winId());
  // Property reads are round trips of their own: Qt's event queue is left alone.
  const auto deadline = askedAt_ + kAnswerDeadline;
  while (true) {
    // The manager speaks in device pixels; the window is placed in Qt's logical ones.
    if (auto margins = readExtents(connection, id, extentsAtom_)) return *margins / window_.devicePixelRatioF();
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(2ms);
  }
}

}  // namespace vantora::ui::qt
