#pragma once
// The udev database's record of a block device (/run/udev/data/b<major>:<minor>).

#include <optional>
#include <string>
#include <string_view>

#include "platform/linux/host_root_linux.h"
#include "platform/linux/volume_identity_linux.h"

namespace vantora::linux_backend {

// Undoes udev's "\xNN" escapes (ID_FS_LABEL_ENC keeps the label's bytes that
// way; ID_FS_LABEL has them replaced by '_' and is never used).
std::string decodeUdevEscapes(std::string_view encoded);

// The identity in one record's text, null when udev found no file system on it.
std::optional<VolumeIdentity> identityFromUdevRecord(std::string_view record);

// The identity udev keeps for a device, null without a record (udev not
// running, or the device unknown to it).
std::optional<VolumeIdentity> readUdevIdentity(const HostRoot& root, unsigned major, unsigned minor);

}  // namespace vantora::linux_backend
