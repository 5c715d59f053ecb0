#include "platform/linux/system_queries_linux.h"

#include <sys/statvfs.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "platform/linux/drive_list_linux.h"
#include "platform/linux/drive_type_linux.h"
#include "platform/linux/file_system_terms_linux.h"
#include "platform/linux/system_text_linux.h"
#include "platform/linux/volume_identity_linux.h"
#include "platform/make_system_queries.h"
#include "platform/utf8_text.h"

namespace vantora {

std::unique_ptr<SystemQueries> makeSystemQueries() { return std::make_unique<linux_backend::LinuxSystemQueries>(); }

namespace linux_backend {
namespace {

// Everything volumeInformation learns from the mounted file system itself.
struct VolumeFacts {
  VolumeIdentity identity;
  FeatureProbes probes;
  std::uint32_t maxComponentLength = 0;
};

Outcome<struct statvfs> statMountPoint(const std::string& mountPoint) {
  struct statvfs stats {};
  if (::statvfs(mountPoint.c_str(), &stats) != 0) return {std::nullopt, windowsErrorFromErrno(errno)};
  return {stats};
}

}  // namespace

LinuxSystemQueries::LinuxSystemQueries(HostRoot root, std::chrono::milliseconds deadline)
    : root_(std::move(root)), deadline_(deadline), mounts_(root_.at("/proc/self/mountinfo")), devices_(root_) {}

void LinuxSystemQueries::beginRefresh() {
  refreshDeadline_ = BoundedClock::now() + deadline_;
  tableReadInRefresh_ = false;
}

void LinuxSystemQueries::beginQuickRead(std::chrono::milliseconds patience) {
  refreshDeadline_ = BoundedClock::now() + std::min(patience, deadline_);
  tableReadInRefresh_ = false;
}

void LinuxSystemQueries::endRefresh() { refreshDeadline_.reset(); }

bool LinuxSystemQueries::drivesChanged() {
  mountTable();
  return std::exchange(generationSeen_, mounts_.generation()) != mounts_.generation();
}

std::optional<std::string> LinuxSystemQueries::driveIdentity(const std::string& rootPath) {
  const MountEntry* mount = findMountAt(mountTable(), rootPath);
  if (!mount) return std::nullopt;
  // Mount ids are handed out again once free, so the device and source go with it.
  return std::to_string(mount->id) + ' ' + std::to_string(mount->major) + ':' + std::to_string(mount->minor) + ' ' +
         mount->source;
}

BoundedClock::time_point LinuxSystemQueries::callDeadline() const {
  return refreshDeadline_.value_or(BoundedClock::now() + deadline_);
}

const std::vector<MountEntry>& LinuxSystemQueries::mountTable() {
  // A type from one table and a capacity from another would describe no
  // drive that ever was.
  if (refreshDeadline_ && tableReadInRefresh_) return mounts_.last();
  tableReadInRefresh_ = refreshDeadline_.has_value();
  const std::vector<MountEntry>& table = mounts_.current();
  if (mounts_.generation() != devicesGeneration_) {
    devices_ = BlockDeviceCache(root_);
    devicesGeneration_ = mounts_.generation();
  }
  return table;
}

bool LinuxSystemQueries::fail(std::uint32_t error) {
  lastError_ = error;
  return false;
}

Outcome<MountEntry> LinuxSystemQueries::mountAt(const std::string& rootPath) {
  const std::vector<MountEntry>& table = mountTable();
  if (const MountEntry* mount = findMountAt(table, rootPath)) return {*mount};
  if (unmountedDriveAt(root_, table, devices_, rootPath)) return {std::nullopt, winerror::kErrorNotReady};
  return {std::nullopt, winerror::kErrorPathNotFound};
}

bool LinuxSystemQueries::computerName(ComputerNameBuffer& buffer) {
  copyTerminated(computerNameFromHostName(readHostName()), buffer);
  lastError_ = winerror::kErrorSuccess;
  return true;
}

std::uint32_t LinuxSystemQueries::driveType(const std::string& rootPath) {
  const std::vector<MountEntry>& table = mountTable();
  if (const MountEntry* mount = findMountAt(table, rootPath)) return classifyMount(*mount, devices_.ofMount(*mount));
  if (auto disk = unmountedDriveAt(root_, table, devices_, rootPath)) return classifyBlockDevice(*disk, "");
  return kDriveNoRootDir;
}

bool LinuxSystemQueries::diskFreeSpaceEx(const std::string& rootPath, std::uint64_t& freeBytesToCaller,
                                         std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) {
  const Outcome<MountEntry> mount = mountAt(rootPath);
  if (!mount.value) return fail(mount.error);
  const std::string target = mount.value->target;
  const Outcome<FreeSpace> space = workers_.run(target, callDeadline(), [target]() -> Outcome<FreeSpace> {
    const Outcome<struct statvfs> stats = statMountPoint(target);
    if (!stats.value) return {std::nullopt, stats.error};
    return {freeSpaceFromBlocks(stats.value->f_blocks, stats.value->f_bfree, stats.value->f_bavail,
                                stats.value->f_frsize)};
  });
  if (!space.value) return fail(space.error);
  freeBytesToCaller = space.value->freeToCaller;
  totalBytes = space.value->total;
  totalFreeBytes = space.value->totalFree;
  lastError_ = winerror::kErrorSuccess;
  return true;
}

bool LinuxSystemQueries::volumeInformation(const std::string& rootPath, VolumeNameBuffer& volumeName,
                                           std::uint32_t& serialNumber, std::uint32_t& maxComponentLength,
                                           std::uint32_t& fileSystemFlags, FileSystemNameBuffer& fileSystemName) {
  const Outcome<MountEntry> mount = mountAt(rootPath);
  if (!mount.value) return fail(mount.error);
  const std::optional<BlockDevice> device = devices_.ofMount(*mount.value);
  const Outcome<VolumeFacts> facts =
      workers_.run(mount.value->target, callDeadline(),
                 [root = root_, target = mount.value->target, type = mount.value->fsType, device]() {
        const Outcome<struct statvfs> stats = statMountPoint(target);
        if (!stats.value) return Outcome<VolumeFacts>{std::nullopt, stats.error};
        const std::string deviceNode = device ? root.at(device->node()).string() : std::string();
        return Outcome<VolumeFacts>{VolumeFacts{readVolumeIdentity(root, device, target, type),
                                                probeFeatures(target, deviceNode),
                                                static_cast<std::uint32_t>(stats.value->f_namemax)}};
      });
  if (!facts.value) return fail(facts.error);

  const VolumeIdentity& identity = facts.value->identity;
  const std::string family = fileSystemFamily(mount.value->fsType, identity.type);
  copyTerminated(displayText(identity.label), volumeName);
  copyTerminated(displayText(windowsFileSystemName(family, identity.version)), fileSystemName);
  serialNumber = volumeSerialNumber(family, identity.uuid);
  maxComponentLength = facts.value->maxComponentLength;
  fileSystemFlags = featureFlags(family, identity.version, mount.value->options, facts.value->probes);
  lastError_ = winerror::kErrorSuccess;
  return true;
}

DriveList LinuxSystemQueries::listDrives() {
  std::error_code error;
  const std::filesystem::path workingDirectory = std::filesystem::current_path(error);
  const std::vector<MountEntry>& table = mountTable();
  return buildDriveList(root_, table, devices_, error ? "/" : workingDirectory.native());
}

NumberSeparators LinuxSystemQueries::numberSeparators() {
  // The locale comes from the environment, which no one changes under a
  // running program.
  if (!separators_) separators_ = userNumberSeparators();
  return *separators_;
}

}  // namespace linux_backend
}  // namespace vantora
