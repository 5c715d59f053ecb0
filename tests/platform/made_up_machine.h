#pragma once
// A machine made up by one test: its mount table, sysfs devices and udev
// records in a scratch directory (a HostRoot like the captured ones), and
// real directories for its mount points, so statvfs and the volume probes
// answer for them as for the directory the tests run in.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/linux/host_root_linux.h"

namespace vantora::testing {

class MadeUpMachine {
 public:
  MadeUpMachine();
  MadeUpMachine(const MadeUpMachine&) = delete;
  MadeUpMachine& operator=(const MadeUpMachine&) = delete;
  ~MadeUpMachine();

  linux_backend::HostRoot root() const { return {base_ / "root"}; }

  // Where a mount point of this name lies; name may hold any byte but '/' and NUL.
  std::string mountPointPath(const std::string& name) const;
  // mountPointPath, made a real directory.
  std::string makeMountPoint(const std::string& name);

  // A USB stick: a removable disk "sd<letter>" with one partition carrying a
  // file system that udev recorded with this label (any bytes). Returns the
  // partition's device number as "MAJOR:MINOR".
  std::string addUsbStick(char letter, const std::string& fsType, const std::string& label);

  // One mount table line, written as the kernel writes it (space, tab, newline
  // and backslash in octal); device is "MAJOR:MINOR".
  void addMount(const std::string& target, const std::string& fsType, const std::string& source,
                const std::string& device);
  // A line exactly as given, for damaged tables.
  void addRawLine(const std::string& line);
  // Writes proc/self/mountinfo; call after the last add.
  void writeMountTable() const;

 private:
  std::filesystem::path base_;
  std::vector<std::string> lines_;
  int nextMountId_ = 100;
};

// The kernel's escape of a mount point in /proc/self/mountinfo.
std::string mountinfoEscaped(const std::string& path);

// udev's encoding of ID_FS_LABEL_ENC: every byte that is not a letter, digit
// or plain ASCII punctuation becomes \xNN.
std::string udevEncoded(const std::string& label);

}  // namespace vantora::testing
