#pragma once
// Hands mountinfo text to libmount and takes its entries out as MountEntry
// values. libmount's parse is most of the cost of reading a long table, so it
// is fed in slices (its entries are several times the size of their lines)
// and, for tables of thousands of lines, on two threads.

#include <string>
#include <vector>

#include "platform/linux/mount_table_linux.h"

namespace vantora::linux_backend {

// Every entry of the text, in its order, with the skipping rules of
// parseMountTable. The text is taken, not copied.
std::vector<MountEntry> parseWithLibmount(std::string text);

}  // namespace vantora::linux_backend
