#include "platform/linux/udev_db_linux.h"

#include <charconv>

#include "platform/linux/file_text_linux.h"

namespace vantora::linux_backend {

std::string decodeUdevEscapes(std::string_view encoded) {
  std::string decoded;
  decoded.reserve(encoded.size());
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    const char* digits = encoded.data() + i + 2;
    unsigned char byte = 0;
    if (encoded.substr(i, 2) == "\\x" && i + 3 < encoded.size() &&
        std::from_chars(digits, digits + 2, byte, 16).ptr == digits + 2) {
      decoded += static_cast<char>(byte);
      i += 3;
      continue;
    }
    decoded += encoded[i];
  }
  return decoded;
}

std::optional<VolumeIdentity> identityFromUdevRecord(std::string_view record) {
  VolumeIdentity identity;
  bool known = false;
  while (!record.empty()) {
    const std::size_t end = record.find('\n');
    const std::string_view line = record.substr(0, end);
    record.remove_prefix(end == std::string_view::npos ? record.size() : end + 1);
    // Properties are "E:KEY=VALUE"; other letters are links, tags and timestamps.
    if (!line.starts_with("E:")) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(2, equals - 2);
    const std::string_view value = line.substr(equals + 1);
    if (key == "ID_FS_LABEL_ENC") {
      identity.label = decodeUdevEscapes(value);
    } else if (key == "ID_FS_UUID") {
      identity.uuid = value;
    } else if (key == "ID_FS_TYPE") {
      identity.type = value;
      known = !value.empty();
    } else if (key == "ID_FS_VERSION") {
      identity.version = value;
    }
  }
  if (!known) return std::nullopt;
  return identity;
}

std::optional<VolumeIdentity> readUdevIdentity(const HostRoot& root, unsigned major, unsigned minor) {
  const auto record =
      readWholeFile(root.at("/run/udev/data") / ("b" + std::to_string(major) + ":" + std::to_string(minor)));
  if (!record) return std::nullopt;
  return identityFromUdevRecord(*record);
}

}  // namespace vantora::linux_backend
