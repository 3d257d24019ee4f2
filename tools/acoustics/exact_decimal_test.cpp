// Reference values: the typed decimals are what a user types for each double; the whole
// numbers are checked by identities that hold exactly (worked out by hand, with carries and
// borrows across every 32-bit limb).
#include "acoustics/exact_decimal.hpp"

#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

namespace quesdral::acoustics {
namespace {

TEST(TypedDecimal, RecoversWhatWasTyped) {
  struct Case {
    double value;
    bool negative;
    std::uint64_t digits;
    int exponent;
  };
  const Case cases[] = {
      {0.3, false, 3, -1},  // not the double's 0.29999999999999998889...
      {496.95, false, 49695, -2},
      {100.0, false, 1, 2},
      {-2.5e-10, true, 25, -11},
      {1e300, false, 1, 300},
      {0.1 + 0.2, false, 30000000000000004, -17},
      {1.2345678901234568e20, false, 12345678901234568, 4},
      {5e-324, false, 5, -324},
      {std::numeric_limits<double>::max(), false, 17976931348623157, 292},
      {0.0, false, 0, 0},
      {-0.0, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const Decimal decimal = typed_decimal(c.value);
    EXPECT_EQ(decimal.negative, c.negative);
    EXPECT_EQ(decimal.digits, c.digits);
    EXPECT_EQ(decimal.exponent, c.exponent);
  }
}

BigNatural power_of_ten(int power) {
  return BigNatural(1).scale_by_power_of_ten(power);
}

TEST(BigNatural, IdentitiesAcrossLimbs) {
  const BigNatural max64(std::numeric_limits<std::uint64_t>::max());
  const BigNatural two_to_32(std::uint64_t{1} << 32);
  BigNatural ten_to_20_plus_1 = power_of_ten(20) + BigNatural(1);
  BigNatural ten_to_20_minus_1 = power_of_ten(20);
  ten_to_20_minus_1 -= BigNatural(1);
  BigNatural ten_to_40_minus_1 = power_of_ten(40);
  ten_to_40_minus_1 -= BigNatural(1);
  struct Case {
    const char* identity;
    BigNatural left, right;
  };
  const Case cases[] = {
      // (2^64 - 1)^2 + 2 (2^64 - 1) + 1 = 2^128.
      {"(2^64 - 1)^2 + 2 (2^64 - 1) + 1 = 2^128", max64 * max64 + max64 + max64 + BigNatural(1),
       two_to_32 * two_to_32 * two_to_32 * two_to_32},
      {"(10^20 - 1)(10^20 + 1) = 10^40 - 1", ten_to_20_minus_1 * ten_to_20_plus_1,
       ten_to_40_minus_1},
      {"10^27 = 10^9 * 10^9 * 10^9", power_of_ten(27),
       BigNatural(1000000000) * BigNatural(1000000000) * BigNatural(1000000000)},
      {"3 * 10^5 = 300000", BigNatural(3).scale_by_power_of_ten(5), BigNatural(300000)},
      {"x * 0 = 0", max64 * BigNatural(0), BigNatural(0)},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(c.left == c.right) << c.identity;
}

TEST(BigNatural, OrdersByValue) {
  BigNatural just_below = power_of_ten(40);
  just_below -= BigNatural(1);
  const BigNatural pairs[][2] = {
      {BigNatural(0), BigNatural(1)},
      {BigNatural(std::numeric_limits<std::uint64_t>::max()), power_of_ten(20)},
      {just_below, power_of_ten(40)},
      {BigNatural(std::uint64_t{1} << 32), BigNatural((std::uint64_t{1} << 32) + 1)},
  };
  for (const auto& pair : pairs) {
    EXPECT_TRUE(pair[0] < pair[1]);
    EXPECT_FALSE(pair[1] < pair[0]);
    EXPECT_TRUE(pair[0] <= pair[0]);
    EXPECT_EQ(pair[0].compare(pair[1]), -1);
    EXPECT_EQ(pair[1].compare(pair[0]), 1);
  }
}

}  // namespace
}  // namespace quesdral::acoustics
