#pragma once
// What sysfs tells about a block device, read below a HostRoot so tests can
// use a captured tree. Reading sysfs never touches a mounted file system.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/linux/host_root_linux.h"
#include "platform/linux/mount_table_linux.h"

namespace vantora::linux_backend {

struct BlockDevice {
  std::string name;         // kernel name, e.g. "sdb1"
  std::string diskName;     // its whole disk, e.g. "sdb"; the same as name for a disk
  unsigned major = 0;       // device number from sysfs "dev"
  unsigned minor = 0;
  bool removable = false;   // the whole disk's "removable" flag (card readers, optical drives)
  bool onUsbOrMmc = false;  // the disk hangs off a USB or MMC/SD bus
  bool optical = false;     // SCSI peripheral type 5 (CD/DVD/BD) or an sr* device
  bool ramDisk = false;     // memory-backed: zram or the brd ram* driver
  bool loop = false;        // a loop device, usually an image file

  // "/dev/sdb1".
  std::string node() const { return "/dev/" + name; }
};

// The device sysfs knows by this kernel name ("sdb1"), null when it has gone.
std::optional<BlockDevice> blockDeviceByName(const HostRoot& root, std::string_view name);

// The device with this number, null when there is none.
std::optional<BlockDevice> blockDeviceByNumber(const HostRoot& root, unsigned major, unsigned minor);

// The block device of each mount of one table, from sysfs alone: by the
// mount's device number, else, for file systems with an anonymous number
// (btrfs), by a source that names a device node plainly ("/dev/sda2",
// "/dev/mapper/root"); null for file systems without one (tmpfs, nfs).
// Nothing resolves a path, so no mounted file system is touched. Each device
// number and each source is looked up once, however many mounts share it (a
// container host mounts one disk thousands of times); answers are kept for
// as long as the cache lives, so it must not outlive the table it serves.
class BlockDeviceCache {
 public:
  explicit BlockDeviceCache(HostRoot root) : root_(std::move(root)) {}

  const std::optional<BlockDevice>& ofMount(const MountEntry& mount);

 private:
  HostRoot root_;
  std::unordered_map<std::uint64_t, std::optional<BlockDevice>> byNumber_;
  std::unordered_map<std::string, std::optional<BlockDevice>> bySource_;
};

// Every whole disk in /sys/block but those named in except, sorted by name.
// The ones left out are not looked at, which spares their sysfs reads.
std::vector<BlockDevice> wholeDisks(const HostRoot& root, const std::set<std::string, std::less<>>& except = {});

}  // namespace vantora::linux_backend
