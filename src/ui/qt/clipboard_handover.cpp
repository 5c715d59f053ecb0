#include "ui/qt/clipboard_handover.h"

#include <QAbstractNativeEventFilter>
#include <QClipboard>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QTimer>
#include <string_view>
#include <xcb/xcb.h>

#include "ui/qt/x11_connection.h"

namespace vantora::ui::qt {
namespace {

// Managers answer at once; this only bounds one that has hung.
constexpr int kManagerDeadlineMs = 3000;

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t selectionOwner(xcb_connection_t* connection, xcb_atom_t selection) {
  const ReplyPtr<xcb_get_selection_owner_reply_t> reply(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
  return reply ? reply->owner : xcb_window_t{XCB_NONE};
}

// Ends the wait when the manager's answer to our request arrives.
class SavedNotice : public QAbstractNativeEventFilter {
 public:
  SavedNotice(xcb_window_t requestor, QEventLoop& loop) : requestor_(requestor), loop_(loop) {}
  bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) != XCB_SELECTION_NOTIFY) return false;
    if (reinterpret_cast<const xcb_selection_notify_event_t*>(event)->requestor != requestor_) return false;
    loop_.quit();
    return true;
  }

 private:
  xcb_window_t requestor_;
  QEventLoop& loop_;
};

}  // namespace

void handClipboardToManager() {
  xcb_connection_t* connection = x11Connection();
  if (connection == nullptr || !QGuiApplication::clipboard()->ownsClipboard()) return;
  const xcb_atom_t manager = atom(connection, "CLIPBOARD_MANAGER");
  if (manager == XCB_ATOM_NONE || selectionOwner(connection, manager) == XCB_NONE) return;

  // The answer comes to a window of this request's own.
  const xcb_window_t requestor = xcb_generate_id(connection);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, requestor, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_convert_selection(connection, requestor, manager, atom(connection, "SAVE_TARGETS"),
                        atom(connection, "VANTORA_SAVE_TARGETS"), XCB_CURRENT_TIME);
  xcb_flush(connection);

  QEventLoop loop;
  SavedNotice notice(requestor, loop);
  QCoreApplication::instance()->installNativeEventFilter(&notice);
  QTimer::singleShot(kManagerDeadlineMs, &loop, &QEventLoop::quit);
  // Only the manager is served meanwhile: the window is gone and takes no input.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  QCoreApplication::instance()->removeNativeEventFilter(&notice);
  xcb_destroy_window(connection, requestor);
  xcb_flush(connection);
}

}  // namespace vantora::ui::qt
