#pragma once
// Every text the window shows is written in Japanese, the program's own
// language, and shown in the language the user reads where a catalogue has it.
// The language is chosen once, at start-up, before anything is shown.

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace vantora::i18n {

inline constexpr std::string_view kSourceLanguage = "ja";

// Marks a Japanese text for the catalogues where it is written; it is looked up
// with tr() where it is shown.
constexpr std::string_view trNoop(std::string_view source) { return source; }

// The text shown for `source` in the window's language: the source itself in
// Japanese, and wherever the catalogue has no entry for it.
std::string_view tr(std::string_view source);
// The same with %1 .. %9 replaced by the arguments, in one pass.
std::string tr(std::string_view source, std::initializer_list<std::string_view> arguments);

// `text` with %1 .. %9 replaced by the arguments, in one pass: a replacement is
// never read again. A placeholder without an argument is left as it is.
std::string substitute(std::string_view text, std::span<const std::string_view> arguments);

// The first of the user's UI languages, best first ("en-US", "en_GB.UTF-8",
// "ja"), that has a catalogue, Japanese included; Japanese where none has one
// ("C", "POSIX", an empty list).
std::string_view firstCatalogued(std::span<const std::string> uiLanguages);

// Makes `language` (one firstCatalogued returns) the window's language. Called
// by main() before the window is built, and by tests.
void useLanguage(std::string_view language);
std::string_view currentLanguage();

}  // namespace vantora::i18n
