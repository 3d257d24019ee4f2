// Computations of sound in space and time: the band of a band-pass filter, the speed of
// sound in air, the interval between echoes, and the Doppler shift.
//
// Conventions: frequencies in hertz, distances in metres, speeds in metres per second,
// temperatures in degrees Celsius, times in seconds. Speeds in the Doppler shift are
// measured along the line between source and listener, positive when moving toward the
// other. The Doppler shift, whose result may not be representable (it would overflow, or
// vanish where the true value is not 0), returns an empty optional instead of a nan or inf.
#pragma once

#include <optional>

namespace quesdral::acoustics {

// The temperature at which air would carry no sound: absolute zero in degrees Celsius.
inline constexpr double kAbsoluteZeroC = -273.15;

// The air temperatures the speed of sound is computed for. The formula is for air, and
// outside this range its answer would be about no air a user means.
inline constexpr double kMinTemperatureC = -100.0;
inline constexpr double kMaxTemperatureC = 200.0;

// The band between two cut-off frequencies, described five ways.
struct BandPass {
  double centre_hz;           // geometric mean of the cut-offs
  double bandwidth_hz;        // HIGH - LOW
  double quality_factor;      // centre / bandwidth
  double bandwidth_octaves;   // log2(HIGH / LOW), all six digits of it however narrow the band
  double arithmetic_mean_hz;  // (LOW + HIGH) / 2, for comparison with the centre
};

// The band between low_cutoff_hz and high_cutoff_hz. Every field is finite for every
// valid pair, however far apart or close together the cut-offs are.
// REQUIRES: 0 < low_cutoff_hz < high_cutoff_hz, both finite.
BandPass band_pass(double low_cutoff_hz, double high_cutoff_hz);

// The speed of sound in air at temperature_c: 331.3 * sqrt(1 + T / 273.15) m/s.
// Empty when the temperature is not from kMinTemperatureC to kMaxTemperatureC.
std::optional<double> speed_of_sound_m_per_s(double temperature_c);

// The time between successive echoes across distance_m (a source and a reflecting
// surface, or two parallel walls): 2 * distance / c. May overflow to infinity or vanish for
// extreme inputs; callers that show it check.
// REQUIRES: distance_m > 0 and speed_of_sound_m_per_s > 0, both finite.
double echo_interval_s(double distance_m, double speed_of_sound_m_per_s);

// What a moving listener hears of a moving source.
struct DopplerShift {
  double observed_hz;  // frequency * (c + listener speed) / (c - source speed)
  double shift_hz;     // observed - emitted
  double shift_cents;  // 1200 log2(observed / emitted)
};

// The Doppler shift of frequency_hz. Empty when the observed frequency would overflow or
// sink below the normal double range (a source just below the speed of sound, a listener
// receding at almost that speed).
// REQUIRES: frequency_hz > 0, |source_speed| < c, listener_speed > -c, c > 0, all finite.
std::optional<DopplerShift> doppler_shift(double frequency_hz, double source_speed_m_per_s,
                                          double listener_speed_m_per_s,
                                          double speed_of_sound_m_per_s);

}  // namespace quesdral::acoustics
