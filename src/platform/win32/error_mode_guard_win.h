#pragma once
// While one of these lives, a drive without a medium answers "not ready"
// instead of raising the system's own "insert a disk" dialog.

#include "win32/windows_api.h"

namespace vantora::win32 {

class ErrorModeGuard {
 public:
  ErrorModeGuard() : previous_(GetErrorMode()) { SetErrorMode(previous_ | SEM_FAILCRITICALERRORS); }
  ~ErrorModeGuard() { SetErrorMode(previous_); }
  ErrorModeGuard(const ErrorModeGuard&) = delete;
  ErrorModeGuard& operator=(const ErrorModeGuard&) = delete;

 private:
  UINT previous_;
};

}  // namespace vantora::win32
