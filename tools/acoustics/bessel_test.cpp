#include "acoustics/bessel.hpp"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace quesdral::acoustics {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Values from the published tables of Bessel functions (Handbook of Mathematical Functions,
// tables 9.1 and 9.4), to the digits shown there.
TEST(Bessel, MatchesPublishedTable) {
  struct Case {
    int order;
    double x;
    double value;
  };
  const Case cases[] = {
      {0, 1.0, 0.7651976866},     {1, 1.0, 0.4400505857},      {5, 1.0, 2.497577302e-4},
      {10, 1.0, 2.630615124e-10}, {50, 1.0, 2.906004948e-80},  {100, 1.0, 8.431828790e-189},
      {0, 10.0, -0.2459357645},   {1, 10.0, 0.04347274617},    {2, 10.0, 0.2546303137},
      {5, 10.0, -0.2340615282},   {10, 10.0, 0.2074861066},    {0, 100.0, 0.01998585030},
      {1, 100.0, -0.07714535201}, {50, 100.0, -0.03869833973}, {100, 100.0, 0.09636667330},
      {20, 2.0, 3.918972805e-19}, {30, 0.5, 3.263356829e-51},  {0, 0.25, 0.9844359293},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "J_" << c.order << "(" << c.x << ")");
    // The tables give ten decimals, or ten significant digits for the small values.
    const double tolerance = std::fabs(c.value) < 1e-3 ? 1e-9 * std::fabs(c.value) : 1e-10;
    EXPECT_NEAR(bessel_j(c.order, c.x), c.value, tolerance);
  }
}

TEST(Bessel, AtZeroOnlyOrderZeroIsNonZero) {
  const std::vector<double> values = bessel_j_orders(kMaxBesselOrder, 0.0);
  EXPECT_EQ(values[0], 1.0);
  for (int k = 1; k <= kMaxBesselOrder; ++k)
    EXPECT_EQ(values[static_cast<std::size_t>(k)], 0.0);
}

// Bessel's integral J_n(x) = (1 / 2 pi) * integral over one period of cos(n t - x sin t):
// for this periodic integrand the rectangle rule converges exponentially once the number of
// points exceeds n + x, so 1024 points give the value to rounding error. An independent
// check over the whole range of orders and arguments, including both sides of the switch
// between the power series and the recurrence near x = 1.
double bessel_by_integral(int order, double x) {
  constexpr int kPoints = 1024;
  double sum = 0.0;
  for (int j = 0; j < kPoints; ++j) {
    const double t = 2.0 * kPi * j / kPoints;
    sum += std::cos(order * t - x * std::sin(t));
  }
  return sum / kPoints;
}

TEST(Bessel, AgreesWithBesselsIntegralOverWholeRange) {
  const double arguments[] = {1e-6, 0.01, 0.5,  0.9999999, 1.0,  1.0000001, 2.5,
                              7.3,  10.0, 33.3, 64.0,      99.9, 100.0};
  for (const double x : arguments) {
    const std::vector<double> values = bessel_j_orders(kMaxBesselOrder, x);
    for (int k = 0; k <= kMaxBesselOrder; ++k) {
      SCOPED_TRACE(::testing::Message() << "J_" << k << "(" << x << ")");
      EXPECT_NEAR(values[static_cast<std::size_t>(k)], bessel_by_integral(k, x), 1e-9);
    }
  }
}

// J_0^2 + 2 (J_1^2 + J_2^2 + ...) = 1; up to x = 60 the orders beyond 100 add under 1e-13.
TEST(Bessel, SquaresSumToOne) {
  for (const double x : {0.3, 1.0, 4.7, 12.0, 25.0, 41.5, 60.0}) {
    const std::vector<double> values = bessel_j_orders(kMaxBesselOrder, x);
    double sum = values[0] * values[0];
    for (std::size_t k = 1; k < values.size(); ++k)
      sum += 2.0 * values[k] * values[k];
    EXPECT_NEAR(sum, 1.0, 1e-12) << "x = " << x;
  }
}

// At the double nearest to a zero of J_k the value is about 1e-16, below the rounding of
// the computation (J_1 comes out with the wrong sign): the uncertainty must cover the error
// and exceed the value, so that no digit of it is shown. References: mpmath at 50 digits,
// besselj(k, mpf(x)) at x = float(besseljzero(k, n)).
TEST(Bessel, UncertaintyCoversTheValueAtAZero) {
  struct Case {
    int order;
    double x, exact;
  };
  const Case cases[] = {
      {0, 2.404825557695773, -6.10876525973673e-17},
      {1, 3.8317059702075125, -6.149807356994906e-17},
      {5, 15.70017407971167, 7.17882058428463e-17},
      {20, 29.961603791625155, -1.3738093636424062e-16},
      {50, 72.19036654401117, -5.762412239048158e-17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "J_" << c.order << "(" << c.x << ")");
    const double value = bessel_j(c.order, c.x);
    const double uncertainty = bessel_j_uncertainty(c.order, c.x, value);
    EXPECT_LE(std::fabs(value - c.exact), uncertainty);
    EXPECT_GT(uncertainty, std::fabs(value) * 10);
  }
  // Away from zeros, and where J falls off steeply, the uncertainty leaves six digits.
  EXPECT_LT(bessel_j_uncertainty(1, 1.0, 0.4400505857), 1e-12);
  EXPECT_LT(bessel_j_uncertainty(100, 1.0, 8.431828790e-189), 1e-200);
}

}  // namespace
}  // namespace quesdral::acoustics
