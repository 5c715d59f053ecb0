#include "platform/linux/mount_table_linux.h"

#include <libmount/libmount.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>

#include "platform/linux/file_text_linux.h"

namespace vantora::linux_backend {
namespace {

std::string textOf(const char* value) { return value ? value : ""; }

// A malformed line is skipped instead of ending the parse: one odd mount must
// not hide every drive.
int skipMalformedLine(libmnt_table*, const char*, int) { return 0; }

MountEntry entryOf(libmnt_fs* fs) {
  MountEntry entry;
  entry.id = mnt_fs_get_id(fs);
  entry.parentId = mnt_fs_get_parent_id(fs);
  entry.target = textOf(mnt_fs_get_target(fs));
  entry.fsRoot = textOf(mnt_fs_get_root(fs));
  entry.source = textOf(mnt_fs_get_source(fs));
  entry.fsType = textOf(mnt_fs_get_fstype(fs));
  entry.options = textOf(mnt_fs_get_options(fs));
  const dev_t device = mnt_fs_get_devno(fs);
  entry.major = major(device);
  entry.minor = minor(device);
  entry.networkFs = mnt_fs_is_netfs(fs) == 1;
  entry.pseudoFs = mnt_fs_is_pseudofs(fs) == 1;
  return entry;
}

// The path without trailing slashes; "/" stays "/".
std::string_view withoutTrailingSlashes(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}

// The directory holding a mount point, null for "/" (and for a relative path,
// which no parsed table holds).
std::optional<std::string_view> parentDirectory(std::string_view directory) {
  const std::size_t slash = directory.rfind('/');
  if (directory == "/" || slash == std::string_view::npos) return std::nullopt;
  return slash == 0 ? std::string_view("/") : directory.substr(0, slash);
}

// Which mounts a person can reach. A container host can hold tens of
// thousands of mounts, so each mount looks only at the later mounts on its
// own directories, found by name in a map.
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

std::vector<MountEntry> parseMountTable(std::string_view mountinfo) {
  // fmemopen refuses an empty buffer, and wants a writable one though
  // libmount only reads it.
  if (mountinfo.empty()) return {};
  std::string text(mountinfo);
  const std::unique_ptr<libmnt_table, decltype(&mnt_unref_table)> table{mnt_new_table(), mnt_unref_table};
  const std::unique_ptr<libmnt_iter, decltype(&mnt_free_iter)> iter{mnt_new_iter(MNT_ITER_FORWARD), mnt_free_iter};
  const std::unique_ptr<FILE, decltype(&::fclose)> stream{::fmemopen(text.data(), text.size(), "r"), ::fclose};
  if (!table || !iter || !stream) return {};
  mnt_table_set_parser_errcb(table.get(), skipMalformedLine);
  if (mnt_table_parse_stream(table.get(), stream.get(), "mountinfo") != 0) return {};
  std::vector<MountEntry> entries;
  entries.reserve(static_cast<std::size_t>(mnt_table_get_nents(table.get())));
  libmnt_fs* fs = nullptr;
  while (mnt_table_next_fs(table.get(), iter.get(), &fs) == 0) {
    // libmount keeps an empty entry for a line it could not parse, and a
    // partial one for a line cut short; every whole line names its type.
    MountEntry entry = entryOf(fs);
    if (entry.target.starts_with('/') && !entry.fsType.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

std::vector<MountEntry> readMountTable(const std::filesystem::path& mountinfo) {
  // One read() per page is what the kernel allows; a mount or unmount between
  // two pages can repeat or drop a line, which the parse takes in its stride.
  const std::optional<std::string> text = readWholeFile(mountinfo);
  return text ? parseMountTable(*text) : std::vector<MountEntry>{};
}

bool isPathWithin(std::string_view path, std::string_view dir) {
  dir = withoutTrailingSlashes(dir);
  if (dir == "/") return path.starts_with('/');
  if (!path.starts_with(dir)) return false;
  return path.size() == dir.size() || path[dir.size()] == '/';
}

const MountEntry* findMountAt(const std::vector<MountEntry>& table, std::string_view path) {
  path = withoutTrailingSlashes(path);
  for (auto it = table.rbegin(); it != table.rend(); ++it) {
    if (withoutTrailingSlashes(it->target) == path) return &*it;
  }
  return nullptr;
}

// libmount reads options as the kernel writes them, a quoted value with
// commas in it (an SELinux context) included.
bool hasOption(const std::string& options, const char* name) {
  return mnt_optstr_get_option(options.c_str(), name, nullptr, nullptr) == 0;
}

std::optional<std::string_view> optionValue(const std::string& options, const char* name) {
  char* value = nullptr;
  std::size_t size = 0;
  if (mnt_optstr_get_option(options.c_str(), name, &value, &size) != 0 || !value) return std::nullopt;
  return std::string_view(value, size);
}

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
