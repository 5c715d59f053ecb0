#include "platform/linux/mount_table_linux.h"

#include <fcntl.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "platform/linux/file_text_linux.h"
#include "platform/linux/library_handles_linux.h"
#include "platform/linux/unique_fd_linux.h"

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

std::string_view withoutTrailingSlashes(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
}

}  // namespace

namespace {

// fmemopen wants a writable buffer, though libmount only reads it; taking the
// caller's text saves copying a table of thousands of lines.
std::vector<MountEntry> parseMountText(std::string& text) {
  std::vector<MountEntry> entries;
  // libmount reads lines from a stream; fmemopen of an empty buffer fails.
  if (text.empty()) return entries;
  const FilePtr stream{::fmemopen(text.data(), text.size(), "r")};
  MountTablePtr table{mnt_new_table()};
  if (!stream || !table) return entries;
  mnt_table_set_parser_errcb(table.get(), skipMalformedLine);
  if (mnt_table_parse_stream(table.get(), stream.get(), "mountinfo") != 0) return entries;
  MountIterPtr iter{mnt_new_iter(MNT_ITER_FORWARD)};
  if (!iter) return entries;
  entries.reserve(static_cast<std::size_t>(std::max(mnt_table_get_nents(table.get()), 0)));
  libmnt_fs* fs = nullptr;
  while (mnt_table_next_fs(table.get(), iter.get(), &fs) == 0) {
    // libmount keeps an empty entry for a line it could not parse, and a
    // partial one for a line cut short; every whole line names its type.
    MountEntry entry = entryOf(fs);
    if (entry.target.starts_with('/') && !entry.fsType.empty()) entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace

std::vector<MountEntry> parseMountTable(std::string_view mountinfo) {
  std::string text(mountinfo);
  return parseMountText(text);
}

std::vector<MountEntry> readMountTable(int fd) {
  // One read() per page is what the kernel allows; a mount or unmount between
  // two pages can repeat or drop a line, which the parse takes in its stride.
  std::optional<std::string> text = readFromStart(fd);
  if (!text) return {};
  return parseMountText(*text);
}

std::vector<MountEntry> readMountTable(const std::filesystem::path& mountinfo) {
  const UniqueFd fd{::open(mountinfo.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (!fd) return {};
  return readMountTable(fd.get());
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

std::vector<std::reference_wrapper<const MountEntry>> reachableMounts(const std::vector<MountEntry>& table) {
  std::unordered_map<int, const MountEntry*> byId;
  for (const MountEntry& entry : table) byId[entry.id] = &entry;
  const auto isAncestor = [&](const MountEntry& candidate, const MountEntry& entry) {
    // Bounded walk: a damaged table with a parent cycle must not loop forever.
    const MountEntry* current = &entry;
    for (std::size_t step = 0; step < table.size(); ++step) {
      const auto parent = byId.find(current->parentId);
      if (parent == byId.end() || parent->second == current) return false;
      current = parent->second;
      if (current == &candidate) return true;
    }
    return false;
  };

  // Where each mount point appears in the table, so a mount looks only at the
  // later mounts on its own directories instead of at every later mount: a
  // table of thousands of mounts stays quick.
  std::unordered_map<std::string_view, std::vector<std::size_t>> positionsOf;
  for (std::size_t i = 0; i < table.size(); ++i) positionsOf[withoutTrailingSlashes(table[i].target)].push_back(i);
  const auto coveredAt = [&](std::size_t i, std::string_view directory) {
    const auto found = positionsOf.find(directory);
    if (found == positionsOf.end()) return false;
    const std::vector<std::size_t>& positions = found->second;
    for (auto later = std::upper_bound(positions.begin(), positions.end(), i); later != positions.end(); ++later) {
      if (!isAncestor(table[*later], table[i])) return true;
    }
    return false;
  };

  std::vector<std::reference_wrapper<const MountEntry>> reachable;
  for (std::size_t i = 0; i < table.size(); ++i) {
    bool covered = false;
    std::string_view directory = withoutTrailingSlashes(table[i].target);
    while (!covered) {
      covered = coveredAt(i, directory);
      if (directory == "/") break;
      const std::size_t slash = directory.rfind('/');
      directory = slash == 0 ? std::string_view("/") : directory.substr(0, slash);
    }
    if (!covered) reachable.emplace_back(table[i]);
  }
  return reachable;
}

namespace {

// The option called name ("name" or "name=value"), null when absent.
std::optional<std::string_view> findOption(std::string_view options, std::string_view name) {
  while (!options.empty()) {
    const std::size_t comma = options.find(',');
    const std::string_view option = options.substr(0, comma);
    if (option.starts_with(name) && (option.size() == name.size() || option[name.size()] == '=')) return option;
    if (comma == std::string_view::npos) break;
    options.remove_prefix(comma + 1);
  }
  return std::nullopt;
}

}  // namespace

bool hasOption(std::string_view options, std::string_view name) { return findOption(options, name).has_value(); }

std::optional<std::string_view> optionValue(std::string_view options, std::string_view name) {
  const auto option = findOption(options, name);
  if (!option || option->size() == name.size()) return std::nullopt;
  return option->substr(name.size() + 1);
}

}  // namespace vantora::linux_backend
