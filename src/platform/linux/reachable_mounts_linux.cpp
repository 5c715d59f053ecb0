// Which mounts a person can reach. A container host can hold tens of
// thousands of mounts, so each mount looks only at the later mounts on its
// own directories, found by name in a map.

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "platform/linux/mount_table_linux.h"

namespace vantora::linux_backend {
namespace {

// The directory holding a mount point, null for "/" (and for a relative path,
// which no parsed table holds).
std::optional<std::string_view> parentDirectory(std::string_view directory) {
  const std::size_t slash = directory.rfind('/');
  if (directory == "/" || slash == std::string_view::npos) return std::nullopt;
  return slash == 0 ? std::string_view("/") : directory.substr(0, slash);
}

class CoverTest {
 public:
  explicit CoverTest(const std::vector<MountEntry>& table) : table_(table) {
    for (std::size_t i = 0; i < table.size(); ++i) {
      byId_[table[i].id] = i;
      positionsAt_[withoutTrailingSlashes(table[i].target)].push_back(i);
    }
  }

  // A later mount sits on the mount point of table[i] or on a directory above
  // it, and is not one of its own ancestors.
  bool covered(std::size_t i) const {
    for (std::optional<std::string_view> directory = withoutTrailingSlashes(table_[i].target); directory;
         directory = parentDirectory(*directory)) {
      const auto found = positionsAt_.find(*directory);
      if (found == positionsAt_.end()) continue;
      const std::vector<std::size_t>& positions = found->second;
      for (auto later = std::upper_bound(positions.begin(), positions.end(), i); later != positions.end(); ++later) {
        if (!isAncestor(*later, i)) return true;
      }
    }
    return false;
  }

 private:
  bool isAncestor(std::size_t candidate, std::size_t i) const {
    // Bounded walk: a damaged table with a parent cycle must not loop forever.
    for (std::size_t step = 0; step < table_.size(); ++step) {
      const auto parent = byId_.find(table_[i].parentId);
      if (parent == byId_.end() || parent->second == i) return false;
      i = parent->second;
      if (i == candidate) return true;
    }
    return false;
  }

  const std::vector<MountEntry>& table_;
  // The last position of each id: a table read while it changed can repeat a line.
  std::unordered_map<int, std::size_t> byId_;
  // Every position at each mount point, in table order.
  std::unordered_map<std::string_view, std::vector<std::size_t>> positionsAt_;
};

}  // namespace

std::vector<std::reference_wrapper<const MountEntry>> reachableMounts(const std::vector<MountEntry>& table) {
  const CoverTest cover(table);
  std::vector<std::reference_wrapper<const MountEntry>> reachable;
  reachable.reserve(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (!cover.covered(i)) reachable.emplace_back(table[i]);
  }
  return reachable;
}

}  // namespace vantora::linux_backend
