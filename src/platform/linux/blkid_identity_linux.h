#pragma once
// libblkid's view of a device node: probed, or remembered in its cache.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/volume_identity_linux.h"

namespace vantora::linux_backend {

// Reads the superblock of the device; null when the node cannot be opened
// (not root) or holds no file system libblkid knows.
std::optional<VolumeIdentity> probeBlkidIdentity(const std::string& deviceNode);

// What libblkid's cache file (/run/blkid/blkid.tab) remembers of a device
// node, read without opening the device. The entry may be stale: the node may
// have carried another file system since (a loop device set up again).
struct BlkidCacheEntry {
  VolumeIdentity identity;
  unsigned major = 0;        // the node's device number when it was probed
  unsigned minor = 0;
  std::int64_t probedAt = 0;  // when it was probed, in seconds since 1970
};

// The cache file's entry for deviceNode ("/dev/sdb1"); null when it has none.
std::optional<BlkidCacheEntry> cachedBlkidEntry(const std::filesystem::path& cacheFile, std::string_view deviceNode);

// The entry's identity when it describes the file system now mounted from
// device: the same device number, the same file system as the mount's type,
// and probed no earlier than madeAt, when the file system was made (null
// where unknown). Null for any other entry.
std::optional<VolumeIdentity> currentIdentity(const std::optional<BlkidCacheEntry>& entry, const BlockDevice& device,
                                              std::string_view mountType, std::optional<std::int64_t> madeAt);

}  // namespace vantora::linux_backend
