// Arithmetic on a double-double, an unevaluated sum hi + lo of two doubles (|lo| at most half
// a unit in the last place of hi), which carries about 32 significant digits.
//
// A double's 16 digits are not enough where a result is a small difference of large terms:
// the level of two nearly equal amplitudes, the deviation of a pitch just off a note, a
// sideband a hair from 0 Hz. Those few computations run here, so that the result keeps its
// own six digits however much cancels on the way.
//
// The error-free steps (two_sum, two_product) need each operation rounded to double, as every
// build of the suite does (SSE2 on x86, no fused multiply-add contraction).
#pragma once

namespace quesdral::acoustics {

struct DoubleDouble {
  double hi = 0.0;
  double lo = 0.0;
};

// a + b exactly. REQUIRES: a + b finite.
DoubleDouble two_sum(double a, double b);

// a * b exactly. REQUIRES: the product finite and its low part not below the normal range
// (|a * b| above about 1e-291), e.g. factors of moderate magnitude.
DoubleDouble two_product(double a, double b);

DoubleDouble add(DoubleDouble a, DoubleDouble b);
DoubleDouble subtract(DoubleDouble a, DoubleDouble b);
DoubleDouble multiply(DoubleDouble a, DoubleDouble b);
// REQUIRES: b.hi != 0.
DoubleDouble divide(DoubleDouble a, DoubleDouble b);

// The double nearest to hi + lo.
inline double to_double(DoubleDouble value) {
  return value.hi + value.lo;
}

// log2(multiple * numerator / denominator) in twelfths of an octave (equal-tempered
// semitones): a whole number of twelfths and the rest, a fraction within about half a
// twelfth either way. The fraction is within 1e-30 of its exact value, plus 1e-30 of itself:
// a ratio of 1 gives exactly 0, a ratio of 2^(1/12) within 1e-30 of 1 twelfth.
// REQUIRES: numerator > 0, denominator > 0, both finite; 1 <= multiple <= 2^20 (the
// product multiple * numerator is taken exactly, not rounded).
struct Twelfths {
  long long whole = 0;
  DoubleDouble fraction;
};
Twelfths log2_ratio_in_twelfths(double numerator, double denominator, int multiple = 1);

// log10(2) as a double-double.
inline constexpr DoubleDouble kLog10Of2{0x1.34413509f79ffp-2, -0x1.9dc1da994fd21p-59};

}  // namespace quesdral::acoustics
