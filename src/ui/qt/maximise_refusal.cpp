#include "ui/qt/maximise_refusal.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWindow>

namespace vantora::ui::qt {
namespace {

constexpr Qt::WindowStates kFillingStates = Qt::WindowMaximized | Qt::WindowFullScreen;

}  // namespace

MaximiseRefusal::MaximiseRefusal(QWidget& window) : window_(window) {
  if (QGuiApplication::platformName() == QStringLiteral("wayland")) window_.installEventFilter(this);
}

// The native window exists once the window is first shown.
bool MaximiseRefusal::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Show && !watching_ && window_.windowHandle() != nullptr) {
    watching_ = true;
    connect(window_.windowHandle(), &QWindow::windowStateChanged, this, [this](Qt::WindowState state) {
      refuse(state);
    });
  }
  return false;
}

// The request has gone out already and cannot be taken back; the surface it
// was made for is, before the compositor's answer arrives.
void MaximiseRefusal::refuse(Qt::WindowStates states) {
  if (!(states & kFillingStates)) return;
  window_.hide();
  // The native window holds the state; the widget never heard of it.
  window_.windowHandle()->setWindowStates(states & ~kFillingStates);
  window_.show();
}

}  // namespace vantora::ui::qt
