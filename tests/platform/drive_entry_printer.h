#pragma once
// Readable drive entries in test failure messages.

#include <ostream>

#include "platform/system_queries.h"

namespace vantora {

inline void PrintTo(const DriveEntry& drive, std::ostream* out) {
  *out << "{text \"" << drive.text << "\", root \"" << drive.rootPath << "\"}";
}

}  // namespace vantora
