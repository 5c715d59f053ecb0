#pragma once
// The catalogues built into the program, made from po/*.po at build time.

#include <span>
#include <string_view>

namespace vantora::i18n {

struct Translation {
  std::string_view source;  // the Japanese text
  std::string_view text;    // what is shown instead
};

struct Catalogue {
  std::string_view language;  // "en": the language subtag a user's list names it by
  std::span<const Translation> translations;
};

// Every language with a catalogue besides Japanese, the source.
std::span<const Catalogue> builtInCatalogues();

}  // namespace vantora::i18n
