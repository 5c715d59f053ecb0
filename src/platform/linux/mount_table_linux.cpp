#include "platform/linux/mount_table_linux.h"

#include <fcntl.h>

#include "platform/linux/file_text_linux.h"
#include "platform/linux/libmount_parse_linux.h"
#include "platform/linux/unique_fd_linux.h"

namespace vantora::linux_backend {

std::vector<MountEntry> parseMountTable(std::string_view mountinfo) { return parseWithLibmount(std::string(mountinfo)); }

std::vector<MountEntry> readMountTable(int fd) {
  // One read() per page is what the kernel allows; a mount or unmount between
  // two pages can repeat or drop a line, which the parse takes in its stride.
  std::optional<std::string> text = readFromStart(fd);
  if (!text) return {};
  return parseWithLibmount(std::move(*text));
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
