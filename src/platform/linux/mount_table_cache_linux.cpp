#include "platform/linux/mount_table_cache_linux.h"

#include <fcntl.h>
#include <linux/magic.h>
#include <poll.h>
#include <sys/vfs.h>

#include "platform/linux/file_text_linux.h"

namespace vantora::linux_backend {

const std::vector<MountEntry>& MountTableCache::current() {
  if (!unchangedSinceRead()) read();
  return table_;
}

bool MountTableCache::unchangedSinceRead() {
  if (!fresh_ || !tellsOfChanges_) return false;
  pollfd watch{.fd = file_.get(), .events = POLLPRI, .revents = 0};
  // Zero timeout: only asks whether a change was flagged; the flag is cleared
  // by this poll, so the read that follows it sees that change and any later
  // one is flagged again.
  const int flagged = ::poll(&watch, 1, 0);
  // A poll that fails cannot vouch for the table.
  if (flagged < 0) return false;
  return flagged == 0 || (watch.revents & (POLLPRI | POLLERR | POLLNVAL)) == 0;
}

void MountTableCache::read() {
  if (!file_) {
    file_.reset(::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct statfs fileSystem {};
    tellsOfChanges_ = file_ && ::fstatfs(file_.get(), &fileSystem) == 0 && fileSystem.f_type == PROC_SUPER_MAGIC;
  }
  table_ = file_ ? parseMountTable(readFromStart(file_.get()).value_or("")) : std::vector<MountEntry>{};
  ++generation_;
  // Every mount namespace has a root, so an empty table means the read failed.
  fresh_ = !table_.empty();
  // A file that cannot be watched, or could not be read, is opened afresh
  // next time: it may have been replaced.
  if (!tellsOfChanges_ || !fresh_) file_.reset();
}

}  // namespace vantora::linux_backend
