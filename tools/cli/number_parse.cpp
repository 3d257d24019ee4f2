#include "cli/number_parse.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <system_error>
#include <vector>

namespace quesdral::cli {
namespace {

// How much of a refused text an error message repeats.
constexpr std::size_t kMaxQuotedLength = 40;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

bool is_space_or_tab(char c) {
  return c == ' ' || c == '\t';
}

std::size_t skip_digits(std::string_view text, std::size_t i) {
  while (i < text.size() && is_digit(text[i]))
    ++i;
  return i;
}

ParsedNumber refused(std::string error) {
  return {std::nullopt, std::move(error)};
}

// "such as -3, 0.5 or 1e-12": the first `count` of `pool` that `allowed` takes, so that an
// example never suggests a value the input would refuse; empty when none fits.
std::string examples(std::initializer_list<const char*> pool, std::size_t count,
                     const ValueAllowed& allowed) {
  std::vector<const char*> chosen;
  for (const char* example : pool) {
    if (chosen.size() < count && (!allowed || allowed(std::strtod(example, nullptr))))
      chosen.push_back(example);
  }
  std::string text;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    text += i == 0 ? " such as " : i + 1 == chosen.size() ? " or " : ", ";
    text += chosen[i];
  }
  return text;
}

ParsedNumber not_a_number(std::string_view text, const ValueAllowed& allowed) {
  // Each example shows one way of writing: a sign, a point, an exponent.
  return refused(quote(text) + " is not a number; write a decimal number" +
                 examples({"-3", "0.5", "1e-12", "20", "440", "-1e-3"}, 3, allowed));
}

ParsedNumber too_close_to_zero(std::string_view text) {
  return refused(quote(text) +
                 " is too close to 0 to be represented; a number other than 0 must have a "
                 "magnitude of at least 2.3e-308");
}

bool is_well_formed_real(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  const std::size_t integer_start = i;
  i = skip_digits(text, i);
  std::size_t digit_count = i - integer_start;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction_start = ++i;
    i = skip_digits(text, i);
    digit_count += i - fraction_start;
  }
  if (digit_count == 0)
    return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    const std::size_t exponent_start = i;
    i = skip_digits(text, i);
    if (i == exponent_start)
      return false;
  }
  return i == text.size();
}

// REQUIRES: is_well_formed_real(text).
// The decimal exponent of the leading non-zero digit of a well-formed real, e.g. 2 for
// "123.4" and -400 for "1e-400"; it tells an overflow from an underflow. The exponent text
// saturates, so "1e99999999999999999999" is merely very large.
long long decimal_magnitude(std::string_view text) {
  std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
  const std::size_t integer_end = skip_digits(text, i);
  long long position = static_cast<long long>(integer_end - i) - 1;  // exponent of digit i
  long long leading = std::numeric_limits<long long>::min();
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.')
      continue;
    if (text[i] != '0') {
      leading = position;
      break;
    }
    --position;
  }
  if (leading == std::numeric_limits<long long>::min())
    return 0;
  while (i < text.size() && text[i] != 'e' && text[i] != 'E')
    ++i;
  long long exponent = 0;
  if (i < text.size()) {
    ++i;
    // A well-formed real has digits after the 'e'; the bounds checks only keep a malformed
    // text from reading past its end.
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    for (; i < text.size(); ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000000LL);
    if (negative)
      exponent = -exponent;
  }
  return leading + exponent;
}

ParsedNumber parse_real_text(std::string_view text, const ValueAllowed& allowed) {
  if (!is_well_formed_real(text))
    return not_a_number(text, allowed);
  // from_chars takes no '+', and reads independently of the locale.
  const std::string_view digits = text[0] == '+' ? text.substr(1) : text;
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range || (error == std::errc() && !std::isfinite(value))) {
    if (decimal_magnitude(text) >= 0)
      return refused(quote(text) + " is too large; the magnitude must be below 1.79769e+308");
    return too_close_to_zero(text);
  }
  if (error != std::errc() || end != digits.data() + digits.size())
    return not_a_number(text, allowed);
  // A subnormal result keeps too few digits to be trusted to six significant digits.
  if (value != 0 && std::fabs(value) < std::numeric_limits<double>::min())
    return too_close_to_zero(text);
  return {value, {}};
}

// The value of an integer text already checked to be digits with an optional sign.
std::optional<long long> integer_value(std::string_view text) {
  const std::string_view digits = text[0] == '+' ? text.substr(1) : text;
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size())
    return std::nullopt;
  return value;
}

bool is_integer_text(std::string_view text) {
  const std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
  return i < text.size() && skip_digits(text, i) == text.size();
}

// Below 2^53 every whole double is exact, and its digits are short enough to suggest.
constexpr double kLargestSuggestedWhole = 0x1p53;

ParsedNumber parse_integer_text(std::string_view text, const ValueAllowed& allowed) {
  if (!is_integer_text(text)) {
    // "1e9" and "16.0" are whole numbers written another way: say how to write them.
    const std::optional<double> real = parse_real_text(text, nullptr).value;
    if (real && std::trunc(*real) == *real && std::fabs(*real) < kLargestSuggestedWhole) {
      return refused(quote(text) + ": whole numbers are written in digits (" +
                     std::to_string(static_cast<long long>(*real)) + ")");
    }
    const std::string such_as = examples({"16", "2", "100"}, 1, allowed);
    return refused(quote(text) + " is not a whole number; write digits with an optional sign" +
                   (such_as.empty() ? "" : "," + such_as));
  }
  const std::optional<long long> value = integer_value(text);
  if (!value)
    return refused(quote(text) + " is out of range for a whole number");
  return {static_cast<double>(*value), {}};
}

}  // namespace

ParsedNumber parse_number(std::string_view text, ValueKind kind, const ValueAllowed& allowed) {
  const std::string_view trimmed = trim(text);
  if (trimmed.empty())
    return refused("a number is needed here");
  return kind == ValueKind::kInteger ? parse_integer_text(trimmed, allowed)
                                     : parse_real_text(trimmed, allowed);
}

std::optional<double> parse_real(std::string_view text) {
  return parse_number(text, ValueKind::kReal).value;
}

std::optional<long long> parse_integer(std::string_view text) {
  // Read as long long, not through ParsedNumber, whose double may have rounded the value.
  const std::string_view trimmed = trim(text);
  if (trimmed.empty() || !is_integer_text(trimmed))
    return std::nullopt;
  return integer_value(trimmed);
}

std::string quote(std::string_view text) {
  std::string quoted = "'";
  for (std::size_t i = 0; i < text.size() && i < kMaxQuotedLength; ++i) {
    const char c = text[i];
    quoted += (c >= ' ' && c <= '~') ? c : '?';
  }
  if (text.size() > kMaxQuotedLength)
    quoted += "...";
  return quoted + "'";
}

std::string_view trim(std::string_view text) {
  if (!text.empty() && text.back() == '\r')
    text.remove_suffix(1);
  while (!text.empty() && is_space_or_tab(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && is_space_or_tab(text.back()))
    text.remove_suffix(1);
  return text;
}

}  // namespace quesdral::cli
