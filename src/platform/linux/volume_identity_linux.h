#pragma once
// Who a volume is: label, UUID and the probed file-system type, from the
// first source that knows the device.

#include <cstdint>
#include <filesystem>
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

// Undoes udev's "\xNN" escapes (ID_FS_LABEL_ENC keeps the label's bytes that
// way; ID_FS_LABEL has them replaced by '_' and is never used).
std::string decodeUdevEscapes(std::string_view encoded);

// The identity in the text of a udev record (/run/udev/data/b8:17), null when
// udev found no file system on the device.
std::optional<VolumeIdentity> identityFromUdevRecord(std::string_view record);

// The identity udev keeps for a device, null without a record (udev not
// running, or the device unknown to it).
std::optional<VolumeIdentity> readUdevIdentity(const HostRoot& root, unsigned major, unsigned minor);

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

// currentIdentity of the system's cache file; reads nothing else.
std::optional<VolumeIdentity> cachedIdentity(const HostRoot& root, const BlockDevice& device,
                                             std::string_view mountType, std::optional<std::int64_t> madeAt);

}  // namespace vantora::linux_backend
