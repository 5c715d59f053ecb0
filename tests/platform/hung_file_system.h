#pragma once
// A mounted file system whose statfs hangs until released: the FUSE daemon
// vantora_hang_fs, mounted in this process's private mount namespace.

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "platform/scratch_volume.h"

namespace vantora::testing {

class HungFileSystem {
 public:
  // Null when it cannot be mounted here, with the reason in skipReason
  // (not root, no FUSE in the kernel, built without libfuse3 ...).
  static std::optional<HungFileSystem> mount(std::string& skipReason);

  HungFileSystem(HungFileSystem&& other) noexcept;
  // Swaps, so the old resource is released when `other` goes.
  HungFileSystem& operator=(HungFileSystem&& other) noexcept {
    std::swap(directory_, other.directory_);
    std::swap(daemon_, other.daemon_);
    std::swap(releaseFd_, other.releaseFd_);
    return *this;
  }
  HungFileSystem(const HungFileSystem&) = delete;
  HungFileSystem& operator=(const HungFileSystem&) = delete;
  // Releases, unmounts and ends the daemon, whatever state the test left.
  ~HungFileSystem();

  std::string mountPoint() const { return (directory_.path() / "nas").string(); }
  // From now on every statfs answers, the waiting ones included.
  void release();

 private:
  HungFileSystem(ScratchDirectory directory, pid_t daemon, int releaseFd)
      : directory_(std::move(directory)), daemon_(daemon), releaseFd_(releaseFd) {}

  ScratchDirectory directory_;
  pid_t daemon_ = -1;
  int releaseFd_ = -1;  // the daemon's standard input; closing it releases
};

}  // namespace vantora::testing
