#pragma once
// Real file systems for tests: image files on loop devices, mounted in a
// private mount namespace, all undone when the objects go.

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/child_process.h"

namespace vantora::testing {

// Moves this process into its own mount namespace with / made private, once,
// so nothing mounted here shows outside. Returns why that is impossible
// (not root, no namespace support), or an empty string.
const std::string& privateMountNamespaceProblem();

// A directory made for one test and removed with everything in it.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ScratchDirectory(ScratchDirectory&&) noexcept;
  // Swaps, so the old resource is released when `other` goes.
  ScratchDirectory& operator=(ScratchDirectory&& other) noexcept {
    std::swap(path_, other.path_);
    return *this;
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  ~ScratchDirectory();
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// An image file attached to a free loop device, detached at the end.
class LoopDevice {
 public:
  static std::optional<LoopDevice> attach(const std::filesystem::path& image);
  LoopDevice(LoopDevice&&) noexcept;
  // Swaps, so the old resource is released when `other` goes.
  LoopDevice& operator=(LoopDevice&& other) noexcept {
    std::swap(node_, other.node_);
    return *this;
  }
  LoopDevice(const LoopDevice&) = delete;
  LoopDevice& operator=(const LoopDevice&) = delete;
  ~LoopDevice();
  const std::string& node() const { return node_; }

 private:
  explicit LoopDevice(std::string node) : node_(std::move(node)) {}
  std::string node_;
};

// One mount, taken away (lazily, so a busy mount cannot fail the test) at the end.
class MountedFileSystem {
 public:
  // Null with errno set when mount(2) fails.
  static std::optional<MountedFileSystem> mount(const std::string& source, const std::filesystem::path& target,
                                                const std::string& type, unsigned long flags,
                                                const std::string& options);
  MountedFileSystem(MountedFileSystem&&) noexcept;
  // Swaps, so the old resource is released when `other` goes.
  MountedFileSystem& operator=(MountedFileSystem&& other) noexcept {
    std::swap(target_, other.target_);
    return *this;
  }
  MountedFileSystem(const MountedFileSystem&) = delete;
  MountedFileSystem& operator=(const MountedFileSystem&) = delete;
  ~MountedFileSystem();
  const std::filesystem::path& target() const { return target_; }
  // Unmounts now, as a user pulling the drive would.
  void unmount();

 private:
  explicit MountedFileSystem(std::filesystem::path target) : target_(std::move(target)) {}
  std::filesystem::path target_;
};

// A file system made on a loop device and mounted at `mountPoint` inside the
// scratch directory. Members are destroyed in reverse: unmount, detach, delete.
struct ScratchVolume {
  ScratchDirectory directory;
  std::optional<LoopDevice> loop;
  std::optional<MountedFileSystem> mounted;
};

// How to make one scratch volume. In mkfsArgv, "{device}" stands for the
// loop node (mkfs runs after attaching), "{image}" for the image file (mkfs
// writes the image, which is attached afterwards) and "{content}" for a
// directory holding one small file.
struct VolumeRecipe {
  std::vector<std::string> mkfsArgv;
  std::string mountType;
  std::string mountOptions;
  unsigned long mountFlags = 0;
  int imageMegabytes = 64;
  std::string mountPointName = "volume";
};

// Null when the volume cannot be made here, with the reason in skipReason.
std::optional<ScratchVolume> makeScratchVolume(const VolumeRecipe& recipe, std::string& skipReason);

}  // namespace vantora::testing
