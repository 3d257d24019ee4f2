#include "cli/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
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

// The fast path: the common case of format_number, written without to_chars and without
// building the text in pieces, since a table of room modes prints thousands of numbers. It
// gives the same text as the general code below, which takes every case it declines.

// "00", "01", ... "99": the digits of a number below 100, two at a time.
struct DigitPairs {
  char text[200];
  constexpr DigitPairs() : text() {
    for (int i = 0; i < 100; ++i) {
      text[2 * i] = static_cast<char>('0' + i / 10);
      text[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
  }
};
constexpr DigitPairs kDigitPairs;

// The longest text of the fast path, "-0.000123456" or "-1.23456e-17", fits with room to
// spare; short enough that the std::string made from it needs no allocation either.
constexpr std::size_t kFastTextSize = 16;

// The decimal exponents of the fast path. A value of exponent e is scaled to six digits
// before the point by 10^(5 - e), one multiplication or division by a power of ten that is
// itself an exact double (10^22 is the largest), so that the scaled value is rounded once.
constexpr int kFastShortestShift = 22;
constexpr int kFastLowestExponent = kDigits - 1 - kFastShortestShift;
constexpr int kFastHighestExponent = kDigits - 1 + kFastShortestShift;

constexpr double kExactPowersOfTen[kFastShortestShift + 1] = {
    1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// Where each decade starts, from 10^-17 to 10^28, as the nearest doubles. Below 1 and above
// 10^22 they are not exact, so a value within an ulp of one may be put in the decade beside
// its own. Put one too high, it scales to just below 10^5 (declined) or to 10^5 exactly,
// and 1.00000 in the decade above is then also the correct rounding; put one too low, it
// scales to 10^6 or more (declined).
constexpr int kLowestDecade = -17;
constexpr double kDecadeStarts[] = {
    1e-17, 1e-16, 1e-15, 1e-14, 1e-13, 1e-12, 1e-11, 1e-10, 1e-9, 1e-8, 1e-7, 1e-6,
    1e-5,  1e-4,  1e-3,  1e-2,  1e-1,  1e0,   1e1,   1e2,   1e3,  1e4,  1e5,  1e6,
    1e7,   1e8,   1e9,   1e10,  1e11,  1e12,  1e13,  1e14,  1e15, 1e16, 1e17, 1e18,
    1e19,  1e20,  1e21,  1e22,  1e23,  1e24,  1e25,  1e26,  1e27, 1e28};

// The binary exponents of the values in the fast path's decades: 10^-17 lies between 2^-57
// and 2^-56, 10^28 between 2^93 and 2^94.
constexpr int kFastLowestBinaryExponent = -57;
constexpr int kFastHighestBinaryExponent = 93;

// floor(binary_exponent * log10(2)): 78913 / 2^18 is log10(2) to six digits, close enough
// for every exponent of a double.
constexpr int floor_log10_of_power_of_two(int binary_exponent) {
  const int scaled = binary_exponent * 78913;
  return scaled >= 0 ? scaled / (1 << 18) : -((-scaled + (1 << 18) - 1) / (1 << 18));
}

// For each binary exponent b of the fast path, the decade of 2^b and where the next decade
// starts: the values of exponent b lie in one or the other, so one comparison tells which.
// (Built at compile time, where a decade outside kDecadeStarts would not compile.)
struct Binades {
  static constexpr int kCount = kFastHighestBinaryExponent - kFastLowestBinaryExponent + 1;
  int decade[kCount];
  double next_decade_start[kCount];
  constexpr Binades() : decade(), next_decade_start() {
    for (int i = 0; i < kCount; ++i) {
      decade[i] = floor_log10_of_power_of_two(kFastLowestBinaryExponent + i);
      next_decade_start[i] = kDecadeStarts[decade[i] + 1 - kLowestDecade];
    }
  }
};
constexpr Binades kBinades;

// How close to a tie (a whole number and a half) the scaled value may come before the fast
// path declines. The scaled value is below 2^20, where doubles lie at most 2^-33 apart, so
// its one rounding moves it at most 2^-34 (5.8e-11) from the exact product (or quotient) of
// the binary value and the power of ten. Farther than that from every tie, the exact result
// lies on the same side of the same tie and rounds to the same whole number; nearer, it may
// lie on either side, or on the tie itself, which rounds to the even digit. The margin is
// sixteen times the bound, and declines about two values in a billion besides the ties.
// (Each tie is itself a double here and rounding is monotonic, so the one rounding can land
// on a tie but never cross one; the margin does not lean on that.)
constexpr double kTieMargin = 0x1p-30;

// Writes the text of `value` as format_number shows it with no uncertainty and returns its
// length, or returns 0, text then unspecified, when the value is outside the fast path:
// zero, below the normal range, not finite, outside kFastLowestExponent to
// kFastHighestExponent, too near a tie, or rounding up into the next decade.
std::size_t format_fast(double value, char (&text)[kFastTextSize]) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  const int binary_exponent = static_cast<int>((bits >> 52) & 0x7ff) - 1023;
  if (binary_exponent < kFastLowestBinaryExponent || binary_exponent > kFastHighestBinaryExponent)
    return 0;
  const double magnitude = std::fabs(value);

  const int binade = binary_exponent - kFastLowestBinaryExponent;
  const int exponent =
      kBinades.decade[binade] + (magnitude >= kBinades.next_decade_start[binade] ? 1 : 0);
  if (exponent < kFastLowestExponent || exponent > kFastHighestExponent)
    return 0;

  const int shift = kDigits - 1 - exponent;
  const double scaled =
      shift >= 0 ? magnitude * kExactPowersOfTen[shift] : magnitude / kExactPowersOfTen[-shift];
  if (!(scaled >= 1e5 && scaled < 1e6))
    return 0;
  int whole = static_cast<int>(scaled);
  const double fraction = scaled - whole;  // exact: the low bits of scaled
  if (std::fabs(fraction - 0.5) <= kTieMargin)
    return 0;
  if (fraction > 0.5)
    ++whole;
  if (whole == 1000000)
    return 0;

  // The pairs of digits come from one multiplication: 429497 / 2^32 is 10^-4 rounded up,
  // so the high word is whole / 10^4 and the low word the rest as a fraction, which each
  // multiplication by 100 moves two digits on (exact for every whole below 10^6). The
  // digits are padded for the copies below, which read 8 of them from any of the first 6.
  char digits[kDigits + 8] = {};
  std::uint64_t pairs = static_cast<std::uint64_t>(whole) * 429497;
  for (int i = 0; i < kDigits; i += 2) {
    const auto pair = static_cast<std::size_t>(pairs >> 32);
    std::memcpy(digits + i, &kDigitPairs.text[2 * pair], 2);
    pairs = (pairs & 0xffffffff) * 100;
  }

  // The text is put together from copies of a fixed size, which compile to a load and a
  // store each, where copies of the exact lengths would each be a call; what they write past
  // the end of a piece is overwritten by the next piece or left beyond the text's length.
  char* out = text;
  if (value < 0)
    *out++ = '-';
  const bool fixed = exponent >= -4 && exponent < kDigits;
  if (fixed && exponent < 0) {
    std::memcpy(out, "0.000", 5);
    out += 1 - exponent;  // "0." and a zero for each decade below 0.1
  }
  std::memcpy(out, digits, 8);
  const int point = !fixed ? 1 : exponent >= 0 ? exponent + 1 : kDigits;  // digits before it
  if (point < kDigits) {
    out[point] = '.';
    std::memcpy(out + point + 1, digits + point, 8);
    ++out;
  }
  out += kDigits;
  if (!fixed) {
    // Two exponent digits, as the general code writes below 100, the whole fast range.
    out[0] = 'e';
    out[1] = exponent < 0 ? '-' : '+';
    std::memcpy(out + 2, &kDigitPairs.text[2 * std::abs(exponent)], 2);
    out += 4;
  }
  return static_cast<std::size_t>(out - text);
}

// format_number by the general route, which takes every value the fast path declines.
std::string format_number_in_general(double value, double uncertainty) {
  if (!std::isfinite(value))
    return "?";
  if (value == 0 && uncertainty == 0)
    return "0.00000";
  const std::optional<Scientific> parts = true_digits(value, uncertainty);
  return parts ? laid_out(*parts) : zero_text(value, uncertainty + noise_below_normal(value));
}

}  // namespace

std::string format_number(double value) {
  char text[kFastTextSize];
  if (const std::size_t length = format_fast(value, text))
    return std::string(text, length);
  return format_number_in_general(value, 0.0);
}

std::string format_number(double value, double uncertainty) {
  if (uncertainty == 0) {
    char text[kFastTextSize];
    if (const std::size_t length = format_fast(value, text))
      return std::string(text, length);
  }
  return format_number_in_general(value, uncertainty);
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
