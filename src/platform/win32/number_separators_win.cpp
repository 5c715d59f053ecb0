#include "platform/win32/number_separators_win.h"

#include "win32/windows_api.h"

#include <array>
#include <string>

#include "win32/wide_text_win.h"

namespace vantora::win32 {

namespace {

std::wstring userLocaleValue(LCTYPE item) {
  // LOCALE_SGROUPING and the separators are at most ten characters long.
  std::array<wchar_t, 16> value{};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, item, value.data(), static_cast<int>(value.size())) == 0) return {};
  return value.data();
}

bool groupsDigits(std::wstring_view grouping) {
  return !grouping.empty() && grouping != L"0" && grouping.front() != L'0';
}

}  // namespace

NumberSeparators separatorsFromLocale(std::wstring_view group, std::wstring_view decimal,
                                      std::wstring_view grouping) {
  if (!groupsDigits(grouping) || decimal.empty() || group == decimal) return {};
  return {toUtf8(group), toUtf8(decimal)};
}

NumberSeparators userNumberSeparators() {
  return separatorsFromLocale(userLocaleValue(LOCALE_STHOUSAND), userLocaleValue(LOCALE_SDECIMAL),
                              userLocaleValue(LOCALE_SGROUPING));
}

}  // namespace vantora::win32
