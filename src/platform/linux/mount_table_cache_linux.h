#pragma once
// The mount table, parsed once and read again only when it has changed. The
// kernel marks every mount, unmount and remount in a namespace on each open
// /proc/self/mountinfo of it: poll() then reports POLLPRI|POLLERR on that
// file once. Asking costs one system call with no wait, where reading and
// parsing the table costs a read per page and libmount's parse.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "platform/linux/mount_table_linux.h"
#include "platform/linux/unique_fd_linux.h"

namespace vantora::linux_backend {

class MountTableCache {
 public:
  explicit MountTableCache(std::filesystem::path mountinfo) : path_(std::move(mountinfo)) {}

  // The table as it is now. The file is opened on first use, so it shows the
  // mount namespace the program works in by then. A file that cannot tell of
  // changes (a captured table in tests, anything not on procfs) is read at
  // every call; so is one that could not be read.
  const std::vector<MountEntry>& current();

  // The table as current() last gave it, without asking whether it changed.
  const std::vector<MountEntry>& last() const { return table_; }

  // Counts the times the table was read; a new value means anything learnt
  // from the old table is stale.
  std::uint64_t generation() const { return generation_; }

 private:
  bool unchangedSinceRead();
  void read();

  std::filesystem::path path_;
  UniqueFd file_;
  bool tellsOfChanges_ = false;  // the file is procfs's, which poll() can watch
  bool fresh_ = false;           // table_ is what the file held when last read, with no change since
  std::vector<MountEntry> table_;
  std::uint64_t generation_ = 0;
};

}  // namespace vantora::linux_backend
