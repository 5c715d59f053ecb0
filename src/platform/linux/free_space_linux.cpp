#include "platform/linux/free_space_linux.h"

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
  // Counts are passed on as the file system reports them, even when a server
  // claims more free space than it has: the window shows what it was told.
  space.totalFree = bytesOf(freeBlocks, fragmentSize);
  space.freeToCaller = bytesOf(availableBlocks, fragmentSize);
  return space;
}

}  // namespace vantora::linux_backend
