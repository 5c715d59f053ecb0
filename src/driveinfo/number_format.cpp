#include "driveinfo/number_format.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace vantora {
namespace {

// A non-negative decimal held as its digits in hundredths ("1234" is 12.34).
struct DecimalText {
  bool negative = false;
  std::string hundredths;
};

std::string grouped(std::string_view digits, Grouping grouping, const NumberSeparators& separators) {
  if (grouping == Grouping::Plain || digits.size() <= 3) return std::string(digits);
  std::string out;
  const std::size_t lead = digits.size() % 3 == 0 ? 3 : digits.size() % 3;
  out.append(digits.substr(0, lead));
  for (std::size_t i = lead; i < digits.size(); i += 3) {
    out.append(separators.group);
    out.append(digits.substr(i, 3));
  }
  return out;
}

std::string withoutLeadingZeros(std::string digits) {
  const std::size_t first = digits.find_first_not_of('0');
  digits.erase(0, first == std::string::npos ? digits.size() : first);
  return digits;
}

// Whole part and up to two decimals; the separator is written when
// `keepSeparator` is set or a decimal remains.
std::string render(const DecimalText& number, Grouping grouping, bool keepSeparator,
                   const NumberSeparators& separators) {
  std::string digits = withoutLeadingZeros(number.hundredths);
  if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
  std::string whole = digits.substr(0, digits.size() - 2);
  std::string fraction = digits.substr(digits.size() - 2);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

  std::string out;
  if (number.negative && (whole != "0" || !fraction.empty())) out.push_back('-');
  out.append(grouped(whole, grouping, separators));
  if (keepSeparator || !fraction.empty()) out.append(separators.decimal);
  out.append(fraction);
  return out;
}

// Adds one to a string of decimal digits.
void increment(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// The double as a person would write it with 15 significant digits, rounded
// half away from zero to hundredths. printf's "%.14e" writes the digits; the
// decimal point between them is the process locale's and may be more than one
// byte long, so only the digits are read. (std::to_chars would need no such
// care, but its tables alone would make up a third of Vantora.exe.)
DecimalText roundToHundredths(double value) {
  if (!std::isfinite(value)) throw std::domain_error("not a finite number");
  std::array<char, 64> text{};
  std::snprintf(text.data(), text.size(), "%.14e", std::fabs(value));
  // text: d<point>dddddddddddddde[+-]xx
  const std::string_view written(text.data());
  const std::size_t e = written.find('e');
  std::string significant;
  for (char c : written.substr(0, e)) {
    if (c >= '0' && c <= '9') significant.push_back(c);
  }
  std::string_view exponentText = written.substr(e + 1);
  if (exponentText.starts_with('+')) exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

  // Digits up to and including the hundredths place number exponent + 3.
  const int kept = exponent + 3;
  DecimalText out{value < 0, "0"};
  if (kept < 0) return out;
  std::string digits = significant.substr(0, static_cast<std::size_t>(std::min(kept, 15)));
  if (kept > 15) digits.append(static_cast<std::size_t>(kept - 15), '0');
  if (kept < 15 && significant[static_cast<std::size_t>(kept)] >= '5') {
    if (digits.empty()) digits = "0";
    increment(digits);
  }
  out.hundredths = digits.empty() ? "0" : digits;
  return out;
}

// Splits "[-]digits[.digits]" written with `separators` into sign, whole digits
// and decimal digits. Group separators may appear only inside the whole part.
struct ParsedText {
  bool negative = false;
  std::string whole;
  std::string fraction;
};

std::optional<ParsedText> split(std::string_view text, const NumberSeparators& separators) {
  ParsedText out;
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    out.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool inFraction = false;
  while (!text.empty()) {
    const char c = text.front();
    if (c >= '0' && c <= '9') {
      (inFraction ? out.fraction : out.whole).push_back(c);
      text.remove_prefix(1);
    } else if (!inFraction && !separators.decimal.empty() && text.starts_with(separators.decimal)) {
      inFraction = true;
      text.remove_prefix(separators.decimal.size());
    } else if (!inFraction && !out.whole.empty() && !separators.group.empty() &&
               text.starts_with(separators.group)) {
      text.remove_prefix(separators.group.size());
    } else {
      return std::nullopt;
    }
  }
  if (out.whole.empty() && out.fraction.empty()) return std::nullopt;
  return out;
}

}  // namespace

std::string formatCount(std::uint64_t count, const NumberSeparators& separators) {
  return grouped(std::to_string(count), Grouping::Grouped, separators);
}

std::string formatMillions(std::uint64_t count, const NumberSeparators& separators) {
  std::uint64_t hundredths = count / 10'000;
  if (count % 10'000 >= 5'000) ++hundredths;
  return render({false, std::to_string(hundredths)}, Grouping::Grouped, true, separators);
}

std::string formatTwoDecimals(double value, Grouping grouping, const NumberSeparators& separators) {
  return render(roundToHundredths(value), grouping, true, separators);
}

std::string formatGeneral(Hundredths number, const NumberSeparators& separators) {
  const bool negative = number.value < 0;
  // Magnitude without overflowing on the most negative value.
  const std::uint64_t magnitude =
      negative ? std::uint64_t{0} - static_cast<std::uint64_t>(number.value) : static_cast<std::uint64_t>(number.value);
  return render({negative, std::to_string(magnitude)}, Grouping::Plain, false, separators);
}

std::optional<double> parseNumber(std::string_view text, const NumberSeparators& separators) {
  const auto parsed = split(text, separators);
  if (!parsed) return std::nullopt;
  std::string plain = (parsed->negative ? "-" : "") + (parsed->whole.empty() ? "0" : parsed->whole);
  if (!parsed->fraction.empty()) plain += "." + parsed->fraction;
  double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc{} || end != plain.data() + plain.size()) return std::nullopt;
  return value;
}

std::optional<Hundredths> parseHundredths(std::string_view text, const NumberSeparators& separators) {
  const auto parsed = split(text, separators);
  if (!parsed || parsed->fraction.size() > 2) return std::nullopt;
  std::string digits = (parsed->whole.empty() ? "0" : parsed->whole) + parsed->fraction;
  digits.append(2 - parsed->fraction.size(), '0');
  std::int64_t magnitude = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
  if (error != std::errc{} || end != digits.data() + digits.size()) return std::nullopt;
  return Hundredths{parsed->negative ? -magnitude : magnitude};
}

}  // namespace vantora
