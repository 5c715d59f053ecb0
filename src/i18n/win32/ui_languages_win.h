#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vantora::i18n::win32 {

// The user's preferred UI languages, best first ("en-US", "ja-JP"); empty when
// the system gives none.
std::vector<std::string> userUiLanguages();

// The names in a list of NUL-terminated names that ends with an empty one.
std::vector<std::string> splitLanguageList(std::wstring_view list);

}  // namespace vantora::i18n::win32
