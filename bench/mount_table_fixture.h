#pragma once
// Made-up mount tables of any length for the drive-list benchmark, in the
// kernel's mountinfo format, over the captured desktop in tests/data (whose
// sysfs tree knows the block devices they name).

#include <cstddef>
#include <string>

namespace vantora::bench {

// A mountinfo text of `entries` lines: the root file system, then a mix a
// busy host has by the thousand (RAM disks, the system's own tmpfs mounts,
// container bind mounts and overlays, network shares, snaps, USB volumes,
// pseudo file systems), each on a mount point of its own.
std::string madeUpMountTable(std::size_t entries);

// Writes madeUpMountTable(entries) to a file in `directory` and returns its path.
std::string writeMadeUpMountTable(const std::string& directory, std::size_t entries);

}  // namespace vantora::bench
