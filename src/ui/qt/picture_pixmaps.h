#pragma once
#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "ui/pictures.h"

namespace vantora::ui::qt {

// The 32 x 32 drawing scaled to `logicalSize` by whole pixels (nearest neighbour)
// at the screen's device-pixel ratio, so it stays sharp at any scale.
QPixmap sharpPixmap(PictureId id, QSize logicalSize, qreal devicePixelRatio);

// The fixed-disk picture in both its sizes.
QIcon form1Icon();

}  // namespace vantora::ui::qt
