#pragma once
// The window's number patterns, with the user's separators:
//   "#,##0"    whole counts, grouped in threes
//   "#,##0.##" grouped, the decimal separator, up to two decimals without
//              trailing zeros; the separator stays when none remain ("100.")
//   "##0.##"   the same without grouping
//   general    no grouping, no trailing zeros, no separator for whole numbers
// Rounding is done on the decimal number a person would write (the double's
// 15-significant-digit form), half away from zero, so 2.675 shows 2.68.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/system_queries.h"

namespace vantora {

enum class Grouping { Grouped, Plain };

// A number held exactly to the hundredth.
struct Hundredths {
  std::int64_t value = 0;
  friend bool operator==(const Hundredths&, const Hundredths&) = default;
};

// "#,##0" of an exact count.
std::string formatCount(std::uint64_t count, const NumberSeparators& separators);

// "#,##0.##" of count / 1,000,000, computed exactly from the integer.
std::string formatMillions(std::uint64_t count, const NumberSeparators& separators);

// "#,##0.##" or "##0.##" of a double. Throws std::domain_error for NaN and infinity.
std::string formatTwoDecimals(double value, Grouping grouping, const NumberSeparators& separators);

// The general number form of an exact hundredths value.
std::string formatGeneral(Hundredths number, const NumberSeparators& separators);

// Reads a number written with these separators (group separators allowed in the
// whole part, an optional sign, an optional decimal part). Nothing else may
// surround it.
std::optional<double> parseNumber(std::string_view text, const NumberSeparators& separators);

// As parseNumber, but exact; fails for more than two decimals or a value that
// does not fit.
std::optional<Hundredths> parseHundredths(std::string_view text, const NumberSeparators& separators);

}  // namespace vantora
