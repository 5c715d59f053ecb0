#pragma once
// A real Form1 over an in-memory machine: a fixed disk at "/", an empty card
// reader at "/media/card" and a network share at "/mnt/nas". The message box
// and the end of the program are recorded instead of happening.

#include <gtest/gtest.h>

#include <QLabel>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "support/fake_system_queries.h"
#include "ui/qt/form1.h"

namespace vantora::ui::qt::testing {

class Form1Fixture : public ::testing::Test {
 protected:
  Form1Fixture() {
    vantora::testing::FakeDrive disk;
    disk.type = kDriveFixed;
    disk.totalBytes = 100'000'000;
    disk.freeBytesToCaller = 54'333'333;
    disk.volume = vantora::testing::FakeVolume{"ROOT", "ext4", 0x12345678, 0x3, 255};
    system.drives["/"] = disk;

    vantora::testing::FakeDrive card;
    card.type = kDriveRemovable;
    system.drives["/media/card"] = card;

    vantora::testing::FakeDrive nas;
    nas.type = kDriveRemote;
    nas.totalBytes = 1'000;
    nas.freeBytesToCaller = 1'000;
    nas.volume = vantora::testing::FakeVolume{"", "nfs4", 0, 0x3, 255};
    system.drives["/mnt/nas"] = nas;

    system.driveList = {{{"/", "/"}, {"/media/card", "/media/card"}, {"/mnt/nas [nas:/export]", "/mnt/nas"}}, 0};
  }

  // The drive list as start-up loads it.
  void loadDrives() {
    DriveList list = system.listDrives();
    model.Drive1.replaceEntries(std::move(list.drives), list.current);
    system.calls.clear();
  }

  Form1Seams recordingSeams() {
    return {[this](const QString& text, const QString& caption) { messageBoxes.emplace_back(text, caption); },
            [this] { ++programEnds; }};
  }

  Form1& makeForm() {
    loadDrives();
    form = std::make_unique<Form1>(model, system, recordingSeams());
    return *form;
  }

  template <typename Widget = QWidget>
  Widget& control(const char* name) {
    auto* widget = dynamic_cast<Widget*>(form->findChild<QWidget*>(QString::fromUtf8(name)));
    if (widget == nullptr) throw std::runtime_error(std::string("no control ") + name);
    return *widget;
  }

  QString labelText(const char* name) { return control<QLabel>(name).text(); }

  vantora::testing::FakeSystemQueries system;
  Form1Model model;
  std::unique_ptr<Form1> form;
  std::vector<std::pair<QString, QString>> messageBoxes;
  int programEnds = 0;
};

}  // namespace vantora::ui::qt::testing
