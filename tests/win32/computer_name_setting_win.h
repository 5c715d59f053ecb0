#pragma once
// Tests change the computer name the system reports for a while: wine reads it
// from the registry at every call.

#include <cwchar>
#include <string>

#include "win32/windows_api.h"

namespace vantora::testing {

// The name the system reports, set for as long as this lives.
class ComputerNameSetting {
 public:
  explicit ComputerNameSetting(const std::wstring& name) {
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName", 0,
                  KEY_QUERY_VALUE | KEY_SET_VALUE, &key_);
    DWORD size = sizeof saved_;
    RegQueryValueExW(key_, L"ComputerName", nullptr, nullptr, reinterpret_cast<BYTE*>(saved_), &size);
    set(name.c_str());
  }
  ~ComputerNameSetting() {
    set(saved_);
    RegCloseKey(key_);
  }
  ComputerNameSetting(const ComputerNameSetting&) = delete;
  ComputerNameSetting& operator=(const ComputerNameSetting&) = delete;

 private:
  void set(const wchar_t* name) {
    RegSetValueExW(key_, L"ComputerName", 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                   static_cast<DWORD>((wcslen(name) + 1) * sizeof(wchar_t)));
  }
  HKEY key_ = nullptr;
  wchar_t saved_[256]{};
};

}  // namespace vantora::testing
