#include "platform/linux/free_space_linux.h"

#include <algorithm>
#include <limits>

namespace vantora::linux_backend {
namespace {

std::uint64_t bytesOf(std::uint64_t blocks, std::uint64_t blockSize) {
  std::uint64_t bytes = 0;
  if (__builtin_mul_overflow(blocks, blockSize, &bytes)) return std::numeric_limits<std::uint64_t>::max();
  return bytes;
}

}  // namespace

FreeSpace freeSpaceFromBlocks(std::uint64_t blocks, std::uint64_t freeBlocks, std::uint64_t availableBlocks,
                              std::uint64_t fragmentSize) {
  FreeSpace space;
  space.total = bytesOf(blocks, fragmentSize);
  space.totalFree = std::min(bytesOf(freeBlocks, fragmentSize), space.total);
  space.freeToCaller = std::min(bytesOf(availableBlocks, fragmentSize), space.totalFree);
  return space;
}

}  // namespace vantora::linux_backend
