#include "platform/linux/volume_identity_linux.h"

#include <blkid/blkid.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <array>
#include <charconv>
#include <memory>

#include "platform/linux/file_system_terms_linux.h"
#include "platform/linux/file_text_linux.h"
#include "platform/linux/unique_fd_linux.h"

namespace vantora::linux_backend {
namespace {

// The next line of rest without its line end; rest keeps what follows.
std::string_view takeLine(std::string_view& rest) {
  const std::size_t end = rest.find('\n');
  const std::string_view line = rest.substr(0, end);
  rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  return line;
}

// One of libblkid's tags, from a probe or from its cache file.
void setTag(VolumeIdentity& identity, std::string_view tag, std::string text) {
  if (tag == "LABEL") identity.label = std::move(text);
  else if (tag == "UUID") identity.uuid = std::move(text);
  else if (tag == "TYPE") identity.type = std::move(text);
  else if (tag == "VERSION") identity.version = std::move(text);
}

// Reads the superblock of the device; null when the node cannot be opened
// (not root) or holds no file system libblkid knows.
std::optional<VolumeIdentity> probeBlkidIdentity(const std::string& deviceNode) {
  const std::unique_ptr<std::remove_pointer_t<blkid_probe>, decltype(&blkid_free_probe)> probe{
      blkid_new_probe_from_filename(deviceNode.c_str()), blkid_free_probe};
  if (!probe) return std::nullopt;
  blkid_probe_enable_superblocks(probe.get(), 1);
  blkid_probe_set_superblocks_flags(probe.get(), BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE |
                                                     BLKID_SUBLKS_VERSION);
  if (blkid_do_safeprobe(probe.get()) != 0) return std::nullopt;
  VolumeIdentity identity;
  for (const char* tag : {"LABEL", "UUID", "TYPE", "VERSION"}) {
    const char* value = nullptr;
    std::size_t length = 0;
    if (blkid_probe_lookup_value(probe.get(), tag, &value, &length) != 0 || !value) continue;
    // libblkid counts the terminating NUL in the length of a probed value.
    std::string text(value, length);
    while (!text.empty() && text.back() == '\0') text.pop_back();
    setTag(identity, tag, std::move(text));
  }
  if (identity.type.empty()) return std::nullopt;
  return identity;
}

// One "<device DEVNO="0x0811" TIME="1733580000.5" LABEL="x" TYPE="vfat">/dev/sdb1</device>"
// line; null for any other line. Values run to the next quote, as libblkid
// reads them.
std::optional<std::pair<std::string_view, BlkidCacheEntry>> parseCacheLine(std::string_view line) {
  if (!line.starts_with("<device")) return std::nullopt;
  line.remove_prefix(7);
  BlkidCacheEntry entry;
  while (!line.empty() && line.front() == ' ') {
    line.remove_prefix(1);
    const std::size_t open = line.find("=\"");
    if (open == std::string_view::npos) return std::nullopt;
    const std::size_t close = line.find('"', open + 2);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view name = line.substr(0, open);
    const std::string_view value = line.substr(open + 2, close - open - 2);
    line.remove_prefix(close + 1);
    if (name == "DEVNO" && value.starts_with("0x")) {
      unsigned long long number = 0;
      std::from_chars(value.data() + 2, value.data() + value.size(), number, 16);
      entry.major = major(static_cast<dev_t>(number));
      entry.minor = minor(static_cast<dev_t>(number));
    } else if (name == "TIME") {
      std::from_chars(value.data(), value.data() + value.size(), entry.probedAt);
    } else {
      setTag(entry.identity, name, std::string(value));
    }
  }
  if (!line.starts_with('>') || !line.ends_with("</device>")) return std::nullopt;
  return std::pair{line.substr(1, line.size() - 10), entry};
}

// The generic UUID ioctl of Linux 6.5, newer than the headers we build with.
struct FsUuid {
  std::uint8_t length;
  std::uint8_t bytes[16];
};
constexpr unsigned long kGetFsUuid = _IOR(0x15, 0, FsUuid);

// ext4, xfs, btrfs and f2fs answer this ioctl on any file of the volume.
std::string labelFromIoctl(int directory) {
  std::array<char, FSLABEL_MAX + 1> label{};
  if (::ioctl(directory, FS_IOC_GETFSLABEL, label.data()) != 0) return {};
  label.back() = '\0';
  return label.data();
}

// "f81d4fae-7dec-11d0-a765-00a0c91e6bf6"; empty where the kernel or the file
// system does not tell.
std::string uuidFromIoctl(int directory) {
  FsUuid uuid{};
  if (::ioctl(directory, kGetFsUuid, &uuid) != 0 || uuid.length != sizeof(uuid.bytes)) return {};
  constexpr char kHex[] = "0123456789abcdef";
  std::string text;
  for (std::size_t i = 0; i < sizeof(uuid.bytes); ++i) {
    if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
    text += kHex[uuid.bytes[i] >> 4];
    text += kHex[uuid.bytes[i] & 0xF];
  }
  return text;
}

// When the file system mounted here was made, from its root's birth time;
// null where the file system does not tell.
std::optional<std::int64_t> fileSystemMadeAt(const std::string& mountPoint) {
  struct statx info {};
  if (::statx(AT_FDCWD, mountPoint.c_str(), 0, STATX_BTIME, &info) != 0 || (info.stx_mask & STATX_BTIME) == 0) {
    return std::nullopt;
  }
  return info.stx_btime.tv_sec;
}

}  // namespace

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
  while (!record.empty()) {
    const std::string_view line = takeLine(record);
    // Properties are "E:KEY=VALUE"; other letters are links, tags and timestamps.
    const std::size_t equals = line.find('=');
    if (!line.starts_with("E:") || equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(2, equals - 2);
    const std::string_view value = line.substr(equals + 1);
    if (key == "ID_FS_LABEL_ENC") identity.label = decodeUdevEscapes(value);
    else if (key == "ID_FS_UUID") identity.uuid = value;
    else if (key == "ID_FS_TYPE") identity.type = value;
    else if (key == "ID_FS_VERSION") identity.version = value;
  }
  if (identity.type.empty()) return std::nullopt;
  return identity;
}

std::optional<VolumeIdentity> readUdevIdentity(const HostRoot& root, unsigned major, unsigned minor) {
  const auto record =
      readWholeFile(root.at("/run/udev/data") / ("b" + std::to_string(major) + ":" + std::to_string(minor)));
  if (!record) return std::nullopt;
  return identityFromUdevRecord(*record);
}

std::optional<BlkidCacheEntry> cachedBlkidEntry(const std::filesystem::path& cacheFile, std::string_view deviceNode) {
  const std::optional<std::string> text = readWholeFile(cacheFile);
  if (!text) return std::nullopt;
  for (std::string_view rest = *text; !rest.empty();) {
    const auto parsed = parseCacheLine(takeLine(rest));
    if (parsed && parsed->first == deviceNode && !parsed->second.identity.type.empty()) return parsed->second;
  }
  return std::nullopt;
}

std::optional<VolumeIdentity> currentIdentity(const std::optional<BlkidCacheEntry>& entry, const BlockDevice& device,
                                              std::string_view mountType, std::optional<std::int64_t> madeAt) {
  if (!entry || entry->major != device.major || entry->minor != device.minor) return std::nullopt;
  const std::string& type = entry->identity.type;
  if (fileSystemFamily(mountType, type) != fileSystemFamily(type, type)) return std::nullopt;
  if (madeAt && entry->probedAt < *madeAt) return std::nullopt;
  return entry->identity;
}

std::optional<VolumeIdentity> cachedIdentity(const HostRoot& root, const BlockDevice& device,
                                             std::string_view mountType, std::optional<std::int64_t> madeAt) {
  // The cache names devices as the system does, so the node stays unprefixed.
  return currentIdentity(cachedBlkidEntry(root.at("/run/blkid/blkid.tab"), device.node()), device, mountType,
                         madeAt);
}

VolumeIdentity readVolumeIdentity(const HostRoot& root, const std::optional<BlockDevice>& device,
                                  const std::string& mountPoint, std::string_view mountType) {
  if (device) {
    if (auto identity = readUdevIdentity(root, device->major, device->minor)) return *identity;
    if (auto identity = probeBlkidIdentity(root.at(device->node()).string())) return *identity;
    if (auto identity = cachedIdentity(root, *device, mountType, fileSystemMadeAt(mountPoint))) return *identity;
  }
  // Last, the file system itself, for volumes whose device we may not read.
  VolumeIdentity identity;
  const UniqueFd directory{::open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
  if (!directory) return identity;
  identity.label = labelFromIoctl(directory.get());
  identity.uuid = uuidFromIoctl(directory.get());
  return identity;
}

}  // namespace vantora::linux_backend
