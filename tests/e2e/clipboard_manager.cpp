// A clipboard manager as small as a test needs: it owns CLIPBOARD_MANAGER, and
// when a program asks it to save the clipboard (SAVE_TARGETS) it fetches the
// text as UTF8_STRING, prints it to stdout, tells the program it is done and
// ends. "ready" on stdout says it is listening.

#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string_view>

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* connection, std::string_view name) {
  const ReplyPtr<xcb_intern_atom_reply_t> reply(
      xcb_intern_atom_reply(connection,
                            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
                            nullptr),
      &std::free);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

int fail(const char* what) {
  std::fprintf(stderr, "clipboard_manager: %s\n", what);
  return 1;
}

}  // namespace

int main() {
  alarm(120);  // a test that never asks ends it anyway
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection)) return fail("no display");
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const xcb_window_t window = xcb_generate_id(connection);
  xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                    XCB_COPY_FROM_PARENT, 0, nullptr);
  const xcb_atom_t manager = atom(connection, "CLIPBOARD_MANAGER");
  const xcb_atom_t saveTargets = atom(connection, "SAVE_TARGETS");
  const xcb_atom_t clipboard = atom(connection, "CLIPBOARD");
  const xcb_atom_t utf8 = atom(connection, "UTF8_STRING");
  const xcb_atom_t fetched = atom(connection, "TEST_MANAGER_TEXT");
  xcb_set_selection_owner(connection, window, manager, XCB_CURRENT_TIME);
  const ReplyPtr<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, manager), nullptr), &std::free);
  if (!owner || owner->owner != window) return fail("CLIPBOARD_MANAGER is taken");
  std::printf("ready\n");
  std::fflush(stdout);

  xcb_selection_request_event_t asked{};
  while (xcb_generic_event_t* raw = xcb_wait_for_event(connection)) {
    const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(raw, &std::free);
    const int type = event->response_type & 0x7f;
    if (type == XCB_SELECTION_REQUEST) {
      const auto& request = *reinterpret_cast<const xcb_selection_request_event_t*>(event.get());
      if (request.selection != manager || request.target != saveTargets) continue;
      asked = request;
      xcb_convert_selection(connection, window, clipboard, utf8, fetched, XCB_CURRENT_TIME);
      xcb_flush(connection);
    } else if (type == XCB_SELECTION_NOTIFY && asked.requestor != XCB_NONE) {
      const auto& notice = *reinterpret_cast<const xcb_selection_notify_event_t*>(event.get());
      if (notice.property == XCB_NONE) return fail("the clipboard's owner gave no text");
      const ReplyPtr<xcb_get_property_reply_t> text(
          xcb_get_property_reply(connection, xcb_get_property(connection, 1, window, fetched, utf8, 0, 1 << 20),
                                 nullptr),
          &std::free);
      if (!text) return fail("the text could not be read");
      std::fwrite(xcb_get_property_value(text.get()), 1,
                  static_cast<std::size_t>(xcb_get_property_value_length(text.get())), stdout);
      std::fflush(stdout);
      // Saved: the program may go.
      xcb_selection_notify_event_t done{};
      done.response_type = XCB_SELECTION_NOTIFY;
      done.time = asked.time;
      done.requestor = asked.requestor;
      done.selection = asked.selection;
      done.target = asked.target;
      done.property = asked.property;
      xcb_send_event(connection, 0, asked.requestor, 0, reinterpret_cast<const char*>(&done));
      xcb_flush(connection);
      xcb_disconnect(connection);
      return 0;
    }
  }
  return fail("the display went away");
}
