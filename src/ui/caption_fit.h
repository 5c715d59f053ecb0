#pragma once
// The capacity captions never cut their megabytes: where a text is wider than
// its label at the layout's size, the font steps down until it fits, never below
// 7 points. Each front end measures with its own fonts; the rule is this one.

#include <functional>
#include <string_view>

namespace vantora::ui {

inline constexpr double kSmallestCaptionPoints = 7;
inline constexpr double kCaptionStepPoints = 0.5;

// Whether the named label shrinks its font to fit its caption.
constexpr bool fitsCaptionToWidth(std::string_view control) { return control == "lbSou(1)" || control == "lbAki(2)"; }

// The largest size from `designPoints` down, in half points, at which the text is
// no wider than `available`; 7 points when even that is too wide. `textWidthAt`
// gives the text's width at a size, in the unit of `available`.
double fittedPoints(double designPoints, double available, const std::function<double(double points)>& textWidthAt);

}  // namespace vantora::ui
