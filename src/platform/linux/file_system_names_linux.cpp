#include "platform/linux/file_system_names_linux.h"

#include <cctype>

namespace vantora::linux_backend {
namespace {

// The UUID's hex digits with its dashes dropped; empty when anything else is in it.
std::string hexDigitsOf(std::string_view uuid) {
  std::string digits;
  for (const char c : uuid) {
    if (c == '-') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
    digits += c;
  }
  return digits;
}

std::uint32_t parseHex32(std::string_view eightDigits) {
  return static_cast<std::uint32_t>(std::stoul(std::string(eightDigits), nullptr, 16));
}

}  // namespace

std::string fileSystemFamily(std::string_view mountType, std::string_view probedType) {
  if (mountType == "fuseblk" || mountType == "fuse") {
    return std::string(probedType.empty() ? mountType : probedType);
  }
  if (mountType == "ntfs3" || mountType == "fuse.ntfs-3g") return "ntfs";
  if (mountType == "msdos") return "vfat";
  if (mountType == "fuse.exfat") return "exfat";
  return std::string(mountType);
}

std::string windowsFileSystemName(std::string_view family, std::string_view version) {
  if (family == "vfat") {
    if (version == "FAT12" || version == "FAT16" || version == "FAT32") return std::string(version);
    return "FAT";
  }
  if (family == "ntfs") return "NTFS";
  if (family == "exfat") return "exFAT";
  if (family == "iso9660") return "CDFS";
  if (family == "udf") return "UDF";
  return std::string(family);
}

std::uint32_t volumeSerialNumber(std::string_view family, std::string_view uuid) {
  const std::string digits = hexDigitsOf(uuid);
  if (family == "ntfs") {
    return digits.size() == 16 ? parseHex32(std::string_view(digits).substr(8)) : 0;
  }
  return digits.size() >= 8 ? parseHex32(std::string_view(digits).substr(0, 8)) : 0;
}

}  // namespace vantora::linux_backend
