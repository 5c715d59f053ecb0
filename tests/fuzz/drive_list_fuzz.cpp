// Arbitrary bytes as /proc/self/mountinfo, on the captured desktop's sysfs
// and udev database: the list built from them must be well formed and every
// drive in it must answer its type, whatever the table holds.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>

#include "platform/linux/drive_list_linux.h"
#include "platform/linux/drive_type_linux.h"
#include "platform/linux/mount_table_linux.h"
#include "platform/utf8_text.h"

namespace {

using namespace vantora;
using namespace vantora::linux_backend;

void require(bool holds) {
  if (!holds) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const HostRoot root{VANTORA_FUZZ_HOST_ROOT};
  const std::vector<MountEntry> table = parseMountTable(std::string_view(reinterpret_cast<const char*>(data), size));
  const DriveList list = buildDriveList(root, table, "/media/user/USB STICK/photos");

  require(list.drives.empty() || list.current < list.drives.size());
  BlockDeviceCache devices(root);
  std::set<std::string> roots;
  for (const DriveEntry& drive : list.drives) {
    require(roots.insert(drive.rootPath).second);
    require(displayText(drive.text) == drive.text);  // one line of valid UTF-8
    if (const MountEntry* mount = findMountAt(table, drive.rootPath)) {
      require(classifyMount(*mount, devices.ofMount(*mount)) <= kDriveRamdisk);
    } else {
      // An empty removable or optical drive, listed by its device node.
      require(drive.rootPath.starts_with("/dev/") && drive.text == drive.rootPath);
    }
  }
  require(std::is_sorted(list.drives.begin(), list.drives.end(),
                         [](const DriveEntry& a, const DriveEntry& b) { return a.rootPath < b.rootPath; }));
  return 0;
}
