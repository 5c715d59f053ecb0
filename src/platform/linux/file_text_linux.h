#pragma once
// Whole small files (sysfs attributes, udev records, the mount table) read
// with plain system calls: these reads sit on every refresh and run once per
// device of a drive list, where a stream's set-up costs more than the read.

#include <filesystem>
#include <optional>
#include <string>

namespace vantora::linux_backend {

// Everything an open file holds from its first byte on, read until the end;
// null when a read fails. Works for files whose size stat cannot tell
// (procfs and sysfs report 0).
std::optional<std::string> readFromStart(int fd);

// The whole file, null when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::filesystem::path& file);

// The first line of a small attribute file without its line end, empty when
// the file cannot be read.
std::string readFirstLine(const std::filesystem::path& file);

}  // namespace vantora::linux_backend
