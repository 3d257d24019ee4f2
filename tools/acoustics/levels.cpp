#include "acoustics/levels.hpp"

#include <cmath>
#include <limits>

namespace quesdral::acoustics {
namespace {

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
  return 20 * (std::log10(std::fabs(amplitude)) - std::log10(reference));
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

long long nearest_sample(double amplitude) {
  return std::llround(amplitude);
}

double level_db_from_power(double power_w, double reference_w) {
  return 10 * (std::log10(power_w) - std::log10(reference_w));
}

double power_w_from_level_db(double level_db, double reference_w) {
  return scaled_power_of_ten(reference_w, level_db / 10);
}

double level_change_db_with_distance(double distance_1, double distance_2) {
  return -20 * (std::log10(distance_2) - std::log10(distance_1));
}

}  // namespace quesdral::acoustics
