#include "scratch_mounts.h"

#include <fcntl.h>
#include <sched.h>
#include <spawn.h>
#include <sys/mount.h>
#include <sys/statfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <vector>

#include "support/child_process.h"

namespace vantora::bench {
namespace fs = std::filesystem;
namespace {

constexpr long kTmpfsMagic = 0x01021994;
constexpr std::uintmax_t kImageBytes = 32u << 20;

bool isTmpfs(const char* path) {
  struct statfs info {};
  return ::statfs(path, &info) == 0 && info.f_type == kTmpfsMagic;
}

}  // namespace

ScratchMounts::ScratchMounts() {
  if (::geteuid() != 0) {
    tmpfsProblem_ = ext4Problem_ = "needs root to mount in a private namespace";
  } else if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
    tmpfsProblem_ = ext4Problem_ = std::string("no private mount namespace: ") + std::strerror(errno);
  } else {
    privateNamespace_ = true;
  }
  if (privateNamespace_) {
    std::string pattern = (fs::temp_directory_path() / "vantora-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) directory_ = pattern;
  }
  makeTmpfs();
  makeExt4();
}

void ScratchMounts::makeTmpfs() {
  if (!directory_.empty()) {
    const std::string target = directory_ + "/ram";
    fs::create_directory(target);
    if (::mount("tmpfs", target.c_str(), "tmpfs", 0, "size=16m") == 0) {
      tmpfs_ = target;
      ownTmpfs_ = true;
      return;
    }
    tmpfsProblem_ = std::string("cannot mount tmpfs: ") + std::strerror(errno);
  }
  // Without a namespace of our own, the system's shared-memory RAM disk serves.
  if (isTmpfs("/dev/shm")) {
    tmpfs_ = "/dev/shm";
    tmpfsProblem_.clear();
  }
}

void ScratchMounts::makeExt4() {
  if (directory_.empty()) return;
  const std::string image = directory_ + "/ext4.img";
  const std::string target = directory_ + "/ext4";
  fs::create_directory(target);
  std::error_code error;
  { std::ofstream created(image); }
  fs::resize_file(image, kImageBytes, error);
  if (error || testing::runCommand({"mkfs.ext4", "-q", "-F", "-L", kExt4Label, image}).status != 0) {
    ext4Problem_ = "cannot make an ext4 image (mkfs.ext4, package e2fsprogs)";
    return;
  }
  const testing::CommandResult attached = testing::runCommand({"losetup", "--find", "--show", image});
  if (attached.status != 0 || attached.output.empty()) {
    ext4Problem_ = "cannot attach a loop device (losetup)";
    return;
  }
  loopDevice_ = attached.output.substr(0, attached.output.find('\n'));
  if (::mount(loopDevice_.c_str(), target.c_str(), "ext4", 0, nullptr) != 0) {
    ext4Problem_ = std::string("cannot mount the ext4 image: ") + std::strerror(errno);
    return;
  }
  ext4_ = target;
}

ScratchMounts::~ScratchMounts() {
  if (ext4_) ::umount2(ext4_->c_str(), MNT_DETACH);
  if (ownTmpfs_) ::umount2(tmpfs_->c_str(), MNT_DETACH);
  if (!loopDevice_.empty()) testing::runCommand({"losetup", "--detach", loopDevice_});
  std::error_code ignored;
  if (!directory_.empty()) fs::remove_all(directory_, ignored);
}

}  // namespace vantora::bench
