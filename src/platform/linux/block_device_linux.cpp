#include "platform/linux/block_device_linux.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace vantora::linux_backend {
namespace fs = std::filesystem;
namespace {

// The first line of a small sysfs attribute, empty when it cannot be read.
std::string readAttribute(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);
  return line;
}

bool anyComponentStartsWith(const fs::path& path, std::string_view prefix) {
  return std::any_of(path.begin(), path.end(),
                     [&](const fs::path& part) { return part.native().starts_with(prefix); });
}

bool parseDeviceNumber(const std::string& text, unsigned& major, unsigned& minor) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos) return false;
  try {
    major = static_cast<unsigned>(std::stoul(text.substr(0, colon)));
    minor = static_cast<unsigned>(std::stoul(text.substr(colon + 1)));
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

// Reads one device from its directory under /sys/devices (symlinks resolved).
std::optional<BlockDevice> inspect(const HostRoot& root, const fs::path& linkInSysfs) {
  std::error_code error;
  const fs::path deviceDir = fs::canonical(linkInSysfs, error);
  if (error) return std::nullopt;
  // Only the path inside sysfs says which bus the disk is on, not where the tree lives.
  const fs::path sysfsDir = fs::canonical(root.at("/sys"), error);
  if (error) return std::nullopt;
  BlockDevice device;
  device.name = deviceDir.filename();
  if (!parseDeviceNumber(readAttribute(deviceDir / "dev"), device.major, device.minor)) return std::nullopt;

  // A partition sits in its disk's directory and inherits the disk's properties.
  const bool partition = fs::exists(deviceDir / "partition", error);
  const fs::path diskDir = partition ? deviceDir.parent_path() : deviceDir;
  device.diskName = diskDir.filename();
  device.removable = readAttribute(diskDir / "removable") == "1";
  const fs::path busPath = diskDir.lexically_relative(sysfsDir);
  device.onUsbOrMmc = anyComponentStartsWith(busPath, "usb") || anyComponentStartsWith(busPath, "mmc");
  device.optical = readAttribute(diskDir / "device" / "type") == "5" || device.diskName.starts_with("sr");
  device.ramDisk = device.diskName.starts_with("zram") || device.diskName.starts_with("ram");
  device.loop = device.diskName.starts_with("loop");
  return device;
}

}  // namespace

std::optional<BlockDevice> blockDeviceByName(const HostRoot& root, std::string_view name) {
  if (name.empty() || name.find('/') != std::string_view::npos || name == "." || name == "..") return std::nullopt;
  return inspect(root, root.at("/sys/class/block") / name);
}

std::optional<BlockDevice> blockDeviceByNumber(const HostRoot& root, unsigned major, unsigned minor) {
  return inspect(root, root.at("/sys/dev/block") / (std::to_string(major) + ":" + std::to_string(minor)));
}

std::optional<BlockDevice> blockDeviceOfMount(const HostRoot& root, const MountEntry& mount) {
  // Major 0 is the kernel's anonymous device numbers (tmpfs, nfs, btrfs).
  if (mount.major != 0) {
    if (auto device = blockDeviceByNumber(root, mount.major, mount.minor)) return device;
  }
  if (!mount.source.starts_with("/dev/")) return std::nullopt;
  std::error_code error;
  const fs::path resolved = fs::canonical(root.at(mount.source), error);
  return blockDeviceByName(root, (error ? fs::path(mount.source) : resolved).filename().native());
}

std::vector<BlockDevice> wholeDisks(const HostRoot& root) {
  std::vector<BlockDevice> disks;
  std::error_code error;
  for (fs::directory_iterator it(root.at("/sys/block"), error), end; !error && it != end; it.increment(error)) {
    if (auto device = inspect(root, it->path())) disks.push_back(std::move(*device));
  }
  std::sort(disks.begin(), disks.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return disks;
}

}  // namespace vantora::linux_backend
