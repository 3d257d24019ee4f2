#include "cli/number_format.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <string>

namespace quesdral::cli {
namespace {

struct TextCase {
  double value;
  const char* text;
};

// Both forms alike, as the form with an uncertainty of 0 shares the fast path.
TEST(FormatNumber, ShowsSixSignificantDigits) {
  const TextCase cases[] = {
      {-6.020599913279624, "-6.02060"},
      {261.6255653005986, "261.626"},
      {0.5, "0.500000"},
      {1, "1.00000"},
      {0, "0.00000"},
      {-0.0, "0.00000"},
      {123456.4, "123456"},
      {999999.4, "999999"},
      {999999.5, "1.00000e+06"},  // rounding carries into the next power of ten
      {0.0001, "0.000100000"},
      {0.00001, "1.00000e-05"},
      {0.000099999996, "0.000100000"},
      {1e-12, "1.00000e-12"},
      {1e9, "1.00000e+09"},
      {1e10, "1.00000e+10"},  // the exponent takes two digits, then three
      {-2.5e99, "-2.50000e+99"},
      {1e100, "1.00000e+100"},
      {-2.5e100, "-2.50000e+100"},
      {1e-10, "1.00000e-10"},
      {1e-100, "1.00000e-100"},
      {std::numeric_limits<double>::max(), "1.79769e+308"},
      {std::numeric_limits<double>::quiet_NaN(), "?"},
      {std::numeric_limits<double>::infinity(), "?"},
      // The digits are rounded from the double's exact binary value, not from the decimal
      // typed: each text below was worked out from the exact decimal expansion of its double.
      {261.6255, "261.625"},  // stored a little below the tie
      {20.00005, "20.0001"},  // stored a little above it
      {0.0001234565, "0.000123457"},
      {-1.234565, "-1.23456"},
      {1234.125, "1234.12"},  // stored exactly: a tie goes to the even digit
      {1234.375, "1234.38"},
      {100000.5, "100000"},
      {100001.5, "100002"},
      // Carries into the next power of ten, or not.
      {9.999995, "10.0000"},  // stored above the tie
      {99999.95, "99999.9"},  // stored below it: no carry
      {0.9999995, "1.00000"},
      {-999.9995, "-1000.00"},
      {0.00009999995, "0.000100000"},  // into fixed notation
      {9.999995e-18, "1.00000e-17"},
      {9.999995e26, "1.00000e+27"},
      // Around 1e-4 and 1e6, where the notation changes, and the ends of the range of
      // doubles; 1e-17 to 1e28 bound the values the fast path takes.
      {std::nextafter(1e-4, 0.0), "0.000100000"},  // rounds to 1e-4, so in fixed notation
      {9.99994e-5, "9.99994e-05"},
      {-0.000123456, "-0.000123456"},  // the longest text of the fast path
      {999999.4999999999, "999999"},
      {std::nextafter(1e6, 0.0), "1.00000e+06"},
      {1e-17, "1.00000e-17"},
      {1.23456e-18, "1.23456e-18"},
      {1e23, "1.00000e+23"},  // the double lies below 10^23
      {9.999994e27, "9.99999e+27"},
      {1e28, "1.00000e+28"},
      {std::nextafter(std::numeric_limits<double>::min(), 1.0), "2.22507e-308"},
      {-std::numeric_limits<double>::max(), "-1.79769e+308"},
  };
  for (const TextCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hexfloat << c.value);
    EXPECT_EQ(format_number(c.value), c.text);
    EXPECT_EQ(format_number(c.value, 0.0), c.text);
  }
}

TEST(FormatNumber, ShortFormKeepsTypedValuesAsTyped) {
  const TextCase cases[] = {
      {1, "1"},
      {16, "16"},
      {1e-12, "1e-12"},
      {440, "440"},
      {0.5, "0.5"},
      {-3.25, "-3.25"},
      {261.6255653005986, "261.626"},
      {2147483648.0, "2.14748e+09"},
      {0.00012345, "0.00012345"},  // zeros before the first digit are not significant
      {1.2345e-12, "1.2345e-12"},  // nor are the exponent's digits
      {123456, "123456"},
      {1234567, "1.23457e+06"},  // seven digits are more than the short form shows
      {std::numeric_limits<double>::quiet_NaN(), "?"},
  };
  for (const TextCase& c : cases)
    EXPECT_EQ(format_short(c.value), c.text) << c.value;
}

// Below the normal range doubles lie 4.9e-324 apart and a value may be 16 of those spacings
// (7.9e-323) from its exact result: a digit is shown only when half a unit of it covers
// that and the rounding of the digits before it (worked out by hand from each double).
TEST(FormatNumber, BelowTheNormalRangeShowsOnlyTheDigitsThatAreTrue) {
  struct Case {
    double value;
    const char* text;
    bool shows_as_zero;
  };
  const Case cases[] = {
      {2.2250738585072014e-308, "2.22507e-308", false},  // the smallest normal double
      {1e-310, "1.00000e-310", false},
      {1e-318, "1.000e-318", false},  // a unit of 1e-322 would be below the uncertainty
      {1e-320, "1.0e-320", false},
      {-1e-320, "-1.0e-320", false},
      {1e-321, "1e-321", false},
      {5e-322, "0.00000", true},  // not one digit of it is known
      {4.9406564584124654e-324, "0.00000", true},
      {0.0, "0.00000", true},
      {-0.0, "0.00000", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(format_number(c.value), c.text);
    EXPECT_EQ(shows_as_zero(c.value), c.shows_as_zero);
  }
}

// A value known only to within an uncertainty: each case worked out by hand, as the most
// digits whose rounding error plus the uncertainty stays within half a unit of the last.
TEST(FormatNumber, WithAnUncertaintyShowsOnlyTheDigitsThatAreTrue) {
  struct Case {
    double value, uncertainty;
    const char* text;
  };
  const Case cases[] = {
      {0.4400505857, 4e-15, "0.440051"},
      {-0.0339957, 1e-13, "-0.0339957"},
      {1.234567e-12, 4e-15, "1.2e-12"},
      {123.456789, 0.004, "123.5"},
      {0.0012345, 3e-6, "0.0012"},
      // A value within its uncertainty of 0 is 0, unsigned, with the decimals that are true.
      {6.14557e-17, 4e-15, "0.00000"},
      {-6.1e-17, 4e-15, "0.00000"},
      {3e-5, 4e-5, "0.000"},
      {0.0, 0.04, "0.0"},
      {0.0, 0.3, "0"},  // not even the first decimal is true
  };
  for (const Case& c : cases)
    EXPECT_EQ(format_number(c.value, c.uncertainty), c.text) << c.value << " +- " << c.uncertainty;
}

// A deviation lies below +50 cents and must never read as +50: six digits, or as many more
// as it takes (each text the shortest rounding of its value that stays below 50).
TEST(FormatNumber, BelowABoundNeverReadsAsTheBound) {
  const TextCase cases[] = {
      {19.5622, "19.5622"},
      {-50.0, "-50.0000"},
      {0.0, "0.00000"},
      {49.99994, "49.9999"},
      {49.99996, "49.99996"},
      {49.99999998, "49.99999998"},
      {49.99999999999999, "49.99999999999999"},
  };
  for (const TextCase& c : cases)
    EXPECT_EQ(format_number_below(c.value, 50.0), c.text) << c.value;
}

// Sums next to a six-digit tie, whose nearest double may lie across it (the tools' own
// cases are in formats_e2e_test): each text is the exact sum of the doubles (Python's
// decimal module) rounded to six digits.
TEST(FormatNumber, AnExactSumIsRoundedAsItsDigitsAre) {
  struct Case {
    double value;
    std::array<double, 3> terms;  // unused ones 0
    int power_of_ten;
    std::string text;
  };
  const Case cases[] = {
      {-1000.0 - 0.005, {-1000.0, -0.005}, 0, "-1000.01"},      // -1000.00500000000000000010
      {2.000005 / 1000, {2.000005}, -3, "0.00200000"},          // 0.00200000499999999998
      {999999.5, {999999.0, 0.5, 1e-12}, 0, "1.00000e+06"},     // carried into a new decade
      {0.1 + 0.2, {0.1, 0.2}, 0, "0.300000"},                   // no tie near
      {123456.5, {123456.0, 0.5}, 0, format_number(123456.5)},  // on the tie itself
  };
  for (const Case& c : cases) {
    const auto& [a, b, c3] = c.terms;
    EXPECT_EQ(format_exact_sum(c.value, {a, b, c3}, c.power_of_ten), c.text) << c.value;
  }
}

}  // namespace
}  // namespace quesdral::cli
