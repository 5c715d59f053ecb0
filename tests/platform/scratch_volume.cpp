#include "platform/scratch_volume.h"

#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

namespace vantora::testing {
namespace fs = std::filesystem;

const std::string& privateMountNamespaceProblem() {
  static const std::string problem = []() -> std::string {
    if (::geteuid() != 0) return "needs root to attach loop devices and mount (run the tests as root)";
    if (::unshare(CLONE_NEWNS) != 0) return std::string("cannot make a private mount namespace: ") + std::strerror(errno);
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      return std::string("cannot make / private: ") + std::strerror(errno);
    }
    return {};
  }();
  return problem;
}

ScratchDirectory::ScratchDirectory() {
  std::string pattern = (fs::temp_directory_path() / "vantora-realfs-XXXXXX").string();
  if (::mkdtemp(pattern.data())) path_ = pattern;
}
ScratchDirectory::ScratchDirectory(ScratchDirectory&& other) noexcept : path_(std::exchange(other.path_, {})) {}
ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  if (!path_.empty()) fs::remove_all(path_, ignored);
}

std::optional<LoopDevice> LoopDevice::attach(const fs::path& image) {
  CommandResult result = runCommand({"losetup", "--find", "--show", image.string()});
  if (result.status != 0) return std::nullopt;
  result.output.erase(std::remove(result.output.begin(), result.output.end(), '\n'), result.output.end());
  return LoopDevice(result.output);
}
LoopDevice::LoopDevice(LoopDevice&& other) noexcept : node_(std::exchange(other.node_, {})) {}
LoopDevice::~LoopDevice() {
  if (!node_.empty()) runCommand({"losetup", "--detach", node_});
}

std::optional<MountedFileSystem> MountedFileSystem::mount(const std::string& source, const fs::path& target,
                                                          const std::string& type, unsigned long flags,
                                                          const std::string& options) {
  if (::mount(source.c_str(), target.c_str(), type.c_str(), flags, options.empty() ? nullptr : options.c_str()) !=
      0) {
    return std::nullopt;
  }
  return MountedFileSystem(target);
}
MountedFileSystem::MountedFileSystem(MountedFileSystem&& other) noexcept : target_(std::exchange(other.target_, {})) {}
MountedFileSystem::~MountedFileSystem() { unmount(); }
void MountedFileSystem::unmount() {
  if (!target_.empty()) ::umount2(target_.c_str(), MNT_DETACH);
  target_.clear();
}

namespace {

std::vector<std::string> substituted(std::vector<std::string> argv, const std::string& name, const std::string& value) {
  for (std::string& arg : argv) {
    if (arg == name) arg = value;
  }
  return argv;
}

bool mentions(const std::vector<std::string>& argv, const std::string& name) {
  return std::find(argv.begin(), argv.end(), name) != argv.end();
}

bool kernelKnows(const std::string& type) {
  std::ifstream filesystems("/proc/filesystems");
  std::string line;
  while (std::getline(filesystems, line)) {
    if (line.substr(line.find('\t') + 1) == type) return true;
  }
  return false;
}

}  // namespace

std::optional<ScratchVolume> makeScratchVolume(const VolumeRecipe& recipe, std::string& skipReason) {
  if (const std::string& problem = privateMountNamespaceProblem(); !problem.empty()) {
    skipReason = problem;
    return std::nullopt;
  }
  ScratchVolume volume;
  const fs::path base = volume.directory.path();
  if (base.empty()) {
    skipReason = "cannot make a scratch directory";
    return std::nullopt;
  }
  const fs::path image = base / "image";
  const fs::path content = base / "content";
  const fs::path mountPoint = base / recipe.mountPointName;
  fs::create_directories(content);
  fs::create_directories(mountPoint);
  std::ofstream(content / "readme.txt") << "vantora\n";

  std::vector<std::string> mkfs = substituted(recipe.mkfsArgv, "{content}", content.string());
  mkfs = substituted(mkfs, "{image}", image.string());
  const bool mkfsOnDevice = mentions(recipe.mkfsArgv, "{device}");
  if (mkfsOnDevice) {
    std::ofstream(image).close();
    fs::resize_file(image, static_cast<std::uintmax_t>(recipe.imageMegabytes) << 20);
  } else if (runCommand(mkfs).status != 0) {
    skipReason = "cannot run " + mkfs.front() + " (is its package installed?)";
    return std::nullopt;
  }
  volume.loop = LoopDevice::attach(image);
  if (!volume.loop) {
    skipReason = "cannot attach a loop device (losetup failed)";
    return std::nullopt;
  }
  if (mkfsOnDevice && runCommand(substituted(mkfs, "{device}", volume.loop->node())).status != 0) {
    skipReason = "cannot run " + mkfs.front() + " (is its package installed?)";
    return std::nullopt;
  }
  volume.mounted = MountedFileSystem::mount(volume.loop->node(), mountPoint, recipe.mountType, recipe.mountFlags,
                                            recipe.mountOptions);
  if (!volume.mounted) {
    skipReason = "cannot mount " + recipe.mountType + ": " + std::strerror(errno) +
                 (kernelKnows(recipe.mountType) ? " (the kernel refuses a feature of this volume)"
                                                : " (the kernel lacks this file system)");
    return std::nullopt;
  }
  return volume;
}

}  // namespace vantora::testing
