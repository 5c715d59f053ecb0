#pragma once
// The drives a person can pick: mounted storage, and removable or optical
// disks without a mounted file system (an empty card reader, a CD drive).
// Building the list reads the mount table, sysfs and the udev database only,
// never a mounted file system or a disk, so a hung server or a dying stick
// cannot hold up the list.

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

// A removable or optical whole disk that is listed by its device node because
// nothing on it is mounted; null for any other path. devices serves table.
std::optional<BlockDevice> unmountedDriveAt(const HostRoot& root, const std::vector<MountEntry>& table,
                                            BlockDeviceCache& devices, std::string_view path);

// The whole list, sorted by root path and with each root path once (the mount
// on top where several share it), with the drive holding workingDirectory
// current. devices serves table; each device's label is read once per list.
DriveList buildDriveList(const HostRoot& root, const std::vector<MountEntry>& table, BlockDeviceCache& devices,
                         std::string_view workingDirectory);

// buildDriveList with a cache of its own.
DriveList buildDriveList(const HostRoot& root, const std::vector<MountEntry>& table,
                         std::string_view workingDirectory);

}  // namespace vantora::linux_backend
