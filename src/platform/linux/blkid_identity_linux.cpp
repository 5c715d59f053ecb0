#include "platform/linux/blkid_identity_linux.h"

#include <sys/sysmacros.h>

#include <charconv>

#include "platform/linux/file_system_names_linux.h"
#include "platform/linux/file_text_linux.h"
#include "platform/linux/library_handles_linux.h"

namespace vantora::linux_backend {
namespace {

void setTag(VolumeIdentity& identity, std::string_view tag, const char* value, std::size_t length) {
  // libblkid counts the terminating NUL in the length of a probed value.
  std::string text(value, length);
  while (!text.empty() && text.back() == '\0') text.pop_back();
  if (tag == "LABEL") identity.label = std::move(text);
  else if (tag == "UUID") identity.uuid = std::move(text);
  else if (tag == "TYPE") identity.type = std::move(text);
  else if (tag == "VERSION") identity.version = std::move(text);
}

}  // namespace

std::optional<VolumeIdentity> probeBlkidIdentity(const std::string& deviceNode) {
  BlkidProbePtr probe{blkid_new_probe_from_filename(deviceNode.c_str())};
  if (!probe) return std::nullopt;
  blkid_probe_enable_superblocks(probe.get(), 1);
  blkid_probe_set_superblocks_flags(probe.get(), BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE |
                                                     BLKID_SUBLKS_VERSION);
  if (blkid_do_safeprobe(probe.get()) != 0) return std::nullopt;
  VolumeIdentity identity;
  for (const char* tag : {"LABEL", "UUID", "TYPE", "VERSION"}) {
    const char* value = nullptr;
    std::size_t length = 0;
    if (blkid_probe_lookup_value(probe.get(), tag, &value, &length) == 0 && value) {
      setTag(identity, tag, value, length);
    }
  }
  if (identity.type.empty()) return std::nullopt;
  return identity;
}

namespace {

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
      setTag(entry.identity, name, value.data(), value.size());
    }
  }
  if (!line.starts_with('>') || !line.ends_with("</device>")) return std::nullopt;
  return std::pair{line.substr(1, line.size() - 10), entry};
}

}  // namespace

std::optional<BlkidCacheEntry> cachedBlkidEntry(const std::filesystem::path& cacheFile, std::string_view deviceNode) {
  const std::optional<std::string> text = readWholeFile(cacheFile);
  if (!text) return std::nullopt;
  for (std::string_view rest = *text; !rest.empty();) {
    const std::size_t end = rest.find('\n');
    const auto parsed = parseCacheLine(rest.substr(0, end));
    if (parsed && parsed->first == deviceNode && !parsed->second.identity.type.empty()) return parsed->second;
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
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

}  // namespace vantora::linux_backend
