#include "platform/linux/drive_type_linux.h"

#include <algorithm>
#include <array>

#include "platform/system_queries.h"

namespace vantora::linux_backend {
namespace {

// Network and cluster file systems that libmount's list leaves out.
constexpr std::array<std::string_view, 10> kExtraNetworkTypes = {
    "9p",          "ceph",        "fuse.glusterfs", "fuse.rclone", "fuse.s3fs",
    "fuse.sshfs",  "glusterfs",   "gpfs",           "lustre",      "fuse.ceph",
};

bool sourceNamesServer(std::string_view source) {
  if (source.starts_with("//")) return source.size() > 2 && source[2] != '/';
  // "host:/export", "user@host:/dir", "[::1]:/export"; a local path never qualifies.
  return !source.starts_with('/') && source.find(":/") != std::string_view::npos;
}

}  // namespace

bool isNetworkMount(const MountEntry& mount) {
  if (mount.networkFs) return true;
  if (std::find(kExtraNetworkTypes.begin(), kExtraNetworkTypes.end(), mount.fsType) != kExtraNetworkTypes.end()) {
    return true;
  }
  return sourceNamesServer(mount.source);
}

bool isRamFileSystem(std::string_view fsType) { return fsType == "tmpfs" || fsType == "ramfs"; }

std::uint32_t classifyBlockDevice(const BlockDevice& device, std::string_view fsType) {
  if (device.ramDisk) return kDriveRamdisk;
  if (device.optical) return kDriveCdrom;
  if (device.loop && (fsType == "iso9660" || fsType == "udf")) return kDriveCdrom;
  if (device.removable || device.onUsbOrMmc) return kDriveRemovable;
  return kDriveFixed;
}

std::uint32_t classifyMount(const MountEntry& mount, const std::optional<BlockDevice>& device) {
  if (device) return classifyBlockDevice(*device, mount.fsType);
  // The system's own root counts as its fixed disk whatever carries it
  // (overlay in a container, tmpfs in a live system).
  if (mount.target == "/") return kDriveFixed;
  if (isNetworkMount(mount)) return kDriveRemote;
  if (isRamFileSystem(mount.fsType)) return kDriveRamdisk;
  return kDriveUnknown;
}

}  // namespace vantora::linux_backend
