#include "platform/linux/blkid_identity_linux.h"

#include <string_view>

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

std::optional<VolumeIdentity> cachedBlkidIdentity(const std::string& cacheFile, const std::string& deviceNode) {
  blkid_cache rawCache = nullptr;
  if (blkid_get_cache(&rawCache, cacheFile.c_str()) != 0) return std::nullopt;
  BlkidCachePtr cache{rawCache};
  // BLKID_DEV_FIND: look the node up only; neither verify (which reads the
  // device) nor add it.
  blkid_dev device = blkid_get_dev(cache.get(), deviceNode.c_str(), BLKID_DEV_FIND);
  if (!device) return std::nullopt;
  VolumeIdentity identity;
  BlkidTagIterPtr tags{blkid_tag_iterate_begin(device)};
  if (!tags) return std::nullopt;
  const char* tag = nullptr;
  const char* value = nullptr;
  while (blkid_tag_next(tags.get(), &tag, &value) == 0) {
    if (tag && value) setTag(identity, tag, value, std::string_view(value).size());
  }
  if (identity.type.empty()) return std::nullopt;
  return identity;
}

}  // namespace vantora::linux_backend
