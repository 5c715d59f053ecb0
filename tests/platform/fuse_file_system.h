#pragma once
// A FUSE file system of the tests' own (the daemon vantora_fuse_fs), mounted
// in this process's private mount namespace as a network drive whose statfs
// gives chosen counts, or hangs until released like a server that stopped
// answering.

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "platform/scratch_volume.h"

namespace vantora::testing {

// What statfs reports, in blocks of fragmentSize bytes.
struct StatfsAnswer {
  std::uint64_t blocks = 1000;
  std::uint64_t freeBlocks = 400;
  std::uint64_t availableBlocks = 300;
  std::uint64_t fragmentSize = 4096;
  bool hang = false;        // statfs waits for release()
  bool hangLookup = false;  // looking up any name in its root waits for release()
  unsigned delayMs = 0;     // statfs answers after this many milliseconds
  std::string source = "vantora@test:/export";
};

class FuseFileSystem {
 public:
  // Null when it cannot be mounted here, with the reason in skipReason
  // (not root, no FUSE in the kernel, built without libfuse3 ...).
  static std::optional<FuseFileSystem> mount(const StatfsAnswer& answer, std::string& skipReason);

  FuseFileSystem(FuseFileSystem&& other) noexcept;
  // Swaps, so the old resource is released when `other` goes.
  FuseFileSystem& operator=(FuseFileSystem&& other) noexcept {
    std::swap(directory_, other.directory_);
    std::swap(daemon_, other.daemon_);
    std::swap(releaseFd_, other.releaseFd_);
    return *this;
  }
  FuseFileSystem(const FuseFileSystem&) = delete;
  FuseFileSystem& operator=(const FuseFileSystem&) = delete;
  // Releases, ends the daemon and unmounts, whatever state the test left.
  ~FuseFileSystem();

  std::string mountPoint() const { return (directory_.path() / "nas").string(); }
  // The text the drive list shows for it, with the default source.
  std::string listText() const { return mountPoint() + " [vantora@test:/export]"; }
  // From now on every statfs answers, the waiting ones included.
  void release();

 private:
  FuseFileSystem(ScratchDirectory directory, pid_t daemon, int releaseFd)
      : directory_(std::move(directory)), daemon_(daemon), releaseFd_(releaseFd) {}

  ScratchDirectory directory_;
  pid_t daemon_ = -1;
  int releaseFd_ = -1;  // the daemon's standard input; closing it releases
};

}  // namespace vantora::testing
