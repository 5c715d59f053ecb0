#pragma once
// A window manager (openbox) on the benchmark's X server, as every desktop has
// one: it frames windows and answers the frame-extents request, which a bare
// server does not.

#include <sys/types.h>

#include <optional>
#include <string>

namespace vantora::bench {

class WindowManager {
 public:
  // Starts openbox on `display` and waits until it manages the screen. Null,
  // with the reason in `problem`, when it cannot be started or never takes over.
  static std::optional<WindowManager> start(const std::string& display, std::string& problem);

  WindowManager(WindowManager&& other) noexcept;
  WindowManager& operator=(WindowManager&&) = delete;
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;
  ~WindowManager();

 private:
  explicit WindowManager(pid_t pid) : pid_(pid) {}
  pid_t pid_ = 0;
};

// True when a window manager has announced itself on the screen of `display`
// (the root window's _NET_SUPPORTING_WM_CHECK).
bool windowManagerRuns(const std::string& display);

}  // namespace vantora::bench
