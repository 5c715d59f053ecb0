#include "ui/qt/pie_chart.h"

#include <QPainter>
#include <cmath>
#include <string>

#include "i18n/language.h"
#include "ui/pie_geometry.h"

namespace vantora::ui::qt {
namespace {

QColor toQColor(Rgb rgb) { return {rgb.red, rgb.green, rgb.blue}; }

QString toQString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// drawPie takes sixteenths of a degree.
int sixteenths(double degrees) { return static_cast<int>(std::lround(degrees * 16)); }

}  // namespace

PieChart::PieChart(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::TabFocus);
  setAccessibleName(toQString(i18n::tr("Disk使用率")));
  describe();
}

void PieChart::setDiscRect(QRect disc) {
  disc_ = disc;
  update();
}

void PieChart::setData(double element1, double element2) {
  element1_ = element1;
  element2_ = element2;
  describe();
  update();
}

// A screen reader hears the used share, as the percentage beside the chart shows it.
void PieChart::describe() {
  const double usedDegrees = wedgeDegrees(element1_, element2_);
  const double usedPercent = std::round(usedDegrees / 360.0 * 100.0 * 100.0) / 100.0;
  const std::string percent = QString::number(usedPercent, 'g', 15).toStdString();
  setAccessibleDescription(toQString(i18n::tr("使用 %1 %", {percent})));
}

void PieChart::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  const auto wedges = pieWedges(element1_, element2_);
  const Rgb colours[] = {kSeriesC1Colour, kSeriesC2Colour};
  for (std::size_t i = 0; i < wedges.size(); ++i) {
    if (!wedges[i]) continue;
    painter.setBrush(toQColor(colours[i]));
    painter.drawPie(disc_, sixteenths(wedges[i]->startDegrees), sixteenths(wedges[i]->sweepDegrees));
  }
}

}  // namespace vantora::ui::qt
