#pragma once
// The floor of a refresh: the system calls that answering one refresh of a
// mounted drive takes, made directly, once each, with no parsing beyond
// finding the drive's line in the mount table.

#include <string>

namespace vantora::bench {

// Reads the mount table, the host name, the free space, the user's number
// separators, the block device's sysfs attributes and its udev record (or
// probes its superblock with libblkid where udev does not know it, and reads
// the blkid cache and asks the volume where the device cannot be read), the
// label ioctls of a volume without a device, and the three feature probes.
// False when mountPoint is not in the mount table.
bool makeRefreshSystemCalls(const std::string& mountPoint);

// The floor of a drive list: reads the mount table file and splits every line
// into its fields. Returns the number of lines.
std::size_t readAndSplitMountTable(const std::string& mountinfo);

}  // namespace vantora::bench
