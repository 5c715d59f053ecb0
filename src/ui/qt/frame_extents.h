#pragma once
#include <QMargins>
#include <chrono>
#include <cstdint>
#include <optional>

class QWidget;

namespace vantora::ui::qt {

// The frame the window manager will put round a window once it is mapped,
// asked for before it is shown (the EWMH _NET_REQUEST_FRAME_EXTENTS), so the
// window can be centred as the user will see it without moving after it
// appears. The question goes out when the object is made and the answer is
// read when wanted, so the manager works on it while the window's controls
// are being built instead of while the start-up waits.
class FrameExtentsRequest {
 public:
  // Asks now, giving `window` its native window: its title, flags and size
  // must be set already, as the manager decides the frame from them. Asks
  // nothing when the platform is not X11 or the manager does not offer it.
  explicit FrameExtentsRequest(const QWidget& window);

  // The frame, waiting for the answer until a deadline after the question;
  // nothing when nothing was asked or no answer came.
  std::optional<QMargins> answer() const;

 private:
  const QWidget& window_;
  std::uint32_t extentsAtom_ = 0;  // _NET_FRAME_EXTENTS once the question is out; 0 when nothing was asked
  std::chrono::steady_clock::time_point askedAt_;
};

}  // namespace vantora::ui::qt
