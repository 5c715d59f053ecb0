#include "ui/caption_fit.h"

namespace vantora::ui {

double fittedPoints(double designPoints, double available, const std::function<double(double points)>& textWidthAt) {
  double points = designPoints;
  while (points > kSmallestCaptionPoints && textWidthAt(points) > available) points -= kCaptionStepPoints;
  return points < kSmallestCaptionPoints ? kSmallestCaptionPoints : points;
}

}  // namespace vantora::ui
