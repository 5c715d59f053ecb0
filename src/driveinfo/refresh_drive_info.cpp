#include "driveinfo/refresh_drive_info.h"

#include <string>

#include "driveinfo/refresh_steps.h"

namespace vantora {
namespace {

// Everything a refresh asks the system, created afresh each run. A query that
// fails leaves its start value here, and the later steps show that.
struct WorkingStorage {
  ComputerNameBuffer computerName{};
  std::string rootPath;
  std::uint64_t freeBytesToCaller = 0;
  std::uint64_t totalBytes = 0;
  std::uint64_t totalFreeBytes = 0;  // asked for, never shown
  std::uint32_t maxComponentLength = 0;  // asked for, never shown
  VolumeDetails volume;
};

void showHeader(Form1Model& form, const ComputerNameBuffer& computerName) {
  // The whole buffer goes in; the caption keeps what stands before the first
  // NUL, so lbPC(4) holds the bare name and lbPC(5) the name and one suffix.
  std::string whole(computerName.data(), computerName.size());
  const std::string suffix(i18n::tr(kHeaderSuffix));
  form.lbPC(4).setCaption(whole + suffix);
  form.lbPC(5).setCaption(form.lbPC(4).caption() + suffix);
}

void runFailurePath(Form1Model& form) {
  ChartData chartData;
  chartData(1) = 0;
  chartData(2) = 1000;
  form.Label4.setCaption(kFailedPercent);
  form.MSChart1 = chartData;
}

}  // namespace

RefreshEnd RefreshDriveInfo(Form1Model& form, SystemQueries& system) {
  const RefreshScope scope(system);
  WorkingStorage work;

  system.computerName(work.computerName);
  showHeader(form, work.computerName);

  // A system that offers no drive at all leaves nothing to ask about.
  if (form.Drive1.entries.empty()) {
    runFailurePath(form);
    return RefreshEnd::Failure;
  }
  // Whatever stops the steps after the header, a failed query or a fault in a
  // backend, the user sees the same thing: this drive could not be read.
  try {
    work.rootPath = form.Drive1.selected().rootPath;

    showDriveType(form, system.driveType(work.rootPath));

    const NumberSeparators separators = system.numberSeparators();
    system.diskFreeSpaceEx(work.rootPath, work.freeBytesToCaller, work.totalBytes, work.totalFreeBytes);
    showCapacity(form, work.freeBytesToCaller, work.totalBytes, separators);

    system.volumeInformation(work.rootPath, work.volume.volumeName, work.volume.serialNumber,
                             work.maxComponentLength, work.volume.fileSystemFlags, work.volume.fileSystemName);
    work.volume.lastError = system.lastError();
    showVolumeDetails(form, work.volume);

    showUsage(form, work.freeBytesToCaller, work.totalBytes, separators);
    return RefreshEnd::Normal;
  } catch (...) {
    runFailurePath(form);
    return RefreshEnd::Failure;
  }
}

}  // namespace vantora
