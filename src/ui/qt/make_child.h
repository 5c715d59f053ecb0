#pragma once
#include <QWidget>
#include <utility>

namespace vantora::ui::qt {

// A widget owned by its parent: Qt deletes it with the parent. This is the one
// place the front end allocates a widget.
template <typename Widget, typename... Args>
Widget* makeChild(QWidget& parent, Args&&... args) {
  return new Widget(std::forward<Args>(args)..., &parent);
}

}  // namespace vantora::ui::qt
