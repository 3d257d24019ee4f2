// Fuzzes the tools' number parsing. Every text is judged twice: by the parser under test, and
// here by a grammar check written separately and the C library's strtod/strtoll (the process
// stays in the "C" locale). The two must accept the same texts, agree on the value to the
// bit, and the parser must never hand out a value that is not finite. What the formatter
// prints for an accepted value must read back as that value (to its six digits).
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "cli/number_format.hpp"
#include "cli/number_parse.hpp"

namespace {

namespace cli = quesdral::cli;

[[noreturn]] void finding(const char* what) {
  std::fputs(what, stderr);
  std::fputc('\n', stderr);
  std::abort();
}

std::string_view trimmed(std::string_view text) {
  if (!text.empty() && text.back() == '\r')
    text.remove_suffix(1);
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::size_t count_digits(std::string_view text) {
  std::size_t n = 0;
  while (n < text.size() && text[n] >= '0' && text[n] <= '9')
    ++n;
  return n;
}

// Mantissa (digits, with at most one point, at least one digit), then an optional exponent.
bool is_decimal(std::string_view text, bool& mantissa_is_zero) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-'))
    text.remove_prefix(1);
  const std::size_t exponent_at = text.find_first_of("eE");
  const std::string_view mantissa = text.substr(0, exponent_at);
  const std::size_t point = mantissa.find('.');
  const std::string_view whole = mantissa.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : mantissa.substr(point + 1);
  if (count_digits(whole) != whole.size() || count_digits(fraction) != fraction.size() ||
      whole.size() + fraction.size() == 0) {
    return false;
  }
  mantissa_is_zero = mantissa.find_first_of("123456789") == std::string_view::npos;
  if (exponent_at == std::string_view::npos)
    return true;
  std::string_view exponent = text.substr(exponent_at + 1);
  if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-'))
    exponent.remove_prefix(1);
  return !exponent.empty() && count_digits(exponent) == exponent.size();
}

bool is_whole(std::string_view text) {
  if (!text.empty() && (text[0] == '+' || text[0] == '-'))
    text.remove_prefix(1);
  return !text.empty() && count_digits(text) == text.size();
}

// What the parser should make of the text as a real: nothing when it must be refused.
std::optional<double> expected_real(std::string_view text) {
  bool mantissa_is_zero = false;
  if (!is_decimal(text, mantissa_is_zero))
    return std::nullopt;
  const std::string copy(text);
  const double value = std::strtod(copy.c_str(), nullptr);
  // Beyond the range, or so close to 0 that digits would be lost or the value would vanish.
  if (!std::isfinite(value) || (value == 0 && !mantissa_is_zero) ||
      (value != 0 && std::fabs(value) < std::numeric_limits<double>::min())) {
    return std::nullopt;
  }
  return value;
}

std::optional<long long> expected_integer(std::string_view text) {
  if (!is_whole(text))
    return std::nullopt;
  const std::string copy(text);
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  if (errno == ERANGE)
    return std::nullopt;
  return value;
}

bool same_bits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void check_real(std::string_view text) {
  const cli::ParsedNumber parsed = cli::parse_number(text, cli::ValueKind::kReal);
  if (parsed.value.has_value() == !parsed.error.empty())
    finding("real: a value and an error together, or neither");
  const std::optional<double> expected = expected_real(trimmed(text));
  if (parsed.value.has_value() != expected.has_value())
    finding("real: accepted a text the reference refuses, or the reverse");
  if (!parsed.value)
    return;
  if (!std::isfinite(*parsed.value))
    finding("real: a non-finite value accepted");
  if (!same_bits(*parsed.value, *expected))
    finding("real: the value differs from the reference conversion");
  if (cli::parse_real(text) != parsed.value)
    finding("real: the shorthand disagrees");
}

// The formatter's texts are what a user sees and may type back in.
void check_formatting(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude != 0 && (magnitude < 1e-300 || magnitude > 1e300))
    return;
  const std::string shown = cli::format_number(value);
  const std::optional<double> back = cli::parse_real(shown);
  if (!back || std::fabs(*back - value) > 5e-6 * magnitude)
    finding("format_number does not read back to the value");
  const std::string short_text = cli::format_short(value);
  const std::optional<double> short_back = cli::parse_real(short_text);
  if (!short_back || std::fabs(*short_back - value) > 5e-6 * magnitude)
    finding("format_short does not read back to the value");
  if (short_text != shown && !same_bits(*short_back, value) && *short_back != value)
    finding("format_short is neither exact nor the six-digit text");
}

void check_integer(std::string_view text) {
  const cli::ParsedNumber parsed = cli::parse_number(text, cli::ValueKind::kInteger);
  if (parsed.value.has_value() == !parsed.error.empty())
    finding("integer: a value and an error together, or neither");
  const std::optional<long long> expected = expected_integer(trimmed(text));
  if (parsed.value.has_value() != expected.has_value())
    finding("integer: accepted a text the reference refuses, or the reverse");
  if (cli::parse_integer(text) != expected)
    finding("integer: parse_integer differs from the reference conversion");
  if (parsed.value && *parsed.value != static_cast<double>(*expected))
    finding("integer: the value differs from the reference conversion");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  check_real(text);
  check_integer(text);
  if (const std::optional<double> value = cli::parse_real(text))
    check_formatting(*value);
  return 0;
}
