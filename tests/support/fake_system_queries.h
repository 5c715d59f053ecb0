#pragma once
// An in-memory machine for the refresh tests: each drive's answers are set
// field by field, and every call is recorded in order.

#include <algorithm>
#include <cstring>
#include <exception>
#include <map>
#include <new>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/system_queries.h"

namespace vantora::testing {

// A query made to throw, and what it throws.
struct ThrowingQuery {
  const char* query;
  std::exception_ptr exception;
  friend void PrintTo(const ThrowingQuery& row, std::ostream* out) { *out << row.query; }
};

// Every query a refresh makes after the header, each with an exception a
// backend could raise (or one of no standard type).
inline std::vector<ThrowingQuery> queriesAfterTheHeader() {
  return {{"driveType", std::make_exception_ptr(std::bad_alloc())},
          {"numberSeparators", std::make_exception_ptr(std::runtime_error("no locale"))},
          {"diskFreeSpaceEx",
           std::make_exception_ptr(std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again)))},
          {"volumeInformation", std::make_exception_ptr(std::logic_error("a fault in the backend"))},
          {"lastError", std::make_exception_ptr(7)}};
}

struct FakeVolume {
  std::string volumeName;
  std::string fileSystemName;
  std::uint32_t serialNumber = 0;
  std::uint32_t fileSystemFlags = 0;
  std::uint32_t maxComponentLength = 255;
};

struct FakeDrive {
  std::uint32_t type = kDriveFixed;
  // Absent answers fail with `error`, leaving the outputs untouched.
  std::optional<std::uint64_t> freeBytesToCaller, totalBytes, totalFreeBytes;
  std::optional<FakeVolume> volume;
  std::uint32_t error = winerror::kErrorNotReady;
  // What is mounted there; another value is another file system in its place.
  std::string identity = "first";
};

class FakeSystemQueries : public SystemQueries {
 public:
  std::string name = "PC01";
  std::map<std::string, FakeDrive> drives;
  DriveList driveList;
  NumberSeparators separators;
  std::vector<std::string> calls;
  bool failComputerName = false;
  // What drivesChanged answers next; it answers false after that.
  bool drivesChange = false;
  // When set, the raw bytes copied into the volume buffers (no terminator added).
  std::optional<std::vector<char>> rawFileSystemName;
  // The query of this name ("computerName", "driveType", "numberSeparators",
  // "diskFreeSpaceEx", "volumeInformation", "lastError", "listDrives") throws
  // `exception` instead of answering, as a fault in a backend would.
  std::string throwFrom;
  std::exception_ptr exception = std::make_exception_ptr(std::bad_alloc());

  bool computerName(ComputerNameBuffer& buffer) override {
    calls.push_back("computerName");
    throwIfAsked("computerName");
    if (failComputerName) return false;
    const std::size_t length = std::min(name.size(), buffer.size() - 1);
    std::memcpy(buffer.data(), name.data(), length);
    buffer[length] = '\0';
    return true;
  }
  std::uint32_t driveType(const std::string& rootPath) override {
    calls.push_back("driveType " + rootPath);
    throwIfAsked("driveType");
    const auto it = drives.find(rootPath);
    return it == drives.end() ? kDriveNoRootDir : it->second.type;
  }
  bool diskFreeSpaceEx(const std::string& rootPath, std::uint64_t& freeBytesToCaller, std::uint64_t& totalBytes,
                       std::uint64_t& totalFreeBytes) override {
    calls.push_back("diskFreeSpaceEx " + rootPath);
    throwIfAsked("diskFreeSpaceEx");
    const FakeDrive* drive = find(rootPath);
    if (!drive || !drive->totalBytes) return fail(drive);
    freeBytesToCaller = drive->freeBytesToCaller.value_or(0);
    totalBytes = *drive->totalBytes;
    totalFreeBytes = drive->totalFreeBytes.value_or(freeBytesToCaller);
    lastError_ = 0;
    return true;
  }
  bool volumeInformation(const std::string& rootPath, VolumeNameBuffer& volumeName, std::uint32_t& serialNumber,
                         std::uint32_t& maxComponentLength, std::uint32_t& fileSystemFlags,
                         FileSystemNameBuffer& fileSystemName) override {
    calls.push_back("volumeInformation " + rootPath);
    throwIfAsked("volumeInformation");
    const FakeDrive* drive = find(rootPath);
    if (!drive || !drive->volume) return fail(drive);
    copyTerminated(drive->volume->volumeName, volumeName);
    if (rawFileSystemName) {
      std::copy_n(rawFileSystemName->begin(), std::min(rawFileSystemName->size(), fileSystemName.size()),
                  fileSystemName.begin());
    } else {
      copyTerminated(drive->volume->fileSystemName, fileSystemName);
    }
    serialNumber = drive->volume->serialNumber;
    maxComponentLength = drive->volume->maxComponentLength;
    fileSystemFlags = drive->volume->fileSystemFlags;
    lastError_ = 0;
    return true;
  }
  std::uint32_t lastError() const override {
    throwIfAsked("lastError");
    return lastError_;
  }
  DriveList listDrives() override {
    calls.push_back("listDrives");
    throwIfAsked("listDrives");
    return driveList;
  }
  NumberSeparators numberSeparators() override {
    throwIfAsked("numberSeparators");
    return separators;
  }
  void beginQuickRead(std::chrono::milliseconds patience) override {
    calls.push_back("beginQuickRead " + std::to_string(patience.count()) + "ms");
  }
  bool drivesChanged() override {
    calls.push_back("drivesChanged");
    return std::exchange(drivesChange, false);
  }
  std::optional<std::string> driveIdentity(const std::string& rootPath) override {
    calls.push_back("driveIdentity " + rootPath);
    const FakeDrive* drive = find(rootPath);
    if (!drive) return std::nullopt;
    return drive->identity;
  }

 private:
  void throwIfAsked(std::string_view query) const {
    if (query == throwFrom) std::rethrow_exception(exception);
  }
  const FakeDrive* find(const std::string& rootPath) const {
    const auto it = drives.find(rootPath);
    return it == drives.end() ? nullptr : &it->second;
  }
  bool fail(const FakeDrive* drive) {
    lastError_ = drive ? drive->error : winerror::kErrorPathNotFound;
    return false;
  }
  template <std::size_t N>
  static void copyTerminated(const std::string& text, std::array<char, N>& buffer) {
    const std::size_t length = std::min(text.size(), N - 1);
    std::memcpy(buffer.data(), text.data(), length);
    buffer[length] = '\0';
  }
  std::uint32_t lastError_ = 0;
};

}  // namespace vantora::testing
