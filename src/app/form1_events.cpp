#include "app/form1_events.h"

#include <utility>

#include "driveinfo/refresh_drive_info.h"

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
  const std::optional<std::string> before = selectedRoot();
  DriveList list = system_.listDrives();
  form_.Drive1.replaceEntries(std::move(list.drives), list.current);
  // A selection that moved because its drive is gone is a change like any
  // other: the fields must not go on describing a drive the list no longer shows.
  if (selectedRoot() != before) {
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

std::optional<std::string> Form1Events::selectedRoot() const {
  if (form_.Drive1.entries.empty()) return std::nullopt;
  return form_.Drive1.selected().rootPath;
}

void Form1Events::refresh() {
  const RefreshEnd end = RefreshDriveInfo(form_, system_);
  window_.render(form_);
  if (end == RefreshEnd::Failure) window_.messageBox(kNoDiskMessage, kAppTitle);
}

}  // namespace vantora
