// Arbitrary text into the number parsers and arbitrary numbers into the
// formatters: nothing may crash or misbehave, and what the window writes it
// must read back as the same value.
//
// Input: one byte choosing the separators, then the text (also read as the
// bytes of a count and of a double).

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string_view>

#include "driveinfo/number_format.h"

namespace {

using namespace vantora;

// Separators of real locales: en, de, fr (no-break and narrow no-break
// space), de-CH, ar, and a plain space.
const std::array<NumberSeparators, 7> kSeparators{{
    {",", "."},
    {".", ","},
    {"\xC2\xA0", ","},
    {"\xE2\x80\xAF", ","},
    {"'", "."},
    {"\xD9\xAC", "\xD9\xAB"},
    {" ", ","},
}};

void require(bool holds) {
  if (!holds) __builtin_trap();
}

// Exact hundredths written in the general form read back unchanged.
void checkExactRoundTrip(std::string_view text, const NumberSeparators& separators) {
  const auto exact = parseHundredths(text, separators);
  if (!exact) return;
  const auto again = parseHundredths(formatGeneral(*exact, separators), separators);
  require(again && *again == *exact);
}

// A byte count, grouped and in megabytes, reads back as the count.
void checkCount(std::uint64_t count, const NumberSeparators& separators) {
  const auto whole = parseNumber(formatCount(count, separators), separators);
  require(whole && *whole == static_cast<double>(count));
  const auto millions = parseHundredths(formatMillions(count, separators), separators);
  const std::uint64_t roundedHundredths = count / 10'000 + (count % 10'000 >= 5'000 ? 1 : 0);
  require(millions && static_cast<std::uint64_t>(millions->value) == roundedHundredths);
}

// A double shown with two decimals reads back within the rounding of the
// hundredths and of its 15 significant digits; NaN and infinity are refused.
// Within 1e-14 of the largest double, rounding to 15 digits can step past it,
// so the text may not read back there (the window never shows such numbers).
void checkTwoDecimals(double value, const NumberSeparators& separators) {
  constexpr double kLargestReadBack = 1.797693134862e308;
  for (const Grouping grouping : {Grouping::Grouped, Grouping::Plain}) {
    try {
      const auto shown = parseNumber(formatTwoDecimals(value, grouping, separators), separators);
      require(std::isfinite(value));
      if (std::fabs(value) > kLargestReadBack) continue;
      require(shown && std::fabs(*shown - value) <= 0.005 + std::fabs(value) * 1e-14);
    } catch (const std::domain_error&) {
      require(!std::isfinite(value));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const NumberSeparators& separators = kSeparators[data[0] % kSeparators.size()];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  parseNumber(text, separators);
  checkExactRoundTrip(text, separators);
  if (text.size() >= 8) {
    std::uint64_t count = 0;
    double value = 0;
    std::memcpy(&count, text.data(), sizeof count);
    std::memcpy(&value, text.data(), sizeof value);
    checkCount(count, separators);
    checkTwoDecimals(value, separators);
  }
  return 0;
}
