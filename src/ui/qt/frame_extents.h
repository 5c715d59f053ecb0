#pragma once
#include <QMargins>
#include <optional>

class QWidget;

namespace vantora::ui::qt {

// The frame the window manager will put round `window` once it is mapped, asked
// for before it is shown (the EWMH _NET_REQUEST_FRAME_EXTENTS), so the window can
// be centred as the user will see it without moving after it appears. Nothing
// when the platform is not X11, no window manager answers, or it does not offer
// the request.
std::optional<QMargins> frameExtentsBeforeMapping(const QWidget& window);

}  // namespace vantora::ui::qt
