#pragma once
// An X server of the benchmark's own, so no desktop and no other program's
// windows share the measurement.

#include <sys/types.h>

#include <optional>
#include <string>

namespace vantora::bench {

class PrivateXvfb {
 public:
  // Null, with the reason in `problem`, when Xvfb cannot be started.
  static std::optional<PrivateXvfb> start(std::string& problem);

  PrivateXvfb(PrivateXvfb&& other) noexcept;
  PrivateXvfb& operator=(PrivateXvfb&&) = delete;
  PrivateXvfb(const PrivateXvfb&) = delete;
  PrivateXvfb& operator=(const PrivateXvfb&) = delete;
  ~PrivateXvfb();

  // ":93"
  const std::string& display() const { return display_; }

 private:
  PrivateXvfb(pid_t pid, std::string display) : pid_(pid), display_(std::move(display)) {}
  pid_t pid_ = 0;
  std::string display_;
};

}  // namespace vantora::bench
