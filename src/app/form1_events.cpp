#include "app/form1_events.h"

#include <cstdint>
#include <utility>

#include "driveinfo/refresh_drive_info.h"
#include "driveinfo/refresh_steps.h"

namespace vantora {

void Form1Events::Form_Load() {
  window_.moveTo(CenterForm(window_.screenSize(), window_.outerSize()));
  refresh();
}

void Form1Events::Drive1_Change(std::size_t listIndex) {
  form_.Drive1.listIndex = listIndex;
  refresh();
}

void Form1Events::Drive1_DropDown() {
  // A selection that moved because its drive is gone is a change like any
  // other: the fields must not go on describing a drive the list no longer shows.
  if (readDrivesAgain()) {
    refresh();
  } else {
    window_.renderDriveList(form_);
  }
}

void Form1Events::cmdF10_Click() { window_.endProgram(); }

bool Form1Events::takesKey(int keyCode, int shift) {
  return keyCode == vbKeyF10 || (keyCode == vbKeyC && shift == vbCtrlMask);
}

bool Form1Events::Form_KeyDown(int keyCode, int shift) {
  if (!takesKey(keyCode, shift)) return false;
  if (keyCode == vbKeyF10) {
    window_.endProgram();
  } else {
    Edit_Copy();
  }
  return true;
}

void Form1Events::Edit_Copy() { window_.copyDetails(form_); }

void Form1Events::LiveFigures_Tick() {
  if (!live_) return;
  // Checked before any figure is read: a statvfs of a mount point that was
  // unmounted answers for the file system below it.
  if (system_.drivesChanged() || !live_->identity) {
    std::optional<std::string> now = system_.driveIdentity(live_->rootPath);
    if (!now || (live_->identity && now != live_->identity)) {
      replaceGoneDrive();
      return;
    }
    live_->identity = std::move(now);
  }
  if (live_->answering) readFiguresAgain();
}

std::optional<std::string> Form1Events::selectedRoot() const {
  if (form_.Drive1.entries.empty()) return std::nullopt;
  return form_.Drive1.selected().rootPath;
}

bool Form1Events::readDrivesAgain() {
  const std::optional<std::string> before = selectedRoot();
  DriveList list = system_.listDrives();
  form_.Drive1.replaceEntries(std::move(list.drives), list.current);
  return selectedRoot() != before;
}

// Whether the selection moved or the same place now holds another file
// system (or none), the fields describe a drive that is not there: the drive
// now selected is refreshed. Nobody asked, so a failure shows no box.
void Form1Events::replaceGoneDrive() {
  live_.reset();
  readDrivesAgain();
  refresh(FailureBox::Hidden);
}

// The refresh's own capacity and usage steps, on a copy, so the fields read
// exactly as a refresh would write them; a failure leaves them as they are.
void Form1Events::readFiguresAgain() {
  std::uint64_t freeBytesToCaller = 0, totalBytes = 0, totalFreeBytes = 0;
  NumberSeparators separators;
  bool answered = false;
  {
    const RefreshScope scope(system_, kLiveFiguresPatience);
    separators = system_.numberSeparators();
    answered = system_.diskFreeSpaceEx(live_->rootPath, freeBytesToCaller, totalBytes, totalFreeBytes);
  }
  Form1Model updated = form_;
  try {
    if (!answered) throw RefreshFailure("the drive did not answer");
    showCapacity(updated, freeBytesToCaller, totalBytes, separators);
    showUsage(updated, freeBytesToCaller, totalBytes, separators);
  } catch (const RefreshFailure&) {
    // A drive that stops answering, or has nothing left to divide by, keeps
    // its last figures, and is not asked again until the user refreshes it.
    live_->answering = false;
    return;
  }
  if (updated == form_) return;
  const Form1Model before = std::exchange(form_, std::move(updated));
  window_.renderChanges(before, form_);
}

void Form1Events::refresh(FailureBox box) {
  live_.reset();
  const RefreshEnd end = RefreshDriveInfo(form_, system_);
  window_.render(form_);
  if (end == RefreshEnd::Normal) {
    live_ = LiveDrive{form_.Drive1.selected().rootPath, std::nullopt, true};
  } else if (box == FailureBox::Shown) {
    window_.messageBox(i18n::tr(kNoDiskMessage), kAppTitle);
  }
}

}  // namespace vantora
