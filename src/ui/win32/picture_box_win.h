#pragma once
// Image1 to Image5: a child window that shows one drive picture stretched to
// its size by whole pixels (nearest neighbour), so the pixel art stays sharp;
// transparent pixels show the dialog face colour.

#include <cstdint>
#include <optional>
#include <vector>

#include "ui/picture_pixels.h"
#include "ui/pictures.h"
#include "ui/win32/base_window_win.h"

namespace vantora::ui::win32 {

// Top-down 32-bit DIB pixels (0x00RRGGBB) of `picture` at width x height.
std::vector<std::uint32_t> scalePicture(const PicturePixels& picture, int width, int height, Rgb background);

class PictureBox : public BaseWindow<PictureBox> {
 public:
  static constexpr const wchar_t* kClassName = L"VantoraPicture";

  PictureBox(HINSTANCE instance, HWND parent, int controlId, PictureId picture, RECT place);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 private:
  void OnPaint();

  std::optional<PicturePixels> pixels_;
};

}  // namespace vantora::ui::win32
