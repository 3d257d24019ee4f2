#include "acoustics/levels.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "acoustics/extended_precision.hpp"

namespace quesdral::acoustics {
namespace {

// Below this share of the change, a level at a distance is the rounding noise of the change,
// not a level: the change is known to about 1e-30 of itself.
constexpr double kCancellationNoise = 1e-22;

// decibels_per_decade * log10(numerator / denominator), about 30 digits of it.
DoubleDouble decibels(double numerator, double denominator, double decibels_per_decade) {
  const Twelfths twelfths = log2_ratio_in_twelfths(numerator, denominator);
  const DoubleDouble in_octaves =
      divide(add({static_cast<double>(twelfths.whole), 0.0}, twelfths.fraction), {12.0, 0.0});
  return multiply(multiply(in_octaves, kLog10Of2), {decibels_per_decade, 0.0});
}

// Finite and not so close to 0 that digits were lost (subnormal) or all of them (0).
bool is_normal_finite(double value) {
  return std::isfinite(value) && std::fabs(value) >= std::numeric_limits<double>::min();
}

// reference * 10^exponent. When the power of ten alone overflows or underflows although
// the product would not (a tiny reference with a high level), the reference's magnitude is
// folded into the exponent instead; the direct product is kept otherwise, being the more
// precise of the two.
double scaled_power_of_ten(double reference, double exponent) {
  const double power = std::pow(10.0, exponent);
  const double direct = reference * power;
  if (is_normal_finite(power) && is_normal_finite(direct))
    return direct;
  return std::pow(10.0, std::log10(reference) + exponent);
}

}  // namespace

double level_db_from_amplitude(double amplitude, double reference) {
  return to_double(decibels(std::fabs(amplitude), reference, 20.0));
}

double amplitude_from_level_db(double level_db, double reference) {
  return scaled_power_of_ten(reference, level_db / 20);
}

long long full_scale(int bits) {
  return 1LL << (bits - 1);
}

double level_dbfs_from_sample(double sample, int bits) {
  return level_db_from_amplitude(sample, static_cast<double>(full_scale(bits)));
}

double amplitude_from_level_dbfs(double level_dbfs, int bits) {
  return scaled_power_of_ten(static_cast<double>(full_scale(bits)), level_dbfs / 20);
}

long long largest_code(int bits) {
  return full_scale(bits) - 1;
}

SampleCode nearest_sample(double amplitude, int bits) {
  const long long nearest = std::llround(amplitude);
  SampleCode code;
  code.value = std::clamp(nearest, -full_scale(bits), largest_code(bits));
  code.clipped = code.value != nearest;
  return code;
}

double level_db_from_power(double power_w, double reference_w) {
  return to_double(decibels(power_w, reference_w, 10.0));
}

double power_w_from_level_db(double level_db, double reference_w) {
  return scaled_power_of_ten(reference_w, level_db / 10);
}

double level_change_db_with_distance(double distance_1, double distance_2) {
  return to_double(decibels(distance_1, distance_2, 20.0));
}

double level_db_at_distance(double level_db, double distance_1, double distance_2) {
  const DoubleDouble change_db = decibels(distance_1, distance_2, 20.0);
  const DoubleDouble sum_db = add({level_db, 0.0}, change_db);
  if (std::fabs(sum_db.hi) <= kCancellationNoise * std::fabs(change_db.hi))
    return 0.0;
  return to_double(sum_db);
}

}  // namespace quesdral::acoustics
