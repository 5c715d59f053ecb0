#pragma once
// Drives made for the refresh benchmark: a tmpfs and a labelled ext4 image on
// a loop device, mounted in a private mount namespace so nothing shows
// outside this process, and taken away when the object goes.

#include <optional>
#include <string>

namespace vantora::bench {

class ScratchMounts {
 public:
  // Must run before the process starts a thread (a private mount namespace
  // is for single-threaded processes only). Volumes that cannot be made here
  // stay absent, with the reason in tmpfsProblem()/ext4Problem().
  ScratchMounts();
  ScratchMounts(const ScratchMounts&) = delete;
  ScratchMounts& operator=(const ScratchMounts&) = delete;
  ~ScratchMounts();

  // Mount points, null where the volume could not be made.
  const std::optional<std::string>& tmpfs() const { return tmpfs_; }
  const std::optional<std::string>& ext4() const { return ext4_; }
  const std::string& tmpfsProblem() const { return tmpfsProblem_; }
  const std::string& ext4Problem() const { return ext4Problem_; }

  // The label given to the ext4 volume.
  static constexpr const char* kExt4Label = "VANTORA-BENCH";

 private:
  void makeTmpfs();
  void makeExt4();

  std::string directory_;    // scratch directory, removed at the end
  std::string loopDevice_;   // "/dev/loop3" once attached
  std::optional<std::string> tmpfs_;
  std::optional<std::string> ext4_;
  std::string tmpfsProblem_;
  std::string ext4Problem_;
  bool privateNamespace_ = false;
  bool ownTmpfs_ = false;     // tmpfs_ is ours to unmount
};

}  // namespace vantora::bench
