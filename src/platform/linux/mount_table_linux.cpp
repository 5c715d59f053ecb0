#include "platform/linux/mount_table_linux.h"

#include <fcntl.h>
#include <sys/sysmacros.h>

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

// The whole text goes to libmount in one parse.
std::vector<MountEntry> parseWithLibmount(std::string& text) {
  // fmemopen refuses an empty buffer, and wants a writable one though
  // libmount only reads it.
  if (text.empty()) return {};
  const MountTablePtr table{mnt_new_table()};
  const MountIterPtr iter{mnt_new_iter(MNT_ITER_FORWARD)};
  const FilePtr stream{::fmemopen(text.data(), text.size(), "r")};
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

}  // namespace

std::vector<MountEntry> parseMountTable(std::string_view mountinfo) {
  std::string text(mountinfo);
  return parseWithLibmount(text);
}

std::vector<MountEntry> readMountTable(int fd) {
  // One read() per page is what the kernel allows; a mount or unmount between
  // two pages can repeat or drop a line, which the parse takes in its stride.
  std::optional<std::string> text = readFromStart(fd);
  if (!text) return {};
  return parseWithLibmount(*text);
}

std::vector<MountEntry> readMountTable(const std::filesystem::path& mountinfo) {
  const UniqueFd fd{::open(mountinfo.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
  if (!fd) return {};
  return readMountTable(fd.get());
}

std::string_view withoutTrailingSlashes(std::string_view path) {
  while (path.size() > 1 && path.back() == '/') path.remove_suffix(1);
  return path;
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
