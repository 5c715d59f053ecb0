#pragma once
// The steps of RefreshDriveInfo between the header and the end, each writing
// its own display fields. A step that cannot complete throws RefreshFailure.

#include <cstdint>
#include <string>

#include "driveinfo/form_model.h"
#include "platform/system_queries.h"

namespace vantora {

// Drive type in words and as one of the five pictures; a code outside 0..6
// leaves caption and pictures as they were.
void showDriveType(Form1Model& form, std::uint32_t driveTypeCode);

// "N (M.MB)": the exact count, then megabytes of 1,000,000 bytes.
std::string capacityText(std::uint64_t bytes, const NumberSeparators& separators);
void showCapacity(Form1Model& form, std::uint64_t freeBytesToCaller, std::uint64_t totalBytes,
                  const NumberSeparators& separators);

struct VolumeDetails {
  VolumeNameBuffer volumeName{};
  FileSystemNameBuffer fileSystemName{};
  std::uint32_t serialNumber = 0;
  std::uint32_t fileSystemFlags = 0;
  std::uint32_t lastError = 0;  // left by the volume query
};

// The serial as the window shows it: upper-case hexadecimal, empty for 0.
std::string serialText(std::uint32_t serialNumber);
// One line per feature bit in the window's order, or the last-error line when no bit is set.
std::vector<std::string> featureLines(std::uint32_t fileSystemFlags, std::uint32_t lastError);
void showVolumeDetails(Form1Model& form, const VolumeDetails& volume);

// Free and used percentages, Label4 and the chart data. The used share is
// 100 minus the free share as shown, exact to the hundredth.
void showUsage(Form1Model& form, std::uint64_t freeBytesToCaller, std::uint64_t totalBytes,
               const NumberSeparators& separators);

}  // namespace vantora
