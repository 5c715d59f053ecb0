#pragma once
// Every text the window can show, in the window's language, with the control
// that shows it: what the fit tests of both front ends measure.

#include <string>
#include <vector>

#include "driveinfo/drive_types.h"
#include "driveinfo/refresh_drive_info.h"
#include "driveinfo/refresh_steps.h"
#include "i18n/catalogue_table.h"
#include "ui/layout_table.h"

namespace vantora::ui::testing {

struct Shown {
  std::string control;
  std::vector<std::string> texts;
};

inline std::vector<Shown> everyShownText() {
  std::vector<Shown> shown;
  for (const ControlRow& row : kForm1Layout) {
    if ((row.kind == ControlKind::Label || row.kind == ControlKind::CommandButton) && row.visible) {
      shown.push_back({std::string(row.name), {std::string(i18n::tr(row.content))}});
    }
  }
  Shown types{"lbSyu(0)", {}};
  for (const DriveTypeRow& type : kDriveTypes) types.texts.emplace_back(i18n::tr(type.caption));
  shown.push_back(types);
  // The longest computer name Windows gives, and the longest error number.
  shown.push_back({"lbPC(5)", {"WWWWWWWWWWWWWWW" + std::string(i18n::tr(kHeaderSuffix))}});
  Shown features{"List1", featureLines(0xFFFFFFFF, 0)};
  features.texts.push_back(featureLines(0, 4294967295u).front());
  shown.push_back(features);
  return shown;
}

// Japanese, then every language with a catalogue.
inline std::vector<std::string> everyLanguage() {
  std::vector<std::string> languages{std::string(i18n::kSourceLanguage)};
  for (const i18n::Catalogue& catalogue : i18n::builtInCatalogues()) languages.emplace_back(catalogue.language);
  return languages;
}

}  // namespace vantora::ui::testing
