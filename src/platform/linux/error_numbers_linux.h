#pragma once
#include <cstdint>

namespace vantora::linux_backend {

// The Windows error number that means the same as this errno value, so the
// last-error line reads alike on both systems.
std::uint32_t windowsErrorFromErrno(int errnoValue);

}  // namespace vantora::linux_backend
