#pragma once
// SystemQueries answered by Linux: the mount table and sysfs say what a drive
// is; statvfs, the udev database, libblkid and a few ioctls say what is on it.

#include <chrono>
#include <optional>

#include "platform/linux/block_device_linux.h"
#include "platform/linux/bounded_call_linux.h"
#include "platform/linux/host_root_linux.h"
#include "platform/linux/mount_table_cache_linux.h"
#include "platform/linux/mount_table_linux.h"
#include "platform/system_queries.h"

namespace vantora::linux_backend {

// One thread at a time may use it (the program hands it from the thread that
// reads the start-up list to the window's). It keeps what does not change
// between refreshes: the parsed mount table until the kernel reports a
// change, what sysfs said about the devices of that table, and the number
// separators.
class LinuxSystemQueries : public SystemQueries {
 public:
  // root: where /proc, /sys and the udev database are read (tests use a
  // captured tree); deadline: how long a mounted file system may take to
  // answer (VANTORA_QUERY_TIMEOUT_MS or 5 s unless given).
  explicit LinuxSystemQueries(HostRoot root = {}, std::chrono::milliseconds deadline = mountQueryDeadline());

  bool computerName(ComputerNameBuffer& buffer) override;
  std::uint32_t driveType(const std::string& rootPath) override;
  bool diskFreeSpaceEx(const std::string& rootPath, std::uint64_t& freeBytesToCaller, std::uint64_t& totalBytes,
                       std::uint64_t& totalFreeBytes) override;
  bool volumeInformation(const std::string& rootPath, VolumeNameBuffer& volumeName, std::uint32_t& serialNumber,
                         std::uint32_t& maxComponentLength, std::uint32_t& fileSystemFlags,
                         FileSystemNameBuffer& fileSystemName) override;
  std::uint32_t lastError() const override { return lastError_; }
  DriveList listDrives() override;
  NumberSeparators numberSeparators() override;
  // A refresh answers from the mount table as its first question found it,
  // and its file-system calls share one deadline.
  void beginRefresh() override;
  void beginQuickRead(std::chrono::milliseconds patience) override;
  void endRefresh() override;
  // The kernel flags every change of the mount table; asking costs a poll().
  bool drivesChanged() override;
  // The mount at the root path, by its id, device and source.
  std::optional<std::string> driveIdentity(const std::string& rootPath) override;

 private:
  // The current mount table, or the refresh's; devices_ is emptied whenever
  // the table was read again.
  const std::vector<MountEntry>& mountTable();
  // When a file-system call must give up: the refresh's deadline, or one of
  // its own outside a refresh.
  BoundedClock::time_point callDeadline() const;
  // The mount a root path names, or the error a query of it fails with:
  // kErrorNotReady for a listed disk without a mounted file system,
  // kErrorPathNotFound for anything else that is not a mount point.
  Outcome<MountEntry> mountAt(const std::string& rootPath);
  bool fail(std::uint32_t error);

  HostRoot root_;
  std::chrono::milliseconds deadline_;
  MountTableCache mounts_;
  // What sysfs says about the devices of mounts_'s table. A mounted device
  // keeps its number and its place in sysfs until it is unmounted, which
  // changes the table.
  BlockDeviceCache devices_;
  std::uint64_t devicesGeneration_ = 0;
  std::uint64_t generationSeen_ = 0;  // of the table when drivesChanged last asked
  BoundedCalls workers_;
  std::optional<BoundedClock::time_point> refreshDeadline_;  // set during a refresh
  bool tableReadInRefresh_ = false;
  std::optional<NumberSeparators> separators_;
  std::uint32_t lastError_ = winerror::kErrorSuccess;
};

}  // namespace vantora::linux_backend
