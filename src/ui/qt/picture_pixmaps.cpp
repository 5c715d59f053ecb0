#include "ui/qt/picture_pixmaps.h"

#include <QImage>
#include <cmath>

namespace vantora::ui::qt {
namespace {

QImage pictureImage(PictureId id, PictureSize size) {
  const auto rows = pictureXpm(id, size);
  return rows.empty() ? QImage() : QImage(rows.data());
}

}  // namespace

QPixmap sharpPixmap(PictureId id, QSize logicalSize, qreal devicePixelRatio) {
  const QSize device(static_cast<int>(std::lround(logicalSize.width() * devicePixelRatio)),
                     static_cast<int>(std::lround(logicalSize.height() * devicePixelRatio)));
  QPixmap pixmap = QPixmap::fromImage(
      pictureImage(id, PictureSize::Large32).scaled(device, Qt::IgnoreAspectRatio, Qt::FastTransformation));
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

QIcon form1Icon() {
  QIcon icon;
  for (PictureSize size : {PictureSize::Large32, PictureSize::Small16}) {
    icon.addPixmap(QPixmap::fromImage(pictureImage(kWindowIcon, size)));
  }
  return icon;
}

}  // namespace vantora::ui::qt
