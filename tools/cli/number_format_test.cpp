#include "cli/number_format.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace quesdral::cli {
namespace {

TEST(FormatNumber, ShowsSixSignificantDigits) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
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
  };
  for (const Case& c : cases)
    EXPECT_EQ(format_number(c.value), c.text) << c.value;
}

TEST(FormatNumber, ShortFormKeepsTypedValuesAsTyped) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
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
  for (const Case& c : cases)
    EXPECT_EQ(format_short(c.value), c.text) << c.value;
}

// A deviation lies below +50 cents and must never read as +50: six digits, or as many more
// as it takes (each text the shortest rounding of its value that stays below 50).
TEST(FormatNumber, BelowABoundNeverReadsAsTheBound) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {19.5622, "19.5622"},
      {-50.0, "-50.0000"},
      {0.0, "0.00000"},
      {49.99994, "49.9999"},
      {49.99996, "49.99996"},
      {49.99999998, "49.99999998"},
      {49.99999999999999, "49.99999999999999"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(format_number_below(c.value, 50.0), c.text) << c.value;
}

}  // namespace
}  // namespace quesdral::cli
