#include "acoustics/space_time.hpp"

#include <cmath>

#include "acoustics/extended_precision.hpp"

namespace quesdral::acoustics {

BandPass band_pass(double low_cutoff_hz, double high_cutoff_hz) {
  BandPass band{};
  // Each form below avoids an intermediate that could overflow or underflow when the
  // cut-offs lie near the ends of the double range (LOW * HIGH, LOW + HIGH, HIGH / LOW).
  band.centre_hz = std::sqrt(low_cutoff_hz) * std::sqrt(high_cutoff_hz);
  band.bandwidth_hz = high_cutoff_hz - low_cutoff_hz;
  band.quality_factor = band.centre_hz / band.bandwidth_hz;
  // From the exact ratio, so that a narrow band's width in octaves keeps its digits.
  const Twelfths twelfths = log2_ratio_in_twelfths(high_cutoff_hz, low_cutoff_hz);
  band.bandwidth_octaves = to_double(
      divide(add({static_cast<double>(twelfths.whole), 0.0}, twelfths.fraction), {12.0, 0.0}));
  band.arithmetic_mean_hz = low_cutoff_hz + band.bandwidth_hz / 2.0;
  return band;
}

std::optional<double> speed_of_sound_m_per_s(double temperature_c) {
  if (!(temperature_c >= kMinTemperatureC && temperature_c <= kMaxTemperatureC))
    return std::nullopt;
  return 331.3 * std::sqrt(1.0 + temperature_c / -kAbsoluteZeroC);
}

double echo_interval_s(double distance_m, double speed_of_sound_m_per_s) {
  return distance_m / speed_of_sound_m_per_s * 2.0;
}

std::optional<DopplerShift> doppler_shift(double frequency_hz, double source_speed_m_per_s,
                                          double listener_speed_m_per_s,
                                          double speed_of_sound_m_per_s) {
  const double closing_m_per_s = speed_of_sound_m_per_s - source_speed_m_per_s;
  // observed / emitted - 1, formed directly so that a small shift keeps its precision
  // instead of being the difference of two nearly equal numbers.
  const double relative_shift = (listener_speed_m_per_s + source_speed_m_per_s) / closing_m_per_s;
  DopplerShift shift{};
  shift.shift_hz = frequency_hz * relative_shift;
  if (relative_shift < -0.5) {
    // Far below the emitted frequency, 1 + relative_shift would cancel; the plain ratio
    // keeps its precision there.
    const double ratio = (speed_of_sound_m_per_s + listener_speed_m_per_s) / closing_m_per_s;
    shift.observed_hz = frequency_hz * ratio;
    shift.shift_cents = 1200.0 * std::log2(ratio);
  } else {
    shift.observed_hz = frequency_hz + shift.shift_hz;
    shift.shift_cents = 1200.0 * std::log1p(relative_shift) / std::log(2.0);
  }
  if (!std::isnormal(shift.observed_hz) || shift.observed_hz < 0.0 ||
      !std::isfinite(shift.shift_hz) || !std::isfinite(shift.shift_cents)) {
    return std::nullopt;
  }
  return shift;
}

}  // namespace quesdral::acoustics
