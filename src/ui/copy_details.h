#pragma once
// What the window shows of the selected drive, as text for the clipboard.

#include <string>

#include "driveinfo/form_model.h"

namespace vantora::ui {

// One "caption: value" line per field, in the order of the three pages:
// drive, type, total and free capacity, usage, file system, label, serial and
// features. Captions are the window's own, values what the window shows of the
// model, made safe to paste by the rule the window's texts follow. Lines end
// with "\n"; the feature lines share one.
std::string copyDetails(const Form1Model& form);

}  // namespace vantora::ui
