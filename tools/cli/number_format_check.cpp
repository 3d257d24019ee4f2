// Checks format_number, whose common case takes a fast path of its own, against a reference
// written here from std::to_chars alone: the six significant digits to_chars rounds
// correctly from the exact binary value, laid out in fixed notation from 1e-4 up to 1e6 and
// in scientific notation otherwise, as number_format.hpp promises.
//
//   number_format_check [count]
//
// compares `count` doubles (20 million unless given), drawn from a fixed seed so that a
// failure comes back on every run: arbitrary bit patterns, values spread over the decades
// the tools print, values a few ulps from the ties of six-digit rounding (and a few hundred,
// around the band where the fast path hands over), from powers of ten and from the 1e-4 and
// 1e6 edges of fixed notation, whole numbers, and decimals as a user types them. It stops at the
// first difference and prints the value (%a) and both texts. Values below the normal range are left
// out: there format_number shows fewer digits.
#include "cli/number_format.hpp"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>

namespace {

enum ExitStatus { kAllAsReference = 0, kDifferenceFound = 1, kUsageError = 2 };

constexpr unsigned long long kDefaultCount = 20'000'000;

// The text format_number promises for a value outside the subnormal range, made from
// to_chars alone: its six digits, moved into fixed notation from 1e-4 up to 1e6.
std::string reference_text(double value) {
  if (!std::isfinite(value))
    return "?";
  if (value == 0)
    return "0.00000";
  char buffer[32];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 5);
  const std::string scientific(buffer, written.ptr);  // "-d.ddddde+XX"
  const std::size_t e = scientific.find('e');
  const int exponent = std::stoi(scientific.substr(e + 1));
  if (exponent < -4 || exponent >= 6)
    return scientific;
  const bool negative = value < 0;
  const std::size_t first = negative ? 1 : 0;
  const std::string digits =
      scientific.substr(first, 1) + scientific.substr(first + 2, e - first - 2);
  std::string text = negative ? "-" : "";
  if (exponent < 0)
    return text + "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
  const auto point = static_cast<std::size_t>(exponent) + 1;
  text += digits.substr(0, point);
  if (point < digits.size())
    text += "." + digits.substr(point);
  return text;
}

