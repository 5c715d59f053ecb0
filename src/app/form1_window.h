#pragma once
#include <string_view>

#include "app/center_form.h"
#include "driveinfo/form_model.h"

namespace vantora {

// What the window's event handlers need of a front end.
class Form1Window {
 public:
  virtual ~Form1Window() = default;
  // The primary screen and the window's outer (frame) size, in one unit.
  virtual Extent screenSize() const = 0;
  virtual Extent outerSize() const = 0;
  virtual void moveTo(Position topLeft) = 0;
  // Copies every display field of the model into the controls.
  virtual void render(const Form1Model& form) = 0;
  // Copies only the drive list's entries and selection.
  virtual void renderDriveList(const Form1Model& form) = 0;
  // Copies only the display fields that differ between the two models, which
  // the controls show as `before`.
  virtual void renderChanges(const Form1Model& before, const Form1Model& after) = 0;
  // A modal box with an OK button only and no icon; returns when it is closed.
  virtual void messageBox(std::string_view text, std::string_view caption) = 0;
  // Ends the process at once; there is nothing to save.
  virtual void endProgram() = 0;
  // Puts what the window shows of the selected drive on the clipboard as text.
  virtual void copyDetails(const Form1Model& form) = 0;
};

}  // namespace vantora
