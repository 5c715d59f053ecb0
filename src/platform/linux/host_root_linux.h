#pragma once
// Where the backend finds /proc, /sys and the udev database. The live system
// uses "/"; tests point it at a captured tree in tests/data, as lsblk's
// --sysroot does, so every read of ours goes through this prefix.

#include <filesystem>
#include <string_view>

namespace vantora::linux_backend {

struct HostRoot {
  std::filesystem::path prefix = "/";

  // An absolute system path ("/sys/block") below the prefix.
  std::filesystem::path at(std::string_view absolutePath) const {
    std::string_view relative = absolutePath;
    while (!relative.empty() && relative.front() == '/') relative.remove_prefix(1);
    return prefix / relative;
  }
};

}  // namespace vantora::linux_backend
