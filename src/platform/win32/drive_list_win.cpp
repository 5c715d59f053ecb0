#include "platform/win32/drive_list_win.h"

#include "win32/windows_api.h"
#include <winnetwk.h>

#include <array>
#include <string>

#include "platform/utf8_text.h"
#include "win32/wide_text_win.h"

namespace vantora::win32 {

namespace {

constexpr char lowerLetter(wchar_t c) {
  if (c >= L'A' && c <= L'Z') return static_cast<char>(c - L'A' + 'a');
  if (c >= L'a' && c <= L'z') return static_cast<char>(c);
  return '\0';
}

std::string volumeLabel(const std::wstring& root) {
  std::array<wchar_t, kVolumeNameBufferSize> label{};
  if (!GetVolumeInformationW(root.c_str(), label.data(), static_cast<DWORD>(label.size()), nullptr, nullptr,
                             nullptr, nullptr, 0)) {
    return {};
  }
  return toUtf8(label.data());
}

// The share a network letter stands for, from the local mapping table only.
std::string remoteName(wchar_t letter) {
  const std::wstring localName{letter, L':'};
  std::array<wchar_t, 1024> remote{};
  DWORD length = static_cast<DWORD>(remote.size());
  if (WNetGetConnectionW(localName.c_str(), remote.data(), &length) != NO_ERROR) return {};
  return toUtf8(remote.data());
}

std::wstring directoryOf(DWORD (*query)(LPWSTR, UINT)) {
  std::array<wchar_t, MAX_PATH + 1> path{};
  const DWORD length = query(path.data(), static_cast<UINT>(path.size()));
  return length > 0 && length < path.size() ? std::wstring(path.data(), length) : std::wstring{};
}

DWORD currentDirectory(LPWSTR buffer, UINT size) { return GetCurrentDirectoryW(size, buffer); }
DWORD systemDirectory(LPWSTR buffer, UINT size) { return GetSystemWindowsDirectoryW(buffer, size); }

}  // namespace

DriveEntry makeDriveEntry(char letter, std::string_view detail) {
  const std::string name{letter, ':'};
  return {driveText(name, detail), name + "\\"};
}

std::optional<std::size_t> findDriveOf(const std::vector<DriveEntry>& drives, std::wstring_view path) {
  if (path.size() < 2 || path[1] != L':') return std::nullopt;
  const char letter = lowerLetter(path[0]);
  for (std::size_t i = 0; i < drives.size(); ++i) {
    if (drives[i].text.front() == letter) return i;
  }
  return std::nullopt;
}

DriveList listLogicalDrives() {
  DriveList list;
  const DWORD present = GetLogicalDrives();
  for (int bit = 0; bit < 26; ++bit) {
    if ((present & (1u << bit)) == 0) continue;
    const wchar_t letter = static_cast<wchar_t>(L'A' + bit);
    const std::wstring root{letter, L':', L'\\'};
    std::string detail;
    switch (GetDriveTypeW(root.c_str())) {
      // Asking a medium for its label can wait seconds for a disc to spin up.
      case DRIVE_REMOVABLE:
      case DRIVE_CDROM: break;
      case DRIVE_REMOTE: detail = remoteName(letter); break;
      default: detail = volumeLabel(root); break;
    }
    list.drives.push_back(makeDriveEntry(lowerLetter(letter), detail));
  }
  // A working directory on a share (\\server\share) has no letter: fall back to the system's drive.
  auto current = findDriveOf(list.drives, directoryOf(currentDirectory));
  if (!current) current = findDriveOf(list.drives, directoryOf(systemDirectory));
  list.current = current.value_or(0);
  return list;
}

}  // namespace vantora::win32
