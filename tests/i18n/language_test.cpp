#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driveinfo/refresh_steps.h"
#include "i18n/catalogue_table.h"
#include "i18n/language.h"
#include "support/scoped_language.h"

namespace vantora::i18n {
namespace {

using vantora::testing::ScopedLanguage;

TEST(FirstCatalogued, TakesTheFirstLanguageWithACatalogueJapaneseIncluded) {
  struct Case {
    std::vector<std::string> languages;
    std::string_view chosen;
  };
  for (const Case& c : std::vector<Case>{
           {{}, "ja"},
           {{"C"}, "ja"},
           {{"C.UTF-8"}, "ja"},
           {{"POSIX"}, "ja"},
           {{"en"}, "en"},
           {{"en-US"}, "en"},
           {{"en_GB.UTF-8"}, "en"},
           {{"EN-us"}, "en"},
           {{"en@quot"}, "en"},
           {{"de-DE", "fr", "en-GB"}, "en"},  // the first with a catalogue, not the first named
           {{"ja-JP", "en-US"}, "ja"},        // Japanese is catalogued: it wins where it comes first
           {{"de", "fr"}, "ja"},
           {{"eng", "enx-US"}, "ja"},  // only the whole language subtag counts
       }) {
    std::string list;
    for (const std::string& language : c.languages) list += language + " ";
    EXPECT_EQ(firstCatalogued(c.languages), c.chosen) << list;
  }
}

TEST(Translation, JapaneseIsTheSourceAndAMissingEntryShowsIt) {
  EXPECT_EQ(tr("ディスク種類"), "ディスク種類");
  const ScopedLanguage english("en");
  EXPECT_EQ(currentLanguage(), "en");
  EXPECT_EQ(tr("ディスク種類"), "Drive type");
  EXPECT_EQ(tr("ディスクが挿入されていません。"), "No disk in the drive.");
  EXPECT_EQ(tr("どこにもない文"), "どこにもない文");
  EXPECT_EQ(tr(""), "");
}

TEST(Translation, AnUncataloguedLanguageLeavesTheWindowJapanese) {
  const ScopedLanguage unknown("xx");
  EXPECT_EQ(currentLanguage(), "ja");
  EXPECT_EQ(tr("ディスク種類"), "ディスク種類");
}

// Every catalogue is sorted as the lookup's binary search needs, each source once.
TEST(Translation, EveryCatalogueEntryIsFoundByItsSource) {
  for (const Catalogue& catalogue : builtInCatalogues()) {
    const ScopedLanguage language(catalogue.language);
    for (const Translation& entry : catalogue.translations) {
      EXPECT_EQ(tr(entry.source), entry.text) << catalogue.language << ": " << entry.source;
    }
  }
}

TEST(Substitute, ReplacesEachPlaceholderOnceAndLeavesTheRest) {
  struct Case {
    std::string_view text;
    std::vector<std::string_view> arguments;
    std::string_view expected;
  };
  for (const Case& c : std::vector<Case>{
           {"(%1)x", {"21"}, "(21)x"},
           {"%2 then %1", {"a", "b"}, "b then a"},
           {"%1 %", {"45.67"}, "45.67 %"},           // a lone sign stays
           {"100%", {"x"}, "100%"},
           {"%1", {"%2"}, "%2"},                       // a replacement is never read again
           {"%2", {"only one"}, "%2"},                 // no argument: left as it is
           {"%0 %10", {"a"}, "%0 a0"},                 // %1 .. %9 only
           {"", {"a"}, ""},
       }) {
    std::string joined;
    for (std::string_view argument : c.arguments) joined += std::string(argument) + ",";
    EXPECT_EQ(substitute(c.text, c.arguments), c.expected) << c.text << " with " << joined;
  }
}

TEST(Translation, TheWindowsTextsFollowTheLanguage) {
  const ScopedLanguage english("en");
  EXPECT_EQ(featureLines(0, 21), std::vector<std::string>{"Features unavailable (error 21)."});
  EXPECT_EQ(featureLines(fsflags::kFileVolumeQuotas, 0), std::vector<std::string>{"Disk quotas"});
}

}  // namespace
}  // namespace vantora::i18n
