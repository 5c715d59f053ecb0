#pragma once
#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "app/form1_window.h"
#include "driveinfo/form_model.h"
#include "platform/system_queries.h"

namespace vantora {

inline constexpr int vbKeyF10 = 121;
inline constexpr int vbKeyC = 67;
inline constexpr int vbCtrlMask = 2;

// How often the figures of the drive on screen are read again, and how long
// such a read may take before the drive counts as not answering: long enough
// for any healthy drive, short enough that nobody sees the window pause.
inline constexpr std::chrono::milliseconds kLiveFiguresInterval{2000};
inline constexpr std::chrono::milliseconds kLiveFiguresPatience{50};

// The four events of Form1 that run program code, the copy, and the tick that
// keeps its figures current. Everything else a user does (switching tabs, scrolling the
// list) is the controls' own business.
class Form1Events {
 public:
  Form1Events(Form1Model& form, SystemQueries& system, Form1Window& window)
      : form_(form), system_(system), window_(window) {}

  // Before the window is first shown: centre it, then refresh.
  void Form_Load();
  // The user picked entry `listIndex` of Drive1.
  void Drive1_Change(std::size_t listIndex);
  // Drive1 is about to drop down: the drives are read again, so one plugged in
  // after start appears. The selection stays on the same drive; where that
  // drive is gone, the drive selected instead is refreshed.
  void Drive1_DropDown();
  void cmdF10_Click();
  // F10 ends the program whatever modifiers are held; Ctrl+C copies. Returns
  // whether the key was taken.
  bool Form_KeyDown(int keyCode, int shift);
  // Whether Form_KeyDown takes the key, so a front end can claim it before its controls do.
  static bool takesKey(int keyCode, int shift);
  // The context menu's copy, and Ctrl+C: the window's details to the clipboard.
  void Edit_Copy();

  // The front end's timer, every kLiveFiguresInterval while the window is
  // shown and not minimised. After a refresh that ended normally, the drive's
  // capacity is read again and what changed is written; a drive that went
  // away is replaced as Drive1_DropDown replaces it, without a message box.
  void LiveFigures_Tick();

 private:
  // The drive whose last refresh ended normally.
  struct LiveDrive {
    std::string rootPath;
    std::optional<std::string> identity;  // learnt at the first tick
    bool answering = true;  // false once a second look failed: its last figures stay
  };
  enum class FailureBox { Shown, Hidden };

  void refresh(FailureBox box = FailureBox::Shown);
  // Reads the drive list again; returns whether the selection moved.
  bool readDrivesAgain();
  void replaceGoneDrive();
  void readFiguresAgain();
  std::optional<std::string> selectedRoot() const;

  Form1Model& form_;
  SystemQueries& system_;
  Form1Window& window_;
  // Empty from the start of a refresh until it ends normally, so nothing is
  // read while a refresh runs or its message box is open.
  std::optional<LiveDrive> live_;
};

}  // namespace vantora
