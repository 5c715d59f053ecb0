// Pictures stay sharp at any device-pixel ratio: every icon pixel becomes a block
// of one colour, and no colour outside the drawing's own appears. The suite runs
// once at the design resolution and once at QT_SCALE_FACTOR=1.5 (see CMakeLists).

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QSet>
#include <cmath>

#include "form1_fixture.h"
#include "ui/picture_pixels.h"
#include "ui/pictures.h"

namespace vantora::ui::qt::testing {
namespace {

class SharpPictures : public Form1Fixture, public ::testing::WithParamInterface<const char*> {};

TEST_P(SharpPictures, ScaleByWholePixels) {
  makeForm();
  const QLabel& image = control<QLabel>(GetParam());
  const QPixmap pixmap = image.pixmap();
  const qreal ratio = qApp->devicePixelRatio();
  EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), ratio);
  EXPECT_EQ(pixmap.width(), static_cast<int>(std::lround(image.width() * ratio)));

  const QImage shown = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  const auto id = image.objectName() == "Image2" ? PictureId::FixedDisk : PictureId::NoVolume;
  const auto drawing = decodeXpm(pictureXpm(id, PictureSize::Large32));
  ASSERT_TRUE(drawing);
  QSet<QRgb> drawingColours{0};
  for (const auto& pixel : drawing->pixels) {
    if (pixel) drawingColours.insert(qRgb(pixel->red, pixel->green, pixel->blue));
  }
  // At a whole multiple each shown pixel has the colour of the icon pixel under
  // it; at any size no blended colour appears.
  const bool wholeMultiple = shown.width() % drawing->width == 0;
  for (int y = 0; y < shown.height(); ++y) {
    for (int x = 0; x < shown.width(); ++x) {
      const QRgb actual = shown.pixel(x, y);
      ASSERT_TRUE(drawingColours.contains(qAlpha(actual) == 0 ? 0 : actual)) << x << "," << y;
      if (!wholeMultiple) continue;
      const auto& expected = drawing->at(x * drawing->width / shown.width(), y * drawing->height / shown.height());
      ASSERT_EQ(actual, expected ? qRgb(expected->red, expected->green, expected->blue) : QRgb{0}) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Images, SharpPictures, ::testing::Values("Image2", "Image5"));

TEST(WindowScale, LayoutKeepsItsLogicalSizeAtEveryScale) {
  vantora::testing::FakeSystemQueries system;
  Form1Model model;
  Form1 form(model, system, {[](const QString&, const QString&) {}, [] {}});
  EXPECT_EQ(form.size(), QSize(450, 338));
  EXPECT_EQ(form.findChild<QWidget*>("SSTab1")->geometry(), QRect(8, 120, 433, 161));
}

}  // namespace
}  // namespace vantora::ui::qt::testing
