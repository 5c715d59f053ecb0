#pragma once
// The shape every window class of ours takes: the C++ object is handed to
// CreateWindowExW, remembered on WM_NCCREATE, and every later message goes to
// Derived::HandleMessage. Nothing thrown inside a handler leaves the window
// procedure, which the system's code calls and cannot pass an exception through:
// the window stays as the handler left it and goes on working.

#include "app/event_guard.h"
#include "ui/win32/unique_handle_win.h"
#include "win32/windows_api.h"

namespace vantora::ui::win32 {

template <typename Derived>
class BaseWindow {
 public:
  HWND window() const { return window_.get(); }

  BaseWindow(const BaseWindow&) = delete;
  BaseWindow& operator=(const BaseWindow&) = delete;

 protected:
  BaseWindow() = default;
  // Detach first: by now Derived is gone, so no message may reach it.
  ~BaseWindow() {
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  }

  // Registers Derived::kClassName once per process.
  static void registerClass(HINSTANCE instance, HBRUSH background, HICON icon = nullptr,
                            HICON smallIcon = nullptr) {
    static const ATOM atom = [&] {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = &BaseWindow::windowProcedure;
      windowClass.hInstance = instance;
      windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      windowClass.hbrBackground = background;
      windowClass.hIcon = icon;
      windowClass.hIconSm = smallIcon;
      windowClass.lpszClassName = Derived::kClassName;
      return RegisterClassExW(&windowClass);
    }();
    (void)atom;
  }

  HWND create(HINSTANCE instance, DWORD exStyle, DWORD style, const wchar_t* title, int x, int y, int width,
              int height, HWND parent, int controlId = 0) {
    const auto menuOrId = reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId));
    CreateWindowExW(exStyle, Derived::kClassName, title, style, x, y, width, height, parent, menuOrId, instance,
                    static_cast<Derived*>(this));
    return window_.get();
  }

 private:
  static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
      static_cast<BaseWindow*>(self)->window_.reset(window);
    }
    auto* self = reinterpret_cast<Derived*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
      // The system destroys the window itself now; the object must not destroy it again.
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      static_cast<BaseWindow*>(self)->window_.release();
      return DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    runGuarded([&] { result = self->HandleMessage(message, wParam, lParam); });
    return result;
  }

  UniqueWindow window_;
};

}  // namespace vantora::ui::win32
