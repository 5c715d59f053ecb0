#include "i18n/language.h"

#include <algorithm>
#include <atomic>

#include "i18n/catalogue_table.h"

namespace vantora::i18n {
namespace {

// Null while the window is Japanese. main() sets it before any other thread starts.
std::atomic<const Catalogue*> current{nullptr};

// "en-US", "en_GB.UTF-8", "EN" and "en@quot" all name "en".
std::string primarySubtag(std::string_view tag) {
  std::string primary(tag.substr(0, tag.find_first_of("-_.@")));
  // ASCII only, whatever the process locale.
  for (char& c : primary) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  return primary;
}

const Catalogue* catalogueOf(std::string_view language) {
  for (const Catalogue& catalogue : builtInCatalogues()) {
    if (catalogue.language == language) return &catalogue;
  }
  return nullptr;
}

}  // namespace

std::string_view tr(std::string_view source) {
  const Catalogue* catalogue = current.load(std::memory_order_relaxed);
  if (catalogue == nullptr) return source;
  // The generator sorts each catalogue by its source texts' bytes.
  const auto found = std::ranges::lower_bound(catalogue->translations, source, {}, &Translation::source);
  return found != catalogue->translations.end() && found->source == source ? found->text : source;
}

std::string tr(std::string_view source, std::initializer_list<std::string_view> arguments) {
  return substitute(tr(source), std::span(arguments.begin(), arguments.size()));
}

std::string substitute(std::string_view text, std::span<const std::string_view> arguments) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool placeholder = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
    const auto index = placeholder ? static_cast<std::size_t>(text[i + 1] - '1') : arguments.size();
    if (index < arguments.size()) {
      result += arguments[index];
      ++i;
    } else {
      result += text[i];
    }
  }
  return result;
}

std::string_view firstCatalogued(std::span<const std::string> uiLanguages) {
  for (const std::string& tag : uiLanguages) {
    const std::string primary = primarySubtag(tag);
    if (primary == kSourceLanguage) return kSourceLanguage;
    if (const Catalogue* catalogue = catalogueOf(primary)) return catalogue->language;
  }
  return kSourceLanguage;
}

void useLanguage(std::string_view language) { current.store(catalogueOf(language), std::memory_order_relaxed); }

std::string_view currentLanguage() {
  const Catalogue* catalogue = current.load(std::memory_order_relaxed);
  return catalogue != nullptr ? catalogue->language : kSourceLanguage;
}

}  // namespace vantora::i18n
