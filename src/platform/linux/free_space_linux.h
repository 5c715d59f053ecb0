#pragma once
// GetDiskFreeSpaceEx's three counts from what statvfs reports.

#include <cstdint>

namespace vantora::linux_backend {

struct FreeSpace {
  std::uint64_t freeToCaller = 0;  // f_bavail blocks: what an unprivileged user may still write
  std::uint64_t total = 0;         // f_blocks
  std::uint64_t totalFree = 0;     // f_bfree, counting the blocks kept for root
  friend bool operator==(const FreeSpace&, const FreeSpace&) = default;
};

// Block counts times the fragment size, in bytes. A product past 2^64-1 stays
// at 2^64-1 instead of wrapping to a small number.
FreeSpace freeSpaceFromBlocks(std::uint64_t blocks, std::uint64_t freeBlocks, std::uint64_t availableBlocks,
                              std::uint64_t fragmentSize);

}  // namespace vantora::linux_backend
