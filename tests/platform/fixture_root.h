#pragma once
// The captured machines in tests/data, as HostRoots.

#include <string>

#include "platform/linux/host_root_linux.h"

namespace vantora::testing {

// A desktop with a SATA disk, a USB stick, an empty card reader, a CD drive
// without a disc, an SD card, zram and loop images (see tests/data/README.md).
inline linux_backend::HostRoot desktopFixture() {
  return linux_backend::HostRoot{std::string(VANTORA_TEST_DATA) + "/linux-desktop"};
}

}  // namespace vantora::testing
