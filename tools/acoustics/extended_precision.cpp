#include "acoustics/extended_precision.hpp"

#include <cmath>

namespace quesdral::acoustics {
namespace {

// Splits a into two halves of 26 bits each (Veltkamp), so that products of halves are exact.
DoubleDouble split(double a) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double t = kSplitter * a;
  const double hi = t - (t - a);
  return {hi, a - hi};
}

// a + b exactly, when |a| >= |b|.
DoubleDouble quick_two_sum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

DoubleDouble divide_by(DoubleDouble a, double b) {
  return divide(a, {b, 0.0});
}

// 2^(j/12) for j = 0 to 12 as double-doubles (computed at 50 digits); a negative j uses the
// entry of j + 12, halved.
constexpr DoubleDouble kTwelfthRootsOf2[13] = {
    {0x1.0000000000000p+0, 0x0.0p+0},
    {0x1.0f38f92d97963p+0, -0x1.a1a56647daf96p-55},
    {0x1.1f59ac3c7d6c0p+0, -0x1.4a0f1c3f06a03p-55},
    {0x1.306fe0a31b715p+0, 0x1.6f46ad23182e4p-55},
    {0x1.428a2f98d728bp+0, -0x1.ddc22548ea41ep-56},
    {0x1.55b8108f0ec5ep+0, -0x1.b5c8a9cdde60ap-59},
    {0x1.6a09e667f3bcdp+0, -0x1.bdd3413b26456p-54},
    {0x1.7f910d768cfb0p+0, -0x1.92741a46d150ep-56},
    {0x1.965fea53d6e3dp+0, -0x1.f53e999952f09p-54},
    {0x1.ae89f995ad3adp+0, 0x1.7a1cd345dcc81p-54},
    {0x1.c823e074ec129p+0, 0x1.1a8989b3b55eap-54},
    {0x1.e3437e7101344p+0, -0x1.21ad4e80400a1p-54},
    {0x1.0000000000000p+1, 0x0.0p+0},
};

// 12 / ln 2 as a double-double (computed at 50 digits).
constexpr DoubleDouble kTwelveOverLn2{0x1.14ff58be0a23fp+4, -0x1.b9988d0071d89p-50};

// ln(1 + u) for |u| below about 0.03, as 2 atanh(s) with s = u / (2 + u): the odd series
// 2 (s + s^3/3 + s^5/5 + ...) has |s| < 0.015, so ten terms reach 1e-33 of the result.
DoubleDouble log1p_small(DoubleDouble u) {
  const DoubleDouble s = divide(u, add({2.0, 0.0}, u));
  const DoubleDouble s_squared = multiply(s, s);
  constexpr int kTerms = 10;
  DoubleDouble sum = divide_by({1.0, 0.0}, 2.0 * kTerms + 1.0);
  for (int m = kTerms - 1; m >= 0; --m)
    sum = add(multiply(sum, s_squared), divide_by({1.0, 0.0}, 2.0 * m + 1.0));
  return multiply(multiply({2.0, 0.0}, s), sum);
}

// The significand of a positive finite double in [1, 2), and its binary exponent.
double significand(double value, int& exponent) {
  const double half_to_one = std::frexp(value, &exponent);
  exponent -= 1;
  return 2.0 * half_to_one;
}

}  // namespace

DoubleDouble two_sum(double a, double b) {
  const double s = a + b;
  const double b_part = s - a;
  return {s, (a - (s - b_part)) + (b - b_part)};
}

DoubleDouble two_product(double a, double b) {
  const double p = a * b;
  const DoubleDouble x = split(a);
  const DoubleDouble y = split(b);
  return {p, ((x.hi * y.hi - p) + x.hi * y.lo + x.lo * y.hi) + x.lo * y.lo};
}

DoubleDouble add(DoubleDouble a, DoubleDouble b) {
  DoubleDouble s = two_sum(a.hi, b.hi);
  const DoubleDouble t = two_sum(a.lo, b.lo);
  s.lo += t.hi;
  s = quick_two_sum(s.hi, s.lo);
  s.lo += t.lo;
  return quick_two_sum(s.hi, s.lo);
}

DoubleDouble subtract(DoubleDouble a, DoubleDouble b) {
  return add(a, {-b.hi, -b.lo});
}

DoubleDouble multiply(DoubleDouble a, DoubleDouble b) {
  DoubleDouble p = two_product(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return quick_two_sum(p.hi, p.lo);
}

DoubleDouble divide(DoubleDouble a, DoubleDouble b) {
  // Long division: each quotient digit is a double, the remainder kept exactly enough.
  const double q1 = a.hi / b.hi;
  DoubleDouble r = subtract(a, multiply({q1, 0.0}, b));
  const double q2 = r.hi / b.hi;
  r = subtract(r, multiply({q2, 0.0}, b));
  const double q3 = r.hi / b.hi;
  return add(quick_two_sum(q1, q2), {q3, 0.0});
}

Twelfths log2_ratio_in_twelfths(double numerator, double denominator, int multiple) {
  // The ratio is reduced to significands in [1, 2), whose exponents give whole octaves, and
  // then to the nearest twelfth root of 2, c: the rest, x / (c y) - 1, is small and is taken
  // as (x - c y) / (c y), where x - c y cancels exactly, so its logarithm keeps its relative
  // precision down to the exact 0 of an exact ratio.
  int numerator_exponent = 0;
  int denominator_exponent = 0;
  const double y = significand(denominator, denominator_exponent);
  const DoubleDouble product =
      two_product(static_cast<double>(multiple), significand(numerator, numerator_exponent));
  int shift = 0;
  const double x_hi = significand(product.hi, shift);
  const DoubleDouble x{x_hi, std::ldexp(product.lo, -shift)};
  numerator_exponent += shift;

  const int twelfth = static_cast<int>(std::floor(12.0 * std::log2(x.hi / y) + 0.5));  // -12 to 12
  DoubleDouble root = kTwelfthRootsOf2[twelfth < 0 ? twelfth + 12 : twelfth];
  if (twelfth < 0)
    root = {root.hi / 2.0, root.lo / 2.0};
  DoubleDouble root_times_y = two_product(root.hi, y);
  root_times_y = add(root_times_y, {root.lo * y, 0.0});
  const DoubleDouble rest = divide(subtract(x, root_times_y), root_times_y);

  Twelfths result;
  result.whole = 12LL * (numerator_exponent - denominator_exponent) + twelfth;
  result.fraction = multiply(log1p_small(rest), kTwelveOverLn2);
  return result;
}

}  // namespace quesdral::acoustics
