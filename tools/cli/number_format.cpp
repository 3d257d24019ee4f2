#include "cli/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

namespace quesdral::cli {
namespace {

// Significant digits shown by default.
constexpr int kDigits = 6;

// A finite value split as to_chars writes it in scientific notation with `digits`
// significant digits: "d.ddddde+XX".
struct Scientific {
  bool negative = false;
  std::string digits;  // the significant digits, without the point
  int exponent = 0;
};

Scientific to_scientific(double value, int digits = kDigits) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::scientific, digits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  Scientific parts;
  std::size_t i = 0;
  if (text[i] == '-') {
    parts.negative = true;
    ++i;
  }
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] != '.')
      parts.digits += text[i];
  }
  const std::string_view exponent = text.substr(i + 1);
  const std::string_view unsigned_exponent = exponent[0] == '+' ? exponent.substr(1) : exponent;
  std::from_chars(unsigned_exponent.data(), unsigned_exponent.data() + unsigned_exponent.size(),
                  parts.exponent);
  return parts;
}

std::string scientific_text(const Scientific& parts) {
  std::string text = parts.negative ? "-" : "";
  text += parts.digits.substr(0, 1);
  if (parts.digits.size() > 1)
    text += "." + parts.digits.substr(1);
  text += parts.exponent < 0 ? "e-" : "e+";
  const int magnitude = std::abs(parts.exponent);
  if (magnitude < 10)
    text += '0';
  return text + std::to_string(magnitude);
}

std::string fixed_text(const Scientific& parts) {
  std::string text = parts.negative ? "-" : "";
  if (parts.exponent < 0) {
    return text + "0." + std::string(static_cast<std::size_t>(-parts.exponent - 1), '0') +
           parts.digits;
  }
  const std::size_t point = static_cast<std::size_t>(parts.exponent) + 1;
  text += parts.digits.substr(0, point);
  if (point < parts.digits.size())
    text += "." + parts.digits.substr(point);
  return text;
}

// Fixed notation from 1e-4 up to 1e6, where it can show exactly the digits (no zeros of its
// own before the point); scientific notation otherwise.
std::string laid_out(const Scientific& parts) {
  const auto digit_count = static_cast<int>(parts.digits.size());
  if (parts.exponent < -4 || parts.exponent >= kDigits || parts.exponent >= digit_count)
    return scientific_text(parts);
  return fixed_text(parts);
}

// |value| / 10^power, read from the decimal text of value so that neither a tiny value nor
// a tiny power of ten (10^-329 is below every double) under- or overflows on the way.
double magnitude_in_units_of(double value, int power) {
  char buffer[64];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                     std::chars_format::scientific, 20);
  std::string text(buffer, written.ptr);
  const std::size_t e = text.find('e');
  int exponent = 0;
  const char* start = text.c_str() + e + 1;
  if (*start == '+')
    ++start;
  std::from_chars(start, text.c_str() + text.size(), exponent);
  text = text.substr(0, e + 1) + std::to_string(exponent - power);
  double scaled = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), scaled);
  return scaled;
}

// Whether `parts` (value rounded to its digits) lies within half a unit of its last digit of
// every value within `uncertainty` of value.
bool all_digits_true(double value, double uncertainty, const Scientific& parts) {
  const int last_digit_power = parts.exponent - static_cast<int>(parts.digits.size()) + 1;
  double shown = 0.0;
  std::from_chars(parts.digits.data(), parts.digits.data() + parts.digits.size(), shown);
  return std::fabs(shown - magnitude_in_units_of(value, last_digit_power)) +
             magnitude_in_units_of(uncertainty, last_digit_power) <=
         0.5;
}

// 0 with the most decimals (five at most) that every value within `uncertainty` of value
// rounds to.
std::string zero_text(double value, double uncertainty) {
  for (int decimals = kDigits - 1; decimals > 0; --decimals) {
    if (magnitude_in_units_of(value, -decimals) + magnitude_in_units_of(uncertainty, -decimals) <=
        0.5) {
      return "0." + std::string(static_cast<std::size_t>(decimals), '0');
    }
  }
  return "0";
}

double noise_below_normal(double value) {
  const bool subnormal = value != 0 && std::fabs(value) < std::numeric_limits<double>::min();
  return subnormal ? kSubnormalUncertainty : 0.0;
}

// value with the most significant digits (six at most) that are true, or nothing when not
// even the first one is (or value is 0).
std::optional<Scientific> true_digits(double value, double uncertainty) {
  uncertainty += noise_below_normal(value);
  if (value == 0)
    return std::nullopt;
  if (uncertainty == 0)
    return to_scientific(value);
  for (int digits = kDigits; digits >= 1; --digits) {
    Scientific parts = to_scientific(value, digits);
    if (all_digits_true(value, uncertainty, parts))
      return parts;
  }
  return std::nullopt;
}

std::size_t significant_digit_count(std::string_view shortest) {
  std::size_t count = 0;
  bool leading = true;
  for (char c : shortest) {
    if (c == 'e')
      break;
    if (c < '0' || c > '9')
      continue;
    if (leading && c == '0')
      continue;
    leading = false;
    ++count;
  }
  return count;
}

}  // namespace

std::string format_number(double value) {
  return format_number(value, 0.0);
}

std::string format_number(double value, double uncertainty) {
  if (!std::isfinite(value))
    return "?";
  if (value == 0 && uncertainty == 0)
    return "0.00000";
  const std::optional<Scientific> parts = true_digits(value, uncertainty);
  return parts ? laid_out(*parts) : zero_text(value, uncertainty + noise_below_normal(value));
}

bool shows_as_zero(double value) {
  return !true_digits(value, 0.0).has_value();
}

std::string format_number_below(double value, double bound) {
  constexpr int kMostDigits = 17;  // enough for any double to read back as itself
  std::string text;
  for (int digits = kDigits; digits <= kMostDigits; ++digits) {
    text = laid_out(to_scientific(value, digits));
    double shown = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    if (shown < bound)
      break;
  }
  return text;
}

std::string format_integer(long long value) {
  return std::to_string(value);
}

std::string format_short(double value) {
  if (!std::isfinite(value))
    return "?";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  const std::string shortest(buffer, static_cast<std::size_t>(result.ptr - buffer));
  return significant_digit_count(shortest) <= 6 ? shortest : format_number(value);
}

}  // namespace quesdral::cli
