#include "cli/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>
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
  if (!std::isfinite(value))
    return "?";
  if (value == 0)
    return "0.00000";
  return laid_out(to_scientific(value));
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
