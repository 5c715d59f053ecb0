#include "platform/linux/volume_identity_linux.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <linux/fs.h>
#include <sys/ioctl.h>

#include <array>
#include <cstdint>

#include "platform/linux/blkid_identity_linux.h"
#include "platform/linux/udev_db_linux.h"
#include "platform/linux/unique_fd_linux.h"

namespace vantora::linux_backend {
namespace {

// The generic UUID ioctl of Linux 6.5, newer than the headers we build with.
struct FsUuid {
  std::uint8_t length;
  std::uint8_t bytes[16];
};
constexpr unsigned long kGetFsUuid = _IOR(0x15, 0, FsUuid);

// ext4, xfs, btrfs and f2fs answer this ioctl on any file of the volume.
std::string labelFromIoctl(int directory) {
  std::array<char, FSLABEL_MAX + 1> label{};
  if (::ioctl(directory, FS_IOC_GETFSLABEL, label.data()) != 0) return {};
  label.back() = '\0';
  return label.data();
}

// "f81d4fae-7dec-11d0-a765-00a0c91e6bf6"; empty where the kernel or the file
// system does not tell.
std::string uuidFromIoctl(int directory) {
  FsUuid uuid{};
  if (::ioctl(directory, kGetFsUuid, &uuid) != 0 || uuid.length != sizeof(uuid.bytes)) return {};
  constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < sizeof(uuid.bytes); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[uuid.bytes[i] >> 4];
    text += kHex[uuid.bytes[i] & 0xF];
  }
  return text;
}

// When the file system mounted here was made, from its root's birth time;
// null where the file system does not tell.
std::optional<std::int64_t> fileSystemMadeAt(const std::string& mountPoint) {
  struct statx info {};
  if (::statx(AT_FDCWD, mountPoint.c_str(), 0, STATX_BTIME, &info) != 0 || (info.stx_mask & STATX_BTIME) == 0) {
    return std::nullopt;
  }
  return info.stx_btime.tv_sec;
}

}  // namespace

std::optional<VolumeIdentity> cachedIdentity(const HostRoot& root, const BlockDevice& device,
                                             std::string_view mountType, std::optional<std::int64_t> madeAt) {
  // The cache names devices as the system does, so the node stays unprefixed.
  return currentIdentity(cachedBlkidEntry(root.at("/run/blkid/blkid.tab"), device.node()), device, mountType,
                         madeAt);
}

VolumeIdentity readVolumeIdentity(const HostRoot& root, const std::optional<BlockDevice>& device,
                                  const std::string& mountPoint, std::string_view mountType) {
  if (device) {
    if (auto identity = readUdevIdentity(root, device->major, device->minor)) return *identity;
    if (auto identity = probeBlkidIdentity(root.at(device->node()).string())) return *identity;
    if (auto identity = cachedIdentity(root, *device, mountType, fileSystemMadeAt(mountPoint))) return *identity;
  }
  // Last, the file system itself, for volumes whose device we may not read.
  VolumeIdentity identity;
  const UniqueFd directory{::open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (!directory) return identity;
  identity.label = labelFromIoctl(directory.get());
  identity.uuid = uuidFromIoctl(directory.get());
  return identity;
}

}  // namespace vantora::linux_backend
