#pragma once
#include <QFont>

#include "ui/layout_table.h"

namespace vantora::ui::qt {

inline constexpr char kMsGothic[] = "ＭＳ ゴシック";
inline constexpr char kMsPGothic[] = "ＭＳ Ｐゴシック";

// Where the Japanese desktop's Gothic faces are absent, a fixed-pitch and a
// proportional Japanese Gothic face take their places.
void installFontSubstitutions();

// The font a row asks for; the window default for controls without a font of their own.
QFont fontFor(const FontStyle& style);

}  // namespace vantora::ui::qt
