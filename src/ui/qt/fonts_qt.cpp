#include "ui/qt/fonts_qt.h"

#include <QApplication>
#include <QStringList>

namespace vantora::ui::qt {

void installFontSubstitutions() {
  QFont::insertSubstitutions(QString::fromUtf8(kMsGothic),
                             {"IPAGothic", "Noto Sans Mono CJK JP", "VL Gothic", "TakaoGothic"});
  QFont::insertSubstitutions(QString::fromUtf8(kMsPGothic),
                             {"IPAPGothic", "Noto Sans CJK JP", "VL PGothic", "TakaoPGothic"});
}

QFont fontFor(const FontStyle& style) {
  if (style.face == FontFace::WindowDefault) return QApplication::font();
  QFont font(QString::fromUtf8(style.face == FontFace::MsGothic ? kMsGothic : kMsPGothic));
  // Sizes are set in pixels at the design resolution; Qt's device-pixel ratio
  // scales them with the rest of the window.
  font.setPixelSize(pointsToPixels(style.points, kDesignDpi));
  font.setWeight(style.weight >= 700 ? QFont::Bold : QFont::Normal);
  font.setStyleHint(style.face == FontFace::MsGothic ? QFont::TypeWriter : QFont::SansSerif);
  return font;
}

}  // namespace vantora::ui::qt
