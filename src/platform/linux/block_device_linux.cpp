#include "platform/linux/block_device_linux.h"

#include <limits.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <system_error>

#include "platform/linux/file_text_linux.h"

namespace vantora::linux_backend {
namespace fs = std::filesystem;
namespace {

bool anyComponentStartsWith(const fs::path& path, std::string_view prefix) {
  return std::any_of(path.begin(), path.end(),
                     [&](const fs::path& part) { return part.native().starts_with(prefix); });
}

bool parseNumber(std::string_view text, unsigned& number) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc{} && end == text.data() + text.size() && !text.empty();
}

bool parseDeviceNumber(std::string_view text, unsigned& major, unsigned& minor) {
  const std::size_t colon = text.find(':');
  if (colon == std::string_view::npos) return false;
  return parseNumber(text.substr(0, colon), major) && parseNumber(text.substr(colon + 1), minor);
}

// The directory below /sys/devices that a sysfs link (/sys/dev/block/8:1,
// /sys/class/block/sda1, /sys/block/sda) leads to. The kernel's links are
// relative and lead straight into /sys/devices, whose directories are real,
// so one readlink and a lexical join resolve them where canonical() would
// look at every component; an absolute link of a captured tree stays inside
// that tree. Null when the link is gone.
std::optional<fs::path> deviceDirectoryOf(const HostRoot& root, const fs::path& link) {
  std::array<char, PATH_MAX> target{};
  const ssize_t length = ::readlink(link.c_str(), target.data(), target.size());
  if (length < 0) {
    // EINVAL: a directory of its own, not a link.
    if (errno == EINVAL) return link.lexically_normal();
    return std::nullopt;
  }
  if (length == 0 || static_cast<std::size_t>(length) == target.size()) return std::nullopt;
  const std::string_view to(target.data(), static_cast<std::size_t>(length));
  if (to.starts_with('/')) return root.at(to).lexically_normal();
  return (link.parent_path() / to).lexically_normal();
}

// Reads one device from its sysfs link.
std::optional<BlockDevice> inspect(const HostRoot& root, const fs::path& linkInSysfs) {
  const std::optional<fs::path> deviceDir = deviceDirectoryOf(root, linkInSysfs);
  if (!deviceDir) return std::nullopt;
  BlockDevice device;
  device.name = deviceDir->filename();
  if (!parseDeviceNumber(readFirstLine(*deviceDir / "dev"), device.major, device.minor)) return std::nullopt;

  // A partition sits in its disk's directory and inherits the disk's properties.
  const bool partition = ::access((*deviceDir / "partition").c_str(), F_OK) == 0;
  const fs::path diskDir = partition ? deviceDir->parent_path() : *deviceDir;
  device.diskName = diskDir.filename();
  device.removable = readFirstLine(diskDir / "removable") == "1";
  // Only the path inside sysfs says which bus the disk is on, not where the tree lives.
  const fs::path busPath = diskDir.lexically_relative(root.at("/sys").lexically_normal());
  device.onUsbOrMmc = anyComponentStartsWith(busPath, "usb") || anyComponentStartsWith(busPath, "mmc");
  device.optical = device.diskName.starts_with("sr") || readFirstLine(diskDir / "device" / "type") == "5";
  device.ramDisk = device.diskName.starts_with("zram") || device.diskName.starts_with("ram");
  device.loop = device.diskName.starts_with("loop");
  return device;
}

std::uint64_t numberKey(unsigned major, unsigned minor) { return (std::uint64_t{major} << 32) | minor; }

}  // namespace

std::optional<BlockDevice> blockDeviceByName(const HostRoot& root, std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos || name == "." || name == "..") return std::nullopt;
  return inspect(root, root.at("/sys/class/block") / name);
}

std::optional<BlockDevice> blockDeviceByNumber(const HostRoot& root, unsigned major, unsigned minor) {
  return inspect(root, root.at("/sys/dev/block") / (std::to_string(major) + ":" + std::to_string(minor)));
}

namespace {

// The device a mount's source names plainly: "/dev/sda2", or "/dev/mapper/root"
// by the name device-mapper gives it in sysfs. Nothing is resolved, so a
// source such as "/dev/../<a hung mount>/x" is only text.
std::optional<BlockDevice> blockDeviceOfSource(const HostRoot& root, std::string_view source) {
  if (!source.starts_with("/dev/")) return std::nullopt;
  source.remove_prefix(5);
  if (!source.starts_with("mapper/")) return blockDeviceByName(root, source);
  source.remove_prefix(7);
  std::error_code error;
  for (fs::directory_iterator it(root.at("/sys/block"), error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().native();
    if (name.starts_with("dm-") && readFirstLine(it->path() / "dm" / "name") == source) {
      return blockDeviceByName(root, name);
    }
  }
  return std::nullopt;
}

}  // namespace

const std::optional<BlockDevice>& BlockDeviceCache::ofMount(const MountEntry& mount) {
  // Major 0 is the kernel's anonymous device numbers (tmpfs, nfs, btrfs).
  if (mount.major != 0) {
    const auto [it, added] = byNumber_.try_emplace(numberKey(mount.major, mount.minor));
    if (added) it->second = blockDeviceByNumber(root_, mount.major, mount.minor);
    if (it->second) return it->second;
  }
  const auto [it, added] = bySource_.try_emplace(mount.source);
  if (added) it->second = blockDeviceOfSource(root_, mount.source);
  return it->second;
}

std::vector<BlockDevice> wholeDisks(const HostRoot& root, const std::set<std::string, std::less<>>& except) {
  std::vector<BlockDevice> disks;
  std::error_code error;
  for (fs::directory_iterator it(root.at("/sys/block"), error), end; !error && it != end; it.increment(error)) {
    if (except.contains(it->path().filename().native())) continue;
    if (auto device = inspect(root, it->path())) disks.push_back(std::move(*device));
  }
  std::sort(disks.begin(), disks.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return disks;
}

}  // namespace vantora::linux_backend
