#pragma once
#include <string_view>

#include "i18n/language.h"

namespace vantora::testing {

// The window's language for one test; Japanese again afterwards.
class ScopedLanguage {
 public:
  explicit ScopedLanguage(std::string_view language) { i18n::useLanguage(language); }
  ~ScopedLanguage() { i18n::useLanguage(i18n::kSourceLanguage); }
  ScopedLanguage(const ScopedLanguage&) = delete;
  ScopedLanguage& operator=(const ScopedLanguage&) = delete;
};

}  // namespace vantora::testing