// Each kind of value, drawn from mt19937_64, whose sequence the C++ standard fixes, and by
// hand rather than through the library's distributions, which differ between libraries.
class Draws {
 public:
  double bit_pattern() {
    const std::uint64_t bits = random_();
    double value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

  // Uniform in a decade from [1e-6, 1e-5) to [1e7, 1e8).
  double in_a_decade() {
    const double start = std::pow(10.0, static_cast<double>(between(-6, 7)));
    return either_sign(start + 9 * start * unit());
  }

  // Near (k + 0.5) * 10^j, k of six digits: mostly where the fast path works, often where
  // rounding carries into the next decade (k = 999999), among them the edges of fixed
  // notation, and sometimes anywhere in the normal range.
  double near_a_tie() {
    const long long k = below(4) == 0 ? 999999 : between(100000, 999999);
    long long j = 0;
    switch (below(4)) {
      case 0:
        j = below(2) == 0 ? -10 : 0;  // 9.999995e-5 and 999999.5
        break;
      case 1:
        j = between(-312, 302);
        break;
      default:
        j = between(-22, 22);
    }
    return near(parse(std::to_string(k) + "5e" + std::to_string(j - 1)));
  }

  // Near 10^j in the normal range, half of them at 1e-4 or 1e6.
  double near_a_power_of_ten() {
    static constexpr int kEdges[] = {-4, 6};
    const long long j = below(2) == 0 ? kEdges[below(2)] : between(-307, 308);
    return near(parse("1e" + std::to_string(j)));
  }

  // A whole number of 1 to 17 digits.
  double whole_number() {
    return either_sign(static_cast<double>(below(power_of_ten(between(1, 17)))));
  }

  // Up to 15 digits with a point somewhere among them or zeros before them ("0.00261626"),
  // now and then with an exponent ("1.5e-12").
  double typed_decimal() {
    std::string text = std::to_string(below(power_of_ten(between(1, 15))));
    if (below(3) == 0)
      text.insert(0, "0." + std::string(static_cast<std::size_t>(below(6)), '0'));
    else
      text.insert(static_cast<std::size_t>(below(text.size() + 1)), ".");
    if (below(4) == 0)
      text += "e" + std::to_string(between(-20, 20));
    if (text.front() == '.')
      text.insert(0, "0");
    return either_sign(parse(text));
  }

 private:
  // Uniform in [0, n), with a bias too small to matter here.
  std::uint64_t below(std::uint64_t n) { return random_() % n; }
  // Uniform in [low, high].
  long long between(long long low, long long high) {
    return low + static_cast<long long>(below(static_cast<std::uint64_t>(high - low + 1)));
  }
  double unit() { return static_cast<double>(random_() >> 11) * 0x1p-53; }
  double either_sign(double value) { return below(2) == 0 ? value : -value; }

  // value moved by up to 3 ulps or, half the time, up to 400: far enough to cross, near a
  // tie, the edge of the band in which the fast path hands the rounding over.
  double near(double value) {
    const long long reach = below(2) == 0 ? 3 : 400;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    bits += static_cast<std::uint64_t>(between(-reach, reach));  // wraps for a step down
    std::memcpy(&value, &bits, sizeof value);
    return either_sign(value);
  }

  static std::uint64_t power_of_ten(long long digits) {
    std::uint64_t power = 1;
    for (long long i = 0; i < digits; ++i)
      power *= 10;
    return power;
  }

  static double parse(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
  }

  std::mt19937_64 random_;  // the default seed, 5489
};

std::optional<unsigned long long> parse_count(const char* text) {
  const char* end = text + std::strlen(text);
  unsigned long long count = 0;
  const auto parsed = std::from_chars(text, end, count);
  if (parsed.ec != std::errc() || parsed.ptr != end)
    return std::nullopt;
  return count;
}

bool below_the_normal_range(double value) {
  return value != 0 && std::fabs(value) < std::numeric_limits<double>::min();
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<unsigned long long> count = argc == 1   ? kDefaultCount
                                                  : argc == 2 ? parse_count(argv[1])
                                                              : std::nullopt;
  if (!count) {
    std::fprintf(stderr, "usage: number_format_check [count of doubles]\n");
    return kUsageError;
  }

  struct Kind {
    const char* name;
    double (Draws::*draw)();
  };
  static constexpr Kind kKinds[] = {
      {"bit pattern", &Draws::bit_pattern},   {"in a decade", &Draws::in_a_decade},
      {"near a tie", &Draws::near_a_tie},     {"near a power of ten", &Draws::near_a_power_of_ten},
      {"whole number", &Draws::whole_number}, {"typed decimal", &Draws::typed_decimal},
  };
  constexpr unsigned long long kKindCount = sizeof kKinds / sizeof kKinds[0];

  Draws draws;
  for (unsigned long long i = 0; i < *count; ++i) {
    const Kind& kind = kKinds[i % kKindCount];
    double value = (draws.*kind.draw)();
    while (below_the_normal_range(value))
      value = (draws.*kind.draw)();
    const std::string expected = reference_text(value);
    const std::string texts[] = {quesdral::cli::format_number(value),
                                 quesdral::cli::format_number(value, 0.0)};
    for (const std::string& text : texts) {
      if (text != expected) {
        std::fprintf(stderr,
                     "number_format_check: double %llu (%s) %a: format_number gives \"%s\", "
                     "the reference \"%s\"\n",
                     i, kind.name, value, text.c_str(), expected.c_str());
        return kDifferenceFound;
      }
    }
  }
  std::printf("number_format_check: %llu doubles, every text as the reference\n", *count);
  return kAllAsReference;
}
