#pragma once
// The mount table as read from /proc/self/mountinfo by libmount, which also
// undoes the kernel's octal escapes (\040 space, \011 tab, \012 newline,
// \134 backslash) in mount points and sources.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantora::linux_backend {

struct MountEntry {
  int id = 0;                // the kernel's mount id
  int parentId = 0;          // id of the mount this one sits on
  std::string target;        // mount point, unescaped
  std::string fsRoot;        // directory of the file system seen here: "/" unless a bind mount or subvolume
  std::string source;        // "/dev/sdb1", "nas:/export", "tmpfs" ...
  std::string fsType;        // "ext4", "fuse.sshfs", "fuseblk" ...
  std::string options;       // mount and file-system options, comma separated
  unsigned major = 0;        // st_dev of the mounted file system
  unsigned minor = 0;
  bool networkFs = false;    // on libmount's list of network file systems
  bool pseudoFs = false;     // on libmount's list of pseudo file systems
};

// Every entry of a mountinfo text, in its order; malformed lines, lines cut
// short before their file-system type and entries without an absolute mount
// point are skipped. Any bytes give a table, at worst an empty one.
std::vector<MountEntry> parseMountTable(std::string_view mountinfo);

// parseMountTable of a file, read to its end before it is parsed. It is not
// one snapshot: the kernel hands the file out a page per read, so a mount or
// unmount between two reads can repeat or drop a line (a repeated line names
// its mount twice, and the last one counts). An unreadable file gives an
// empty table.
std::vector<MountEntry> readMountTable(const std::filesystem::path& mountinfo);

// True when path is dir or lies below it ("/mnt/a" is within "/mnt", "/mntx" is not).
bool isPathWithin(std::string_view path, std::string_view dir);

// The mount a path names as a mount point: the last one mounted there, as it
// covers the earlier ones. Trailing slashes are ignored on both sides. Null when the
// path is not (or no longer) a mount point.
const MountEntry* findMountAt(const std::vector<MountEntry>& table, std::string_view path);

// The mounts a person can reach, in table order: a mount is covered when a
// later mount sits on its mount point or on a directory above it, unless that
// later mount is one of its own ancestors.
std::vector<std::reference_wrapper<const MountEntry>> reachableMounts(const std::vector<MountEntry>& table);

// True when the comma-separated options hold this option, alone or as "name=value".
bool hasOption(const std::string& options, const char* name);

// The value of a "name=value" option, null when the option is absent or has none.
std::optional<std::string_view> optionValue(const std::string& options, const char* name);

}  // namespace vantora::linux_backend
