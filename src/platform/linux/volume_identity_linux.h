#pragma once
// Who a volume is: label, UUID and the probed file-system type, from the
// first source that knows the device.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/block_device_linux.h"
#include "platform/linux/host_root_linux.h"

namespace vantora::linux_backend {

struct VolumeIdentity {
  std::string label;    // as the file system stores it; may hold any bytes
  std::string uuid;     // as libblkid spells it: "1234-ABCD", "0123456789ABCDEF", "f81d4fae-7dec-..."
  std::string type;     // the probed file system: "vfat", "ntfs", "exfat" ...
  std::string version;  // the probed version: "FAT32", "Joliet Extension" ...
  friend bool operator==(const VolumeIdentity&, const VolumeIdentity&) = default;
};

// The udev database first (what the desktop shows), then libblkid (probing the
// device where we may read it, else its cache when the entry describes the
// file system of this type now mounted), then the label and UUID ioctls on
// the mount point. Reads the device and the mounted file system, so callers
// run it through BoundedCalls. Empty when no source knows the volume (tmpfs, nfs).
VolumeIdentity readVolumeIdentity(const HostRoot& root, const std::optional<BlockDevice>& device,
                                  const std::string& mountPoint, std::string_view mountType);

// The blkid cache's identity of the device when it describes the file system
// of mountType on it now, made at madeAt (null where unknown). Reads only
// the cache file.
std::optional<VolumeIdentity> cachedIdentity(const HostRoot& root, const BlockDevice& device,
                                             std::string_view mountType, std::optional<std::int64_t> madeAt);

}  // namespace vantora::linux_backend
