#include "mount_table_fixture.h"

#include <fstream>

namespace vantora::bench {
namespace {

constexpr int kRootId = 1;

// One mountinfo line: id, parent, major:minor, root, mount point, options,
// separator, type, source, super options.
std::string line(std::size_t id, const std::string& device, const std::string& root, const std::string& target,
                 const std::string& type, const std::string& source) {
  return std::to_string(id) + " " + std::to_string(kRootId) + " " + device + " " + root + " " + target +
         " rw,relatime shared:1 - " + type + " " + source + " rw\n";
}

// The k-th made-up mount; device numbers are those of the captured desktop
// (8:2 its root disk, 8:17 a USB stick, 7:0 a loop image).
std::string entry(std::size_t k) {
  const std::string n = std::to_string(k);
  const std::string anonymous = "0:" + std::to_string(1000 + k);
  switch (k % 10) {
    case 0: return line(k + 1, anonymous, "/", "/mnt/ram" + n, "tmpfs", "tmpfs");
    case 1: return line(k + 1, anonymous, "/", "/run/user/" + n, "tmpfs", "tmpfs");
    case 2: return line(k + 1, "8:2", "/srv/volumes/" + n, "/var/lib/kubelet/pods/" + n, "ext4", "/dev/sda2");
    case 3: return line(k + 1, anonymous, "/", "/mnt/nas" + n, "nfs4", "nas" + n + ":/export");
    case 4: return line(k + 1, anonymous, "/", "/var/lib/docker/overlay2/" + n + "/merged", "overlay", "overlay");
    case 5: return line(k + 1, anonymous, "/", "/run/netns/ns" + n, "nsfs", "nsfs");
    case 6: return line(k + 1, "7:0", "/", "/snap/app" + n + "/1", "squashfs", "/dev/loop0");
    case 7: return line(k + 1, "8:17", "/", "/media/user/USB" + n, "vfat", "/dev/sdb1");
    case 8: return line(k + 1, anonymous, "/", "/sys/fs/cgroup/unit" + n, "cgroup2", "cgroup2");
    default: return line(k + 1, anonymous, "/", "/mnt/remote" + n, "fuse.sshfs", "user@host" + n + ":/home");
  }
}

}  // namespace

std::string madeUpMountTable(std::size_t entries) {
  std::string table;
  if (entries == 0) return table;
  table += "1 0 8:2 / / rw,relatime shared:1 - ext4 /dev/sda2 rw\n";
  for (std::size_t k = 1; k < entries; ++k) table += entry(k);
  return table;
}

std::string writeMadeUpMountTable(const std::string& directory, std::size_t entries) {
  const std::string path = directory + "/mountinfo-" + std::to_string(entries);
  std::ofstream(path) << madeUpMountTable(entries);
  return path;
}

}  // namespace vantora::bench
