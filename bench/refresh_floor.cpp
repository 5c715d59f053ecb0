#include "refresh_floor.h"

#include <blkid/blkid.h>
#include <fcntl.h>
#include <langinfo.h>
#include <linux/fs.h>
#include <linux/fscrypt.h>
#include <linux/dqblk_xfs.h>
#include <locale.h>
#include <limits.h>
#include <sys/ioctl.h>
#include <sys/quota.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <charconv>
#include <string_view>

#include <benchmark/benchmark.h>

namespace vantora::bench {
namespace {

// The volume UUID ioctl of Linux 6.5, newer than the headers we build with.
struct FsUuid {
  std::uint8_t length;
  std::uint8_t bytes[16];
};
constexpr unsigned long kGetFsUuid = _IOR(0x15, 0, FsUuid);

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

std::string readFile(const char* path) {
  std::string text;
  const Fd file(::open(path, O_RDONLY | O_CLOEXEC));
  if (!file) return text;
  std::array<char, 16384> chunk{};
  for (ssize_t got; (got = ::read(file.get(), chunk.data(), chunk.size())) > 0;) {
    text.append(chunk.data(), static_cast<std::size_t>(got));
  }
  return text;
}

// The fields of a mountinfo line that a refresh needs.
struct MountLine {
  unsigned major = 0;
  unsigned minor = 0;
  bool found = false;
};

MountLine findMountLine(std::string_view table, std::string_view mountPoint) {
  MountLine found;
  while (!table.empty()) {
    const std::size_t end = table.find('\n');
    std::string_view line = table.substr(0, end);
    table.remove_prefix(end == std::string_view::npos ? table.size() : end + 1);
    // id parent major:minor root mountpoint ...
    std::array<std::string_view, 5> fields{};
    for (std::string_view& field : fields) {
      const std::size_t space = line.find(' ');
      field = line.substr(0, space);
      line.remove_prefix(space == std::string_view::npos ? line.size() : space + 1);
    }
    if (fields[4] != mountPoint) continue;
    const std::string_view device = fields[2];
    const std::size_t colon = device.find(':');
    std::from_chars(device.data(), device.data() + colon, found.major);
    std::from_chars(device.data() + colon + 1, device.data() + device.size(), found.minor);
    found.found = true;  // the last line for a mount point wins, as it covers the others
  }
  return found;
}

void readNumberSeparators() {
  const locale_t locale = newlocale(LC_NUMERIC_MASK, "", locale_t{});
  if (locale == locale_t{}) return;
  benchmark::DoNotOptimize(nl_langinfo_l(GROUPING, locale));
  benchmark::DoNotOptimize(nl_langinfo_l(THOUSEP, locale));
  benchmark::DoNotOptimize(nl_langinfo_l(RADIXCHAR, locale));
  freelocale(locale);
}

// The kernel name of the device ("vda", "loop3") from its sysfs link, and the
// attributes that classify it.
std::string readBlockDevice(const std::string& numbers) {
  const std::string link = "/sys/dev/block/" + numbers;
  std::array<char, PATH_MAX> target{};
  const ssize_t length = ::readlink(link.c_str(), target.data(), target.size() - 1);
  if (length <= 0) return {};
  const std::string_view resolved(target.data(), static_cast<std::size_t>(length));
  benchmark::DoNotOptimize(readFile((link + "/dev").c_str()));
  const bool partition = ::access((link + "/partition").c_str(), F_OK) == 0;
  const std::string disk = partition ? link + "/.." : link;
  benchmark::DoNotOptimize(readFile((disk + "/removable").c_str()));
  benchmark::DoNotOptimize(readFile((disk + "/device/type").c_str()));
  return std::string(resolved.substr(resolved.rfind('/') + 1));
}

// True when the superblock could be read.
bool probeSuperblock(const std::string& deviceNode) {
  const blkid_probe probe = blkid_new_probe_from_filename(deviceNode.c_str());
  if (probe == nullptr) return false;
  blkid_probe_enable_superblocks(probe, 1);
  blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE |
                                               BLKID_SUBLKS_VERSION);
  const bool found = blkid_do_safeprobe(probe) == 0;
  if (found) {
    for (const char* tag : {"LABEL", "UUID", "TYPE", "VERSION"}) {
      const char* value = nullptr;
      blkid_probe_lookup_value(probe, tag, &value, nullptr);
      benchmark::DoNotOptimize(value);
    }
  }
  blkid_free_probe(probe);
  return found;
}

// The label and UUID as the mounted file system itself tells them.
void askVolumeForLabel(int directory) {
  std::array<char, FSLABEL_MAX + 1> label{};
  benchmark::DoNotOptimize(::ioctl(directory, FS_IOC_GETFSLABEL, label.data()));
  FsUuid uuid{};
  benchmark::DoNotOptimize(::ioctl(directory, kGetFsUuid, &uuid));
}

void probeFeatures(int directory) {
  benchmark::DoNotOptimize(::fgetxattr(directory, "system.posix_acl_access", nullptr, 0));
  fscrypt_get_policy_ex_arg policy{};
  policy.policy_size = sizeof(policy.policy);
  benchmark::DoNotOptimize(::ioctl(directory, FS_IOC_GET_ENCRYPTION_POLICY_EX, &policy));
  fs_quota_stat state{};
  benchmark::DoNotOptimize(::syscall(SYS_quotactl_fd, directory, QCMD(Q_XGETQSTAT, USRQUOTA), 0, &state));
}

}  // namespace

bool makeRefreshSystemCalls(const std::string& mountPoint) {
  const MountLine mount = findMountLine(readFile("/proc/self/mountinfo"), mountPoint);
  if (!mount.found) return false;

  std::array<char, HOST_NAME_MAX + 1> host{};
  benchmark::DoNotOptimize(::gethostname(host.data(), host.size()));
  struct statvfs space {};
  benchmark::DoNotOptimize(::statvfs(mountPoint.c_str(), &space));
  readNumberSeparators();

  const Fd directory(::open(mountPoint.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (mount.major != 0) {
    const std::string numbers = std::to_string(mount.major) + ":" + std::to_string(mount.minor);
    const std::string name = readBlockDevice(numbers);
    // Where udev does not know the device and its superblock cannot be read,
    // the blkid cache and then the file system itself name the volume.
    const Fd udevRecord(::open(("/run/udev/data/b" + numbers).c_str(), O_RDONLY | O_CLOEXEC));
    if (!udevRecord && (name.empty() || !probeSuperblock("/dev/" + name))) {
      benchmark::DoNotOptimize(readFile("/run/blkid/blkid.tab"));
      if (directory) askVolumeForLabel(directory.get());
    }
  } else if (directory) {
    askVolumeForLabel(directory.get());
  }
  if (directory) probeFeatures(directory.get());
  return true;
}

std::size_t readAndSplitMountTable(const std::string& mountinfo) {
  const std::string text = readFile(mountinfo.c_str());
  std::string_view rest = text;
  std::size_t lines = 0;
  while (!rest.empty()) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    while (!line.empty()) {
      const std::size_t space = line.find(' ');
      benchmark::DoNotOptimize(line.substr(0, space));
      line.remove_prefix(space == std::string_view::npos ? line.size() : space + 1);
    }
    ++lines;
  }
  return lines;
}

}  // namespace vantora::bench
