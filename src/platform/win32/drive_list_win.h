#pragma once
// The drive list as the window offers it: one line per drive letter,
// lower-case, with the volume label or the network share in brackets.

#include <optional>
#include <string_view>
#include <vector>

#include "platform/system_queries.h"

namespace vantora::win32 {

// "c:" alone, or "c: [SYSTEM]" / "x: [\\server\share]" when `detail` is not
// empty, shown safely on one line; the root path is the letter, a colon and a
// backslash.
DriveEntry makeDriveEntry(char letter, std::string_view detail);

// The entry whose letter `path` starts with ("C:\Users" → the c: entry).
std::optional<std::size_t> findDriveOf(const std::vector<DriveEntry>& drives, std::wstring_view path);

// Every drive letter the system knows. Removable and optical drives are
// listed without touching their medium and network drives without touching
// the network, so reading the list never waits on a slow device.
DriveList listLogicalDrives();

}  // namespace vantora::win32
