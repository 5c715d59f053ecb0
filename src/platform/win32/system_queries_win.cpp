// The four drive questions answered by kernel32's wide entry points, with the
// buffer sizes the refresh uses, and the names converted to UTF-8 so a label
// outside the ANSI code page arrives intact.

#include "win32/windows_api.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "platform/make_system_queries.h"
#include "platform/system_queries.h"
#include "platform/utf8_text.h"
#include "platform/win32/drive_list_win.h"
#include "platform/win32/error_mode_guard_win.h"
#include "platform/win32/number_separators_win.h"
#include "win32/wide_text_win.h"

namespace vantora {

namespace {

// Copies a name into a NUL-terminated UTF-8 buffer, cut on a character boundary when it is too long,
// with what would break its line or reorder it shown as U+FFFD.
template <std::size_t N>
void storeName(std::wstring_view name, std::array<char, N>& buffer) {
  copyTerminated(displayText(win32::toUtf8(name)), buffer);
}

class Win32SystemQueries final : public SystemQueries {
 public:
  // Asked with room for 15 characters, as the header has always asked: a longer
  // name is refused and the buffer stays empty. Fifteen UTF-16 units are at most
  // 45 bytes of UTF-8, so the name arrives whole.
  bool computerName(ComputerNameBuffer& buffer) override {
    std::array<wchar_t, kComputerNameMaxCharacters + 1> name{};
    DWORD size = static_cast<DWORD>(name.size());
    if (!remember(GetComputerNameW(name.data(), &size))) return false;
    storeName({name.data(), size}, buffer);
    return true;
  }

  std::uint32_t driveType(const std::string& rootPath) override {
    if (rootPath.empty()) return refuseEmptyPath(DRIVE_NO_ROOT_DIR);
    const UINT type = GetDriveTypeW(win32::toWide(rootPath).c_str());
    lastError_ = GetLastError();
    return type;
  }

  bool diskFreeSpaceEx(const std::string& rootPath, std::uint64_t& freeBytesToCaller, std::uint64_t& totalBytes,
                       std::uint64_t& totalFreeBytes) override {
    if (rootPath.empty()) return refuseEmptyPath(false);
    ULARGE_INTEGER toCaller{}, total{}, totalFree{};
    if (!remember(GetDiskFreeSpaceExW(win32::toWide(rootPath).c_str(), &toCaller, &total, &totalFree))) return false;
    freeBytesToCaller = toCaller.QuadPart;
    totalBytes = total.QuadPart;
    totalFreeBytes = totalFree.QuadPart;
    return true;
  }

  bool volumeInformation(const std::string& rootPath, VolumeNameBuffer& volumeName, std::uint32_t& serialNumber,
                         std::uint32_t& maxComponentLength, std::uint32_t& fileSystemFlags,
                         FileSystemNameBuffer& fileSystemName) override {
    if (rootPath.empty()) return refuseEmptyPath(false);
    std::array<wchar_t, kVolumeNameBufferSize> volume{};
    std::array<wchar_t, kFileSystemNameBufferSize> fileSystem{};
    DWORD serial = 0, maxComponent = 0, flags = 0;
    if (!remember(GetVolumeInformationW(win32::toWide(rootPath).c_str(), volume.data(),
                                        static_cast<DWORD>(volume.size()), &serial, &maxComponent, &flags,
                                        fileSystem.data(), static_cast<DWORD>(fileSystem.size())))) {
      return false;
    }
    storeName(volume.data(), volumeName);
    storeName(fileSystem.data(), fileSystemName);
    serialNumber = serial;
    maxComponentLength = maxComponent;
    fileSystemFlags = flags;
    return true;
  }

  std::uint32_t lastError() const override { return lastError_; }

  DriveList listDrives() override { return win32::listLogicalDrives(); }
  NumberSeparators numberSeparators() override { return win32::userNumberSeparators(); }

  // The letters in use, one bit each; a drive plugged, removed or mapped changes them.
  bool drivesChanged() override {
    const DWORD letters = GetLogicalDrives();
    return std::exchange(lettersSeen_, letters) != letters;
  }

  // The letter in use and the drive type behind it; neither asks the medium
  // or the network.
  std::optional<std::string> driveIdentity(const std::string& rootPath) override {
    if (rootPath.size() < 2 || rootPath[1] != ':') return std::nullopt;
    const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(rootPath[0])));
    if (letter < 'a' || letter > 'z' || ((GetLogicalDrives() >> (letter - 'a')) & 1) == 0) return std::nullopt;
    const UINT type = GetDriveTypeW(win32::toWide(rootPath).c_str());
    if (type == DRIVE_NO_ROOT_DIR) return std::nullopt;
    return "type " + std::to_string(type);
  }

 private:
  bool remember(BOOL succeeded) {
    lastError_ = succeeded ? ERROR_SUCCESS : GetLastError();
    return succeeded;
  }
  // An empty path would make Windows answer for the current directory's drive instead.
  template <typename Result>
  Result refuseEmptyPath(Result result) {
    lastError_ = ERROR_PATH_NOT_FOUND;
    return result;
  }

  win32::ErrorModeGuard noInsertDiskDialogs_;
  std::uint32_t lastError_ = ERROR_SUCCESS;
  std::optional<DWORD> lettersSeen_;
};

}  // namespace

std::unique_ptr<SystemQueries> makeSystemQueries() { return std::make_unique<Win32SystemQueries>(); }

}  // namespace vantora
