// Renders the window icon into the hicolor theme sizes a desktop asks for.
// Every size is a whole multiple of one of the two drawings, scaled by
// repeating pixels, so the pixel art stays sharp.
//   vantora_render_icon OUTPUT_DIR  ->  OUTPUT_DIR/<n>x<n>/apps/org.vantora.Vantora.png

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <vector>

#include "ui/pictures.h"

namespace {

struct IconSize {
  int edge;
  vantora::ui::PictureSize drawing;
};

constexpr IconSize kSizes[] = {
    {16, vantora::ui::PictureSize::Small16},  {32, vantora::ui::PictureSize::Large32},
    {48, vantora::ui::PictureSize::Small16},  {64, vantora::ui::PictureSize::Large32},
    {128, vantora::ui::PictureSize::Large32},
};

QImage drawing(vantora::ui::PictureSize size) {
  const auto rows = vantora::ui::pictureXpm(vantora::ui::kWindowIcon, size);
  std::vector<const char*> xpm(rows.begin(), rows.end());
  return QImage(xpm.data()).convertToFormat(QImage::Format_ARGB32);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const QString root = QString::fromLocal8Bit(argv[1]);
  for (const IconSize& size : kSizes) {
    const QImage source = drawing(size.drawing);
    if (source.isNull() || size.edge % source.width() != 0) {
      std::fprintf(stderr, "the %dx%d icon cannot be drawn by whole pixels\n", size.edge, size.edge);
      return 1;
    }
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(size.edge);
    if (!QDir().mkpath(folder) ||
        !source.scaled(size.edge, size.edge, Qt::IgnoreAspectRatio, Qt::FastTransformation)
             .save(folder + QStringLiteral("/org.vantora.Vantora.png"), "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
