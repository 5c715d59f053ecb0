#include "i18n/win32/ui_languages_win.h"

#include <windows.h>

#include <algorithm>

namespace vantora::i18n::win32 {

std::vector<std::string> splitLanguageList(std::wstring_view list) {
  std::vector<std::string> names;
  while (!list.empty() && list.front() != L'\0') {
    const std::wstring_view name = list.substr(0, list.find(L'\0'));
    // Language names are ASCII (BCP 47); anything else names no catalogue.
    std::string ascii;
    for (const wchar_t c : name) ascii += c < 0x80 ? static_cast<char>(c) : '?';
    names.push_back(std::move(ascii));
    list.remove_prefix(std::min(list.size(), name.size() + 1));
  }
  return names;
}

std::vector<std::string> userUiLanguages() {
  ULONG count = 0;
  ULONG length = 0;
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &length) || length == 0) return {};
  std::wstring buffer(length, L'\0');
  if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, buffer.data(), &length)) return {};
  return splitLanguageList(buffer);
}

}  // namespace vantora::i18n::win32
