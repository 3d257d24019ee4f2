// format_exact_sum: six-digit rounding decided on the exact decimal digits of a sum of
// doubles, for the results that sum or multiply the typed values themselves.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "cli/number_format.hpp"

namespace quesdral::cli {
namespace {

// Digits kept of each term: to_chars gives them exactly rounded, so a sum of a few terms is
// known to about 1e-58 of its largest term, far closer than a sum of doubles that is not
// on a tie ever comes to one (typed values land within about 1e-17 of theirs).
constexpr int kTermDigits = 60;
// Positions of the sum, from the largest term's first digit (and one for a carry) down:
// terms more than 70 decades below it add nothing that could move a six-digit rounding.
constexpr int kWidth = kTermDigits + 72;
// Digits after the sixth that must all be 0 behind a 5 for the sum to count as a tie.
constexpr int kTieDigits = 50;

// One term's digits placed into `sum` (index 0 is 10^top), added with their sign.
void place(double term, int top, std::vector<int>& sum) {
  char buffer[96];
  const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(term),
                                     std::chars_format::scientific, kTermDigits - 1);
  const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
  int exponent = 0;
  const std::size_t e = text.find('e');
  const char* from = text.data() + e + 1 + (text[e + 1] == '+' ? 1 : 0);
  std::from_chars(from, text.data() + text.size(), exponent);
  int position = top - exponent;
  const int sign = term < 0 ? -1 : 1;
  for (std::size_t i = 0; i < e; ++i) {
    if (text[i] == '.')
      continue;
    if (position >= 0 && position < kWidth)
      sum[static_cast<std::size_t>(position)] += sign * (text[i] - '0');
    ++position;
  }
}

// Carries and borrows from the last position to the first; false when the sum is negative.
bool normalize(std::vector<int>& sum) {
  for (std::size_t i = sum.size() - 1; i > 0; --i) {
    const int carry = (sum[i] >= 0 ? sum[i] : sum[i] - 9) / 10;
    sum[i] -= carry * 10;
    sum[i - 1] += carry;
  }
  return sum[0] >= 0;
}

// The exact sum rounded to six significant digits, as text from_chars reads ("100001e-2"),
// or nothing when it lies on a tie or is 0.
std::optional<std::string> rounded_sum(std::initializer_list<double> terms, int power_of_ten) {
  int top = -400;
  for (double term : terms) {
    // An error-free product of huge factors overflows in its parts: no digits to add then.
    if (!std::isfinite(term))
      return std::nullopt;
    if (term != 0.0)
      top = std::max(top, static_cast<int>(std::floor(std::log10(std::fabs(term)))) + 2);
  }
  std::vector<int> sum(kWidth, 0);
  for (double term : terms) {
    if (term != 0.0)
      place(term, top, sum);
  }
  const bool negative = !normalize(sum);
  if (negative) {
    for (int& digit : sum)
      digit = -digit;
    normalize(sum);
  }
  const auto first = std::find_if(sum.begin(), sum.end(), [](int digit) { return digit != 0; });
  // Too few digits left behind the sixth (a sum that cancels to far below its terms).
  if (sum.end() - first <= 6 + kTieDigits)
    return std::nullopt;
  const auto rest = first + 6;
  const bool above_half = *rest > 5 || (*rest == 5 && std::any_of(rest + 1, rest + kTieDigits,
                                                                  [](int d) { return d != 0; }));
  if (*rest == 5 && !above_half)
    return std::nullopt;
  long long six = 0;
  for (auto digit = first; digit != rest; ++digit)
    six = six * 10 + *digit;
  six += above_half ? 1 : 0;
  const int exponent = top - static_cast<int>(rest - sum.begin()) + 1 + power_of_ten;
  return std::string(negative ? "-" : "") + std::to_string(six) + "e" + std::to_string(exponent);
}

}  // namespace

std::string format_exact_sum(double value, std::initializer_list<double> terms, int power_of_ten) {
  const std::string shown = format_number(value);
  if (!std::isnormal(value))
    return shown;
  // Six-digit rounding is monotonic, so when both doubles two steps away show the same
  // digits, no tie lies between value and the exact sum.
  const double below = std::nextafter(std::nextafter(value, -HUGE_VAL), -HUGE_VAL);
  const double above = std::nextafter(std::nextafter(value, HUGE_VAL), HUGE_VAL);
  if (format_number(below) == shown && format_number(above) == shown)
    return shown;
  const std::optional<std::string> exact = rounded_sum(terms, power_of_ten);
  if (!exact)
    return shown;
  double rounded = 0.0;
  const auto read = std::from_chars(exact->data(), exact->data() + exact->size(), rounded);
  return read.ec == std::errc() ? format_number(rounded) : shown;
}

}  // namespace quesdral::cli
