#pragma once
// GetDriveType's answer from the mount table and sysfs alone: nothing here
// touches a mounted file system, so a hung server cannot hang the answer.

#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/linux/block_device_linux.h"
#include "platform/linux/mount_table_linux.h"

namespace vantora::linux_backend {

// A network file system: libmount's list, the cluster and remote-FUSE types
// it lacks, and any source that names a server ("host:/path", "//host/share").
bool isNetworkMount(const MountEntry& mount);

// tmpfs or ramfs: a RAM disk in Windows' terms.
bool isRamFileSystem(std::string_view fsType);

// The code of a disk itself: RAM, optical, removable or fixed. fsType is the
// file system on it, empty when nothing is mounted (an image holding iso9660
// or udf counts as a CD, as Windows shows a mounted image).
std::uint32_t classifyBlockDevice(const BlockDevice& device, std::string_view fsType);

// The code of a mount point; device is the block device the mount lives on.
std::uint32_t classifyMount(const MountEntry& mount, const std::optional<BlockDevice>& device);

}  // namespace vantora::linux_backend
