#include "platform/linux/volume_identity_linux.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>

#include <array>

#include "platform/linux/blkid_identity_linux.h"
#include "platform/linux/udev_db_linux.h"
#include "platform/linux/unique_fd_linux.h"

namespace vantora::linux_backend {
namespace {

// ext4, xfs, btrfs and f2fs answer this ioctl on any file of the volume.
std::string labelFromIoctl(const std::string& mountPoint) {
  const UniqueFd directory{::open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (!directory) return {};
  std::array<char, FSLABEL_MAX + 1> label{};
  if (::ioctl(directory.get(), FS_IOC_GETFSLABEL, label.data()) != 0) return {};
  label.back() = '\0';
  return label.data();
}

}  // namespace

VolumeIdentity readVolumeIdentity(const HostRoot& root, const std::optional<BlockDevice>& device,
                                  const std::string& mountPoint) {
  if (device) {
    if (auto identity = readUdevIdentity(root, device->major, device->minor)) return *identity;
    if (auto identity = probeBlkidIdentity(root.at(device->node()).string())) return *identity;
    // The cache names devices as the system does, so the node stays unprefixed.
    if (auto identity = cachedBlkidIdentity(root.at("/run/blkid/blkid.tab").string(), device->node())) {
      return *identity;
    }
  }
  VolumeIdentity identity;
  identity.label = labelFromIoctl(mountPoint);
  return identity;
}

}  // namespace vantora::linux_backend
