#include "platform/linux/drive_list_linux.h"

#include <map>
#include <set>

#include "platform/linux/drive_type_linux.h"
#include "platform/linux/udev_db_linux.h"
#include "platform/linux/volume_identity_linux.h"
#include "platform/utf8_text.h"

namespace vantora::linux_backend {
namespace {

// RAM disks the system keeps for itself (/run/user/1000, /sys/fs/cgroup, /dev);
// /dev/shm is the one a user works with.
bool isSystemRamMount(std::string_view target) {
  if (isPathWithin(target, "/dev/shm")) return false;
  return isPathWithin(target, "/run") || isPathWithin(target, "/sys") || isPathWithin(target, "/proc") ||
         isPathWithin(target, "/dev");
}

// A bind mount shows a directory (or a file: /etc/hosts in a container) of a
// file system that is already a drive; a btrfs subvolume is a volume of its own.
bool isPartialBindMount(const MountEntry& mount) {
  if (mount.fsRoot.empty() || mount.fsRoot == "/") return false;
  return !(mount.fsType == "btrfs" && optionValue(mount.options, "subvol") == mount.fsRoot);
}

bool isRemovableOrOptical(const BlockDevice& disk) {
  const std::uint32_t type = classifyBlockDevice(disk, "");
  return type == kDriveRemovable || type == kDriveCdrom;
}

std::set<std::string, std::less<>> disksInUse(const std::vector<MountEntry>& table, BlockDeviceCache& devices) {
  std::set<std::string, std::less<>> inUse;
  for (const MountEntry& mount : table) {
    if (const auto& device = devices.ofMount(mount)) inUse.insert(device->diskName);
  }
  return inUse;
}

// The label the list shows for a block device: what the udev database
// recorded when the device appeared, else what blkid's cache remembers of the
// file system of this type on it; empty when neither knows. The device itself
// is never read, nor the mounted file system (so when it was made is unknown).
std::string listedLabel(const HostRoot& root, const BlockDevice& device, std::string_view mountType) {
  auto identity = readUdevIdentity(root, device.major, device.minor);
  if (!identity) identity = cachedIdentity(root, device, mountType, std::nullopt);
  return identity ? identity->label : std::string();
}

// The drive whose root path holds path (the deepest one); 0 when none does.
std::size_t indexOfDriveHolding(std::string_view path, const std::vector<DriveEntry>& drives) {
  std::size_t best = 0;
  std::size_t bestLength = 0;
  for (std::size_t i = 0; i < drives.size(); ++i) {
    const std::string& rootPath = drives[i].rootPath;
    if (isPathWithin(path, rootPath) && rootPath.size() + 1 > bestLength) {
      best = i;
      bestLength = rootPath.size() + 1;
    }
  }
  return best;
}

}  // namespace

bool shownInDriveList(const MountEntry& mount, bool onBlockDevice) {
  if (mount.target == "/") return true;
  if (isPartialBindMount(mount)) return false;
  if (isRamFileSystem(mount.fsType)) return !isSystemRamMount(mount.target);
  // Every installed snap is a squashfs image mounted under /snap.
  if (mount.fsType == "squashfs" && isPathWithin(mount.target, "/snap")) return false;
  if (isNetworkMount(mount)) return true;
  if (mount.pseudoFs) return false;
  return onBlockDevice;
}

std::optional<BlockDevice> unmountedDriveAt(const HostRoot& root, const std::vector<MountEntry>& table,
                                            BlockDeviceCache& devices, std::string_view path) {
  if (!path.starts_with("/dev/")) return std::nullopt;
  auto disk = blockDeviceByName(root, path.substr(5));
  if (!disk || disk->name != disk->diskName || !isRemovableOrOptical(*disk)) return std::nullopt;
  if (disksInUse(table, devices).contains(disk->name)) return std::nullopt;
  return disk;
}

DriveList buildDriveList(const HostRoot& root, const std::vector<MountEntry>& table, BlockDeviceCache& devices,
                         std::string_view workingDirectory) {
  struct Shown {
    const MountEntry* mount = nullptr;  // null for a disk with nothing mounted
    const std::optional<BlockDevice>* device = nullptr;
  };
  // By root path, each once: a mount later in the table (the one on top,
  // which queries answer for) replaces an earlier one at the same place. A
  // table read while it changed can hold one mount twice.
  std::map<std::string, Shown> shown;
  for (const MountEntry& mount : reachableMounts(table)) {
    const std::optional<BlockDevice>& device = devices.ofMount(mount);
    if (shownInDriveList(mount, device.has_value())) shown.insert_or_assign(mount.target, Shown{&mount, &device});
  }
  // Removable and optical disks with nothing mounted from them; a mount at
  // the same path keeps its place.
  for (const BlockDevice& disk : wholeDisks(root, disksInUse(table, devices))) {
    if (isRemovableOrOptical(disk)) shown.try_emplace(disk.node());
  }

  DriveList list;
  list.drives.reserve(shown.size());
  // By device number: a disk mounted at many places is looked up once.
  std::map<std::pair<unsigned, unsigned>, std::string> labels;
  for (const auto& [rootPath, drive] : shown) {
    std::string_view bracketed;
    if (drive.device && *drive.device) {
      const BlockDevice& device = **drive.device;
      const auto [label, added] = labels.try_emplace({device.major, device.minor});
      if (added) label->second = listedLabel(root, device, drive.mount->fsType);
      bracketed = label->second;
    } else if (drive.mount && isNetworkMount(*drive.mount)) {
      bracketed = drive.mount->source;
    }
    list.drives.push_back({driveText(rootPath, bracketed), rootPath});
  }
  list.current = indexOfDriveHolding(workingDirectory, list.drives);
  return list;
}

DriveList buildDriveList(const HostRoot& root, const std::vector<MountEntry>& table,
                         std::string_view workingDirectory) {
  BlockDeviceCache devices(root);
  return buildDriveList(root, table, devices, workingDirectory);
}

}  // namespace vantora::linux_backend
