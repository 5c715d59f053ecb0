#pragma once

namespace vantora {

struct Extent {
  double width = 0;
  double height = 0;
};

struct Position {
  double left = 0;
  double top = 0;
  friend bool operator==(const Position&, const Position&) = default;
};

// Where a window of `window` outer size stands in the middle of `screen`, both
// in one unit. Not rounded (the window system places it on the nearest pixel)
// and not clamped: a window larger than the screen gets a negative position.
constexpr Position CenterForm(Extent screen, Extent window) {
  return {(screen.width - window.width) / 2, (screen.height - window.height) / 2};
}

}  // namespace vantora
