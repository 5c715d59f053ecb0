// Which mounts a person can reach, for tables of any size: a container host
// can hold tens of thousands of mounts, and the list is built each time it
// drops down.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <optional>
#include <unordered_map>

#include "platform/linux/mount_table_linux.h"

namespace vantora::linux_backend {
namespace {

// Positions in the table as signed numbers, -1 for none.
using Position = std::ptrdiff_t;

// The directory holding a mount point, null for "/" (and for a relative path,
// which no parsed table holds).
std::optional<std::string_view> parentDirectory(std::string_view directory) {
  const std::size_t slash = directory.rfind('/');
  if (directory == "/" || slash == std::string_view::npos) return std::nullopt;
  return slash == 0 ? std::string_view("/") : directory.substr(0, slash);
}

// The first table position recorded at each mount point, in one
// open-addressed array of 8-byte slots: no allocation per mount, and a miss
// costs a probe or two.
class MountPointIndex {
 public:
  explicit MountPointIndex(const std::vector<MountEntry>& table)
      : table_(table), slots_(std::bit_ceil(2 * table.size() + 2)), mask_(slots_.size() - 1) {}

  // Records position at the mount point of table[position] unless one is
  // recorded there already; false then.
  bool add(std::size_t position) {
    const std::string_view directory = withoutTrailingSlashes(table_[position].target);
    const std::size_t hash = hashOf(directory);
    Slot& slot = slots_[slotFor(directory, hash)];
    if (slot.positionPlusOne != 0) return false;
    slot = {static_cast<std::uint32_t>(position + 1), static_cast<std::uint32_t>(hash)};
    return true;
  }

  // -1 when no mount is recorded at directory.
  Position find(std::string_view directory) const {
    return static_cast<Position>(slots_[slotFor(directory, hashOf(directory))].positionPlusOne) - 1;
  }

 private:
  // Positions fit 32 bits: the kernel allows 100,000 mounts per namespace by default.
  struct Slot {
    std::uint32_t positionPlusOne = 0;  // 0: empty
    std::uint32_t hash = 0;             // low bits of the directory's hash, to skip most comparisons
  };

  static std::size_t hashOf(std::string_view directory) { return std::hash<std::string_view>{}(directory); }

  // The slot holding directory, or the empty one where it would go.
  std::size_t slotFor(std::string_view directory, std::size_t hash) const {
    for (std::size_t i = hash & mask_;; i = (i + 1) & mask_) {
      const Slot& slot = slots_[i];
      if (slot.positionPlusOne == 0) return i;
      if (slot.hash == static_cast<std::uint32_t>(hash) &&
          withoutTrailingSlashes(table_[slot.positionPlusOne - 1].target) == directory) {
        return i;
      }
    }
  }

  const std::vector<MountEntry>& table_;
  std::vector<Slot> slots_;  // never more than half full
  std::size_t mask_;
};

// The exact test of whether a later mount covers one, for the few mounts a
// quick look cannot clear. Built on first use.
class CoverTest {
 public:
  explicit CoverTest(const std::vector<MountEntry>& table) : table_(table) {
    for (const MountEntry& entry : table) byId_[entry.id] = &entry;
    for (std::size_t i = 0; i < table.size(); ++i) positionsOf_[withoutTrailingSlashes(table[i].target)].push_back(i);
  }

  // A later mount sits on the mount point of table[i] or on a directory above
  // it, and is not one of its own ancestors.
  bool covered(std::size_t i) const {
    for (std::optional<std::string_view> directory = withoutTrailingSlashes(table_[i].target); directory;
         directory = parentDirectory(*directory)) {
      if (coveredAt(i, *directory)) return true;
    }
    return false;
  }

 private:
  bool isAncestor(const MountEntry& candidate, const MountEntry& entry) const {
    // Bounded walk: a damaged table with a parent cycle must not loop forever.
    const MountEntry* current = &entry;
    for (std::size_t step = 0; step < table_.size(); ++step) {
      const auto parent = byId_.find(current->parentId);
      if (parent == byId_.end() || parent->second == current) return false;
      current = parent->second;
      if (current == &candidate) return true;
    }
    return false;
  }

  bool coveredAt(std::size_t i, std::string_view directory) const {
    const auto found = positionsOf_.find(directory);
    if (found == positionsOf_.end()) return false;
    const std::vector<std::size_t>& positions = found->second;
    for (auto later = std::upper_bound(positions.begin(), positions.end(), i); later != positions.end(); ++later) {
      if (!isAncestor(table_[*later], table_[i])) return true;
    }
    return false;
  }

  const std::vector<MountEntry>& table_;
  std::unordered_map<int, const MountEntry*> byId_;
  // Where each mount point appears in the table, so a mount looks only at
  // the later mounts on its own directories.
  std::unordered_map<std::string_view, std::vector<std::size_t>> positionsOf_;
};

}  // namespace

std::vector<std::reference_wrapper<const MountEntry>> reachableMounts(const std::vector<MountEntry>& table) {
  // The last mount at each mount point, found from the end of the table, which
  // also tells which mounts have a later one at their own mount point.
  MountPointIndex lastAt(table);
  std::vector<bool> laterAtSamePoint(table.size());
  for (std::size_t i = table.size(); i-- > 0;) laterAtSamePoint[i] = !lastAt.add(i);

  // The last mount at a directory or at any directory above it. Thousands of
  // mounts share a few parent directories (/var/lib/docker/..., /run/netns),
  // so each directory is worked out once.
  std::unordered_map<std::string_view, Position> lastAtOrAbove;
  std::vector<std::string_view> unknown;
  const auto lastMountAtOrAbove = [&](std::string_view directory) {
    Position last = -1;
    unknown.clear();
    for (std::optional<std::string_view> step = directory; step; step = parentDirectory(*step)) {
      if (const auto known = lastAtOrAbove.find(*step); known != lastAtOrAbove.end()) {
        last = known->second;
        break;
      }
      unknown.push_back(*step);
    }
    for (auto it = unknown.rbegin(); it != unknown.rend(); ++it) {
      last = std::max(last, lastAt.find(*it));
      lastAtOrAbove.emplace(*it, last);
    }
    return last;
  };

  // Only a mount with a later one at its mount point or above can be
  // covered; the exact test, which follows parents, is for those alone.
  std::optional<CoverTest> exact;
  std::vector<std::reference_wrapper<const MountEntry>> reachable;
  reachable.reserve(table.size());
  for (std::size_t i = 0; i < table.size(); ++i) {
    const std::optional<std::string_view> parent = parentDirectory(withoutTrailingSlashes(table[i].target));
    const bool maybeCovered =
        laterAtSamePoint[i] || (parent && lastMountAtOrAbove(*parent) > static_cast<Position>(i));
    if (maybeCovered) {
      if (!exact) exact.emplace(table);
      if (exact->covered(i)) continue;
    }
    reachable.emplace_back(table[i]);
  }
  return reachable;
}

}  // namespace vantora::linux_backend
