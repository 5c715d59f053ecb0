#pragma once
// The one way our Windows code includes <windows.h>. The macros it brings
// (DRIVE_FIXED, ERROR_NOT_READY) have the values of the seam's own constants
// (kDriveFixed, winerror::kErrorNotReady), so either may be used where a
// Windows call answers.

#include <windows.h>
