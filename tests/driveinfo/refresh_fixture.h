#pragma once
// A form and a fake machine with one healthy fixed disk "c" and one empty
// removable drive "a", the two roads every refresh test starts from.

#include <gtest/gtest.h>

#include "driveinfo/form_model.h"
#include "driveinfo/refresh_drive_info.h"
#include "support/fake_system_queries.h"

namespace vantora::testing {

class RefreshTest : public ::testing::Test {
 protected:
  RefreshTest() {
    system.drives["c:\\"] = FakeDrive{kDriveFixed, 45'670'000, 100'000'000, 45'670'000,
                                      FakeVolume{"SYSTEM", "NTFS", 0x1A2B3C4D, 0x2F}, 0};
    system.drives["a:\\"] = FakeDrive{kDriveRemovable, {}, {}, {}, {}, winerror::kErrorNotReady};
    form.Drive1.entries = {{"a:", "a:\\"}, {"c: [SYSTEM]", "c:\\"}, {"q:", "q:\\"}};
    select("c:\\");
  }

  void select(const std::string& rootPath) {
    for (std::size_t i = 0; i < form.Drive1.entries.size(); ++i) {
      if (form.Drive1.entries[i].rootPath == rootPath) form.Drive1.listIndex = i;
    }
  }

  RefreshEnd refresh(const std::string& rootPath) {
    select(rootPath);
    return RefreshDriveInfo(form, system);
  }

  Form1Model form;
  FakeSystemQueries system;
};

}  // namespace vantora::testing
