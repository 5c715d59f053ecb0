#pragma once
// The drives a person can pick: mounted storage, and removable or optical
// disks without a mounted file system (an empty card reader, a CD drive).

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/linux/block_device_linux.h"
#include "platform/linux/host_root_linux.h"
#include "platform/linux/mount_table_linux.h"
#include "platform/system_queries.h"

namespace vantora::linux_backend {

// Whether the list offers this mount: the root file system, RAM disks other
// than the system's own, network file systems and whole file systems on block
// devices; never pseudo file systems, snap images or bind mounts of a part of
// a file system.
bool shownInDriveList(const MountEntry& mount, bool onBlockDevice);

// "/media/usb [PHOTOS]", or the mount point alone when there is nothing to
// put in brackets; made safe to show on one line.
std::string driveText(std::string_view mountPoint, std::string_view bracketed);

// The drive whose root path holds path (the deepest one); 0 when none does.
std::size_t indexOfDriveHolding(std::string_view path, const std::vector<DriveEntry>& drives);

// A removable or optical whole disk that is listed by its device node because
// nothing on it is mounted; null for any other path.
std::optional<BlockDevice> unmountedDriveAt(const HostRoot& root, const std::vector<MountEntry>& table,
                                            std::string_view path);

// Reads a block-device mount's label; the live system bounds it, tests fake it.
using LabelReader = std::function<std::string(const MountEntry&, const std::optional<BlockDevice>&)>;

// The whole list, sorted by root path, with the drive holding workingDirectory current.
DriveList buildDriveList(const HostRoot& root, const std::vector<MountEntry>& table,
                         std::string_view workingDirectory, const LabelReader& labelOf);

}  // namespace vantora::linux_backend
