#include "ui/win32/picture_box_win.h"

namespace vantora::ui::win32 {

namespace {

constexpr std::uint32_t dibPixel(Rgb colour) {
  return static_cast<std::uint32_t>(colour.red) << 16 | static_cast<std::uint32_t>(colour.green) << 8 | colour.blue;
}

Rgb toRgb(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

}  // namespace

std::vector<std::uint32_t> scalePicture(const PicturePixels& picture, int width, int height, Rgb background) {
  if (width <= 0 || height <= 0) return {};
  std::vector<std::uint32_t> scaled(static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
                                    dibPixel(background));
  if (picture.width <= 0 || picture.height <= 0) return scaled;
  for (int y = 0; y < height; ++y) {
    const int sourceY = y * picture.height / height;
    for (int x = 0; x < width; ++x) {
      const std::optional<Rgb>& source = picture.at(x * picture.width / width, sourceY);
      if (source) scaled[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
          dibPixel(*source);
    }
  }
  return scaled;
}

PictureBox::PictureBox(HINSTANCE instance, HWND parent, int controlId, PictureId picture, RECT place)
    : pixels_(decodeXpm(pictureXpm(picture, PictureSize::Large32))) {
  registerClass(instance, nullptr);
  create(instance, 0, WS_CHILD, L"", place.left, place.top, place.right - place.left, place.bottom - place.top, parent,
         controlId);
}

LRESULT PictureBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: return 1;  // WM_PAINT covers every pixel
    default: return DefWindowProcW(window(), message, wParam, lParam);
  }
}

void PictureBox::OnPaint() {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(window(), &paint);
  RECT client;
  GetClientRect(window(), &client);
  const int width = client.right;
  const int height = client.bottom;
  const std::vector<std::uint32_t> pixels =
      scalePicture(pixels_.value_or(PicturePixels{}), width, height, toRgb(GetSysColor(COLOR_BTNFACE)));
  if (!pixels.empty()) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS);
  }
  EndPaint(window(), &paint);
}

}  // namespace vantora::ui::win32
