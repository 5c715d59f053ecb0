#include <cmath>

#include "driveinfo/number_format.h"
#include "driveinfo/refresh_drive_info.h"
#include "driveinfo/refresh_steps.h"

namespace vantora {
namespace {

constexpr std::int64_t kWholeInHundredths = 100 * 100;

Hundredths readHundredths(const TextBox& box, const NumberSeparators& separators) {
  const auto number = parseHundredths(box.text, separators);
  if (!number) throw RefreshFailure("percentage text cannot be read back");
  return *number;
}

double readNumber(const TextBox& box, const NumberSeparators& separators) {
  const auto number = parseNumber(box.text, separators);
  if (!number) throw RefreshFailure("percentage text cannot be read back");
  return *number;
}

}  // namespace

std::string capacityText(std::uint64_t bytes, const NumberSeparators& separators) {
  return formatCount(bytes, separators) + " (" + formatMillions(bytes, separators) + "MB)";
}

void showCapacity(Form1Model& form, std::uint64_t freeBytesToCaller, std::uint64_t totalBytes,
                  const NumberSeparators& separators) {
  form.lbAki(2).setCaption(capacityText(freeBytesToCaller, separators));
  form.lbSou(1).setCaption(capacityText(totalBytes, separators));
}

void showUsage(Form1Model& form, std::uint64_t freeBytesToCaller, std::uint64_t totalBytes,
               const NumberSeparators& separators) {
  // A drive without a medium reports 0 of 0 bytes: that division is the
  // failure that resets the usage display.
  if (totalBytes == 0) throw RefreshFailure("no capacity to divide by");
  const double freePercent = static_cast<double>(freeBytesToCaller) / static_cast<double>(totalBytes) * 100;
  if (!std::isfinite(freePercent)) throw RefreshFailure("free percentage out of range");

  form.Text1.text = formatTwoDecimals(freePercent, Grouping::Plain, separators);

  // Both operands have at most two decimals, so the difference is taken
  // exactly; binary doubles would show 100 - 91.79 as 8.20999999999999.
  // The free share is never negative, so the subtraction cannot overflow; a
  // share too large to hold in hundredths fails to read back.
  const Hundredths freeShown = readHundredths(form.Text1, separators);
  form.Text2.text = formatGeneral(Hundredths{kWholeInHundredths - freeShown.value}, separators);

  ChartData chartData;
  chartData(1) = readNumber(form.Text2, separators);
  chartData(2) = readNumber(form.Text1, separators);
  form.Label4.setCaption(form.Text2.text + " %");
  form.MSChart1 = chartData;
}

}  // namespace vantora
