// Reference values: the error-free sums and products are exact sums of powers of two worked
// out by hand; the logarithms were computed with mpmath at 60 digits,
// 12 * log(multiple * mpf(numerator) / mpf(denominator)) / log(2), split into the nearest
// whole number and the rest, the rest written as the two doubles nearest to it.
#include "acoustics/extended_precision.hpp"

#include <cmath>

#include <gtest/gtest.h>

namespace quesdral::acoustics {
namespace {

TEST(ErrorFreeSteps, SumAndProductKeepWhatRoundingDrops) {
  struct Case {
    DoubleDouble result;
    double hi, lo;
  };
  const double a = 1.0 + std::ldexp(1.0, -30);
  const Case cases[] = {
      {two_sum(1.0, 1e-20), 1.0, 1e-20},
      {two_sum(1.0, -1.0), 0.0, 0.0},
      {two_sum(std::ldexp(1.0, 53), 1.0), std::ldexp(1.0, 53), 1.0},
      // (1 + 2^-30)^2 = 1 + 2^-29 + 2^-60.
      {two_product(a, a), 1.0 + std::ldexp(1.0, -29), std::ldexp(1.0, -60)},
      // 3 * 0.1 is 0.3000000000000000166533453693773481063544750213623046875 exactly.
      {two_product(3.0, 0.1), 0.30000000000000004, -2.7755575615628914e-17},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.result.hi, c.hi);
    EXPECT_EQ(c.result.lo, c.lo);
  }
}

TEST(ErrorFreeSteps, ArithmeticCarriesThirtyDigits) {
  // (1 + 2^-60) - 1 is lost in doubles but not in double-doubles; 1/3 * 3 comes back to 1
  // within 1e-32.
  const DoubleDouble tiny = subtract(add({1.0, 0.0}, {std::ldexp(1.0, -60), 0.0}), {1.0, 0.0});
  EXPECT_EQ(to_double(tiny), std::ldexp(1.0, -60));
  const DoubleDouble third = divide({1.0, 0.0}, {3.0, 0.0});
  const DoubleDouble one = multiply(third, {3.0, 0.0});
  EXPECT_LT(std::fabs(one.hi - 1.0 + one.lo), 1e-32);
}

TEST(Log2RatioInTwelfths, MatchesHighPrecisionReferences) {
  struct Case {
    double numerator, denominator;
    int multiple;
    long long whole;
    double fraction_hi, fraction_lo;
  };
  const Case cases[] = {
      {1.0, 1.0, 1, 0, 0.0, 0.0},
      {880.0, 440.0, 1, 12, 0.0, 0.0},
      // The doubles nearest to E5, MIDI 0 and middle C lie a hair from their notes.
      {659.2551138257398, 440.0, 1, 7, -4.942797740633655e-16, 4.3163068732089117e-32},
      {8.175798915643707, 440.0, 1, -69, -7.560153732882507e-16, -2.5772937223421915e-32},
      {261.6255653005986, 440.0, 1, -9, -7.560153732882507e-16, -2.5772937223421915e-32},
      {1.0000000000001e-300, 1e-300, 1, 0, 1.7306436197445537e-12, 5.52221339491854e-29},
      {0.99999999999999989, 1.0, 1, 0, -1.9220559022889508e-15, 6.340101814268392e-32},
      {440.0000001, 440.0, 1, 0, 3.934623723036654e-09, -7.984864159150762e-26},
      {3.0, 2.0, 1, 7, 0.019550008653874178, -2.43835601516254e-19},
      // The product 3 * 146.66666666666666 is taken exactly, not as the double 440.
      {146.66666666666666, 440.0, 3, 0, -1.1182870704226622e-15, 5.475804026623087e-33},
      {1000.0, 1.0, 1000, 239, 0.17882283189008905, 9.930318738016027e-19},
      {1e300, 1e-300, 1, 23918, -0.11771681099109486, 5.462643940694372e-18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << c.multiple << " * " << c.numerator << " / " << c.denominator);
    const Twelfths twelfths = log2_ratio_in_twelfths(c.numerator, c.denominator, c.multiple);
    EXPECT_EQ(twelfths.whole, c.whole);
    const DoubleDouble error = subtract(twelfths.fraction, {c.fraction_hi, c.fraction_lo});
    EXPECT_LE(std::fabs(to_double(error)), 1e-30 * (1.0 + std::fabs(c.fraction_hi)));
  }
}

}  // namespace
}  // namespace quesdral::acoustics
