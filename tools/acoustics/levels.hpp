// Levels: conversions between amplitudes or powers and their levels in decibels.
//
// Amplitude ratios (pressure, voltage, sample values) use 20 log10, power ratios 10 log10.
// Digital levels are in dBFS, relative to the full scale of a signed integer sample of a given
// bit depth, 2^(bits - 1): the most negative sample of that depth is exactly 0 dBFS. Levels
// are computed to about 30 digits from the exact ratio (see extended_precision.hpp), so that
// every level keeps its six digits: of operands far apart in magnitude (1e-300 against
// 1e300) as of nearly equal ones (a level a hair from 0 dB), and equal operands give exactly
// 0 dB.
#pragma once

namespace quesdral::acoustics {

// The smallest and largest bit depths handled: 2^(bits - 1) stays exact in every integer
// type we use, and a 32-bit sample's full scale exceeds INT_MAX.
constexpr int kMinBits = 2;
constexpr int kMaxBits = 32;

// 20 log10(|amplitude| / reference) in dB; the sign of the amplitude is ignored.
// REQUIRES: amplitude != 0, reference > 0, both finite. The result is always finite.
double level_db_from_amplitude(double amplitude, double reference);

// Named reference amplitudes. Each stands for the double nearest to it, as if typed: a level
// against "SPL" is the level against 20e-6 given as a number.
constexpr double kSplReferencePa = 20e-6;              // sound pressure levels, dB SPL
constexpr double kDbuReferenceV = 0.7745966692414834;  // sqrt(0.6) V: 1 mW in 600 ohms, dBu
constexpr double kDbvReferenceV = 1.0;                 // dBV

// reference * 10^(level_db / 20). May overflow to infinity or underflow to 0 for extreme
// inputs; callers that show it check it.
// REQUIRES: reference > 0, both finite.
double amplitude_from_level_db(double level_db, double reference);

// 2^(bits - 1), the magnitude of the most negative sample; exact.
// REQUIRES: kMinBits <= bits <= kMaxBits.
long long full_scale(int bits);

// 20 log10(|sample| / full_scale(bits)) in dBFS.
// REQUIRES: sample != 0 and finite, kMinBits <= bits <= kMaxBits.
double level_dbfs_from_sample(double sample, int bits);

// full_scale(bits) * 10^(level_dbfs / 20). Underflows to 0 for very low levels.
// REQUIRES: level_dbfs <= 0 and finite, kMinBits <= bits <= kMaxBits.
double amplitude_from_level_dbfs(double level_dbfs, int bits);

// The sample codes of a bit depth run from -full_scale(bits) to largest_code(bits) =
// full_scale(bits) - 1: a signed integer has one more negative value than positive ones.
// REQUIRES: kMinBits <= bits <= kMaxBits.
long long largest_code(int bits);

// The sample code nearest to an amplitude.
struct SampleCode {
  long long value = 0;   // within -full_scale(bits) to largest_code(bits)
  bool clipped = false;  // the nearest whole number lay beyond those codes
};

// The whole number nearest to amplitude, halves rounded away from zero, clipped to the
// codes of the bit depth (full scale itself, 0 dBFS upwards, becomes the largest code).
// REQUIRES: |amplitude| <= 2^62; kMinBits <= bits <= kMaxBits.
SampleCode nearest_sample(double amplitude, int bits);

// 10 log10(power_w / reference_w) in dB re reference_w.
// REQUIRES: power_w > 0, reference_w > 0, both finite. The result is always finite.
double level_db_from_power(double power_w, double reference_w);

// reference_w * 10^(level_db / 10) in W. May overflow or underflow for extreme inputs.
// REQUIRES: reference_w > 0, both finite.
double power_w_from_level_db(double level_db, double reference_w);

// The change of level from distance_1 to distance_2 from a point source in a free field,
// -20 log10(distance_2 / distance_1) dB: -6.02 dB for each doubling of the distance.
// REQUIRES: both distances > 0 and finite, in the same unit.
double level_change_db_with_distance(double distance_1, double distance_2);

// The level at distance_2 of a point source that has level_db at distance_1:
// level_db + level_change_db_with_distance(distance_1, distance_2), summed without losing
// the digits of a result near 0 dB. A sum below 1e-22 times the change (beneath the
// precision of the computation; at most about 1e-18 dB) is exactly 0.
// REQUIRES: level_db finite; both distances > 0 and finite, in the same unit.
double level_db_at_distance(double level_db, double distance_1, double distance_2);

}  // namespace quesdral::acoustics
