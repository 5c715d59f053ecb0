#pragma once
// libblkid's view of a device node.

#include <optional>
#include <string>

#include "platform/linux/volume_identity_linux.h"

namespace vantora::linux_backend {

// Reads the superblock of the device; null when the node cannot be opened
// (not root) or holds no file system libblkid knows.
std::optional<VolumeIdentity> probeBlkidIdentity(const std::string& deviceNode);

// What libblkid's cache file remembers of the device, without opening it.
std::optional<VolumeIdentity> cachedBlkidIdentity(const std::string& cacheFile, const std::string& deviceNode);

}  // namespace vantora::linux_backend
