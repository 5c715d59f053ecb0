#include "platform/linux/number_separators_linux.h"

#include <langinfo.h>
#include <locale.h>

#include <climits>

#include "platform/utf8_text.h"

namespace vantora::linux_backend {
namespace {

class LocaleHandle {
 public:
  explicit LocaleHandle(locale_t locale) : locale_(locale) {}
  LocaleHandle(const LocaleHandle&) = delete;
  LocaleHandle& operator=(const LocaleHandle&) = delete;
  ~LocaleHandle() {
    if (locale_ != locale_t{}) freelocale(locale_);
  }
  locale_t get() const { return locale_; }

 private:
  locale_t locale_;
};

}  // namespace

NumberSeparators separatorsFromLocaleData(std::string_view grouping, std::string_view thousandsSeparator,
                                          std::string_view decimalPoint) {
  NumberSeparators separators;
  const bool groups = !grouping.empty() && grouping.front() > 0 && grouping.front() != CHAR_MAX;
  if (!groups || thousandsSeparator.empty() || decimalPoint.empty() || thousandsSeparator == decimalPoint) {
    return separators;
  }
  // Locales in a legacy code set may give bytes that are not UTF-8.
  separators.group = validUtf8(thousandsSeparator);
  separators.decimal = validUtf8(decimalPoint);
  return separators;
}

NumberSeparators userNumberSeparators() {
  const LocaleHandle locale{newlocale(LC_NUMERIC_MASK, "", locale_t{})};
  if (locale.get() == locale_t{}) return {};
  return separatorsFromLocaleData(nl_langinfo_l(GROUPING, locale.get()), nl_langinfo_l(THOUSEP, locale.get()),
                                  nl_langinfo_l(RADIXCHAR, locale.get()));
}

}  // namespace vantora::linux_backend
