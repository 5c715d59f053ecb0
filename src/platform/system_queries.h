#pragma once
// The operating-system questions the drive refresh asks, with the contract the
// program relies on. Codes, flag bits and error numbers are Windows' own, so the
// window means the same thing on every system we build for; their names are
// ours, so <windows.h>'s macros of the same meaning never collide with them.

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vantora {

// What GetDriveType answers.
enum DriveTypeCode : std::uint32_t {
  kDriveUnknown = 0,    // type cannot be determined
  kDriveNoRootDir = 1,  // no volume at the root path
  kDriveRemovable = 2,
  kDriveFixed = 3,
  kDriveRemote = 4,
  kDriveCdrom = 5,
  kDriveRamdisk = 6,
};

// File-system feature bits of GetVolumeInformation.
namespace fsflags {
inline constexpr std::uint32_t kFileCaseSensitiveSearch = 0x00000001;
inline constexpr std::uint32_t kFileCasePreservedNames = 0x00000002;
inline constexpr std::uint32_t kFileUnicodeOnDisk = 0x00000004;
inline constexpr std::uint32_t kFilePersistentAcls = 0x00000008;
inline constexpr std::uint32_t kFileFileCompression = 0x00000010;
inline constexpr std::uint32_t kFileVolumeQuotas = 0x00000020;
inline constexpr std::uint32_t kFileVolumeIsCompressed = 0x00008000;
inline constexpr std::uint32_t kFileSupportsEncryption = 0x00020000;
inline constexpr std::uint32_t kFileNamedStreams = 0x00040000;
}  // namespace fsflags

// Windows error numbers that the last-error line can show.
namespace winerror {
inline constexpr std::uint32_t kErrorSuccess = 0;
inline constexpr std::uint32_t kErrorInvalidFunction = 1;
inline constexpr std::uint32_t kErrorPathNotFound = 3;
inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorNotReady = 21;
inline constexpr std::uint32_t kErrorGenFailure = 31;
inline constexpr std::uint32_t kErrorBadNetpath = 53;
inline constexpr std::uint32_t kErrorSemTimeout = 121;
inline constexpr std::uint32_t kErrorIoDevice = 1117;
}  // namespace winerror

// Buffer sizes the refresh hands to the queries, in bytes of UTF-8. A computer
// name has at most 15 characters; in UTF-8 that is up to 45 bytes, and the NUL.
inline constexpr std::size_t kComputerNameMaxCharacters = 15;
inline constexpr std::size_t kComputerNameBufferSize = 3 * kComputerNameMaxCharacters + 1;
inline constexpr std::size_t kVolumeNameBufferSize = 260;
inline constexpr std::size_t kFileSystemNameBufferSize = 32;

using ComputerNameBuffer = std::array<char, kComputerNameBufferSize>;
using VolumeNameBuffer = std::array<char, kVolumeNameBufferSize>;
using FileSystemNameBuffer = std::array<char, kFileSystemNameBufferSize>;

// One line of the drive list.
struct DriveEntry {
  std::string text;      // what the list shows, e.g. "/media/usb [PHOTOS]" or "c: [SYSTEM]"
  std::string rootPath;  // what every query of a refresh is given
  friend bool operator==(const DriveEntry&, const DriveEntry&) = default;
};

struct DriveList {
  std::vector<DriveEntry> drives;
  std::size_t current = 0;  // the drive holding the working directory
};

// The user's digit-group and decimal separators, as UTF-8 text.
struct NumberSeparators {
  std::string group = ",";
  std::string decimal = ".";
  friend bool operator==(const NumberSeparators&, const NumberSeparators&) = default;
};

// Every query writes its outputs only when it succeeds and leaves them untouched
// otherwise; the failure then shows through lastError(). Returned names are UTF-8,
// NUL-terminated inside their buffer, with bytes that are not valid UTF-8 already
// replaced by U+FFFD.
class SystemQueries {
 public:
  virtual ~SystemQueries() = default;

  // The computer's name, at most 15 characters and never a broken one, followed by a NUL.
  virtual bool computerName(ComputerNameBuffer& buffer) = 0;
  // A DriveTypeCode; never touches the file system itself.
  virtual std::uint32_t driveType(const std::string& rootPath) = 0;
  virtual bool diskFreeSpaceEx(const std::string& rootPath, std::uint64_t& freeBytesToCaller,
                               std::uint64_t& totalBytes, std::uint64_t& totalFreeBytes) = 0;
  virtual bool volumeInformation(const std::string& rootPath, VolumeNameBuffer& volumeName,
                                 std::uint32_t& serialNumber, std::uint32_t& maxComponentLength,
                                 std::uint32_t& fileSystemFlags, FileSystemNameBuffer& fileSystemName) = 0;
  // The Windows error number left by the most recent query.
  virtual std::uint32_t lastError() const = 0;

  virtual DriveList listDrives() = 0;
  virtual NumberSeparators numberSeparators() = 0;

  // The questions of one refresh come between these two calls, so a backend
  // may answer them all from one view of the system and hold them to one
  // deadline in all.
  virtual void beginRefresh() {}
  virtual void endRefresh() {}
  // As beginRefresh, for a quick second look at figures already shown: its
  // file-system calls wait `patience` in all, and one that takes longer fails
  // with kErrorSemTimeout. Ended by endRefresh.
  virtual void beginQuickRead(std::chrono::milliseconds patience) {
    (void)patience;
    beginRefresh();
  }

  // Whether the drives may have changed (one mounted, unmounted, plugged or
  // removed) since the last time this was asked; true when it cannot tell.
  // Never touches a drive.
  virtual bool drivesChanged() = 0;
  // What stands at rootPath now, as a token that differs when another file
  // system takes its place; null when no drive is there any more. Never
  // touches a drive.
  virtual std::optional<std::string> driveIdentity(const std::string& rootPath) = 0;
};

// Brackets one refresh's questions, however the refresh ends.
class RefreshScope {
 public:
  explicit RefreshScope(SystemQueries& system) : system_(system) { system_.beginRefresh(); }
  RefreshScope(SystemQueries& system, std::chrono::milliseconds patience) : system_(system) {
    system_.beginQuickRead(patience);
  }
  RefreshScope(const RefreshScope&) = delete;
  RefreshScope& operator=(const RefreshScope&) = delete;
  ~RefreshScope() { system_.endRefresh(); }

 private:
  SystemQueries& system_;
};

}  // namespace vantora
