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
  DriveList list = system_.listDrives();
  form_.Drive1.replaceEntries(std::move(list.drives), list.current);
  window_.renderDriveList(form_);
}

void Form1Events::cmdF10_Click() { window_.endProgram(); }

bool Form1Events::Form_KeyDown(int keyCode, int /*shift*/) {
  if (keyCode != vbKeyF10) return false;
  window_.endProgram();
  return true;
}

void Form1Events::refresh() {
  const RefreshEnd end = RefreshDriveInfo(form_, system_);
  window_.render(form_);
  if (end == RefreshEnd::Failure) window_.messageBox(kNoDiskMessage, kAppTitle);
}

}  // namespace vantora
