#include "platform/linux/udev_db_linux.h"

#include "platform/linux/file_text_linux.h"

namespace vantora::linux_backend {
namespace {

int hexValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

}  // namespace

std::string decodeUdevEscapes(std::string_view encoded) {
  std::string decoded;
  decoded.reserve(encoded.size());
  for (std::size_t i = 0; i < encoded.size(); ++i) {
    if (encoded[i] == '\\' && i + 3 < encoded.size() && encoded[i + 1] == 'x') {
      const int high = hexValue(encoded[i + 2]);
      const int low = hexValue(encoded[i + 3]);
      if (high >= 0 && low >= 0) {
        decoded += static_cast<char>(high * 16 + low);
        i += 3;
        continue;
      }
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
