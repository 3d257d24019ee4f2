// Spectra: the partials of periodic and modulated tones, equal divisions of the octave, and
// beats between two tones.
//
// Frequencies are in Hz and amplitudes relative to the carrier (or the unmodulated carrier)
// as plain ratios. A component whose arithmetic frequency falls below 0 Hz is "reflected": it
// is heard at the absolute value of that frequency, and since sin(-x) = -sin(x) a sine
// component changes sign when it is folded over. Results may overflow to infinity for
// extreme inputs; callers that show them check with std::isfinite.
#pragma once

#include <vector>

#include "acoustics/pitch.hpp"

namespace quesdral::acoustics {

// One partial of a harmonic series.
struct Harmonic {
  int number = 0;             // harmonic number n, 1 for the fundamental
  double frequency_hz = 0.0;  // n times the fundamental
  NearestNote note;           // with A4 at a4_hz
};

// Harmonics 1 to count of fundamental_hz, their notes named with A4 tuned to a4_hz.
// REQUIRES: fundamental_hz > 0, count >= 1, a4_hz > 0.
std::vector<Harmonic> harmonic_series(double fundamental_hz, int count,
                                      double a4_hz = kStandardA4Hz);

// The two sidebands of amplitude modulation, (1 + depth cos(2 pi fm t)) cos(2 pi fc t).
struct AmSidebands {
  double lower_hz = 0.0;         // |carrier - modulator|; 0 when they are equal as typed
  bool lower_reflected = false;  // carrier - modulator was below 0 Hz
  bool lower_dc = false;         // carrier and modulator are equal as typed: a constant term
  double upper_hz = 0.0;         // carrier + modulator
  double amplitude = 0.0;        // of each sideband, depth / 2
  double level_db = 0.0;         // of each sideband, 20 log10(depth / 2)
};

// REQUIRES: carrier_hz > 0, modulator_hz > 0, 0 < depth <= 1.
AmSidebands am_sidebands(double carrier_hz, double modulator_hz, double depth);

// One line of a frequency-modulation spectrum, in the sine-phase form
// sin(2 pi fc t + index sin(2 pi fm t)) = sum over k of J_k(index) sin(2 pi (fc + k fm) t).
struct FmComponent {
  int order = 0;              // k: 0 the carrier, negative the lower sidebands
  double frequency_hz = 0.0;  // |fc + k fm|, as heard
  double amplitude = 0.0;     // signed, relative to the unmodulated carrier; 0 when silent
  bool reflected = false;     // fc + k fm was below 0 Hz (amplitude sign inverted for it)
  bool silent = false;        // fc + k fm is 0 Hz, where a sine vanishes
  // How far the amplitude may lie from the exact value (bessel_j_uncertainty); 0 when silent.
  double amplitude_uncertainty = 0.0;
};

// The carrier and sideband pairs 1 to count, ordered by k from -count to +count. A sideband
// is at 0 Hz when the carrier is exactly -k times the modulator as typed (see
// exact_decimal.hpp): fc = 0.3, fm = 0.1, k = -3 is silent although the doubles of 0.3 and
// 0.1 do not cancel, while a sideband 1e-7 Hz from 0 keeps its frequency. Frequencies are
// the exact sums of the doubles, rounded once.
// REQUIRES: carrier_hz > 0, modulator_hz > 0, 0 <= index <= kMaxBesselArgument,
// 1 <= count <= kMaxBesselOrder (see bessel.hpp).
std::vector<FmComponent> fm_spectrum(double carrier_hz, double modulator_hz, double index,
                                     int count);

// One line of a frequency-modulation spectrum as heard: the components that land on one
// frequency (a reflected sideband on the carrier or on another sideband), summed.
struct HeardComponent {
  double frequency_hz = 0.0;
  double amplitude = 0.0;              // the signed sum of the components' amplitudes
  double amplitude_uncertainty = 0.0;  // the sum of theirs
  std::vector<int> orders;             // the orders k summed, in the order of fm_spectrum
};

// The components of fm_spectrum(carrier_hz, modulator_hz, ...) as heard, in order of
// frequency (equal frequencies in order of k); a silent one is left out. Two components meet
// when their frequencies are equal as typed (2 fc = m fm for a whole m, decided on the
// decimals as typed, as a sideband at 0 Hz is), never within a tolerance.
// REQUIRES: components is fm_spectrum(carrier_hz, modulator_hz, index, count) for some
// index and count.
std::vector<HeardComponent> heard_spectrum(const std::vector<FmComponent>& components,
                                           double carrier_hz, double modulator_hz);

// How many sideband pairs to list when the caller does not say: floor(index) + 2, which
// covers the significant ones, but no more than the orders available (kMaxBesselOrder).
// REQUIRES: 0 <= index <= kMaxBesselArgument.
int default_fm_sideband_count(double index);

// Bandwidth holding about 98% of the power of an FM signal (Carson's rule):
// 2 (index + 1) modulator_hz; 0 when index is 0 (an unmodulated carrier is a pure sine).
double carson_bandwidth_hz(double index, double modulator_hz);

// One step of an equal division of the octave.
struct EqualStep {
  int step = 0;               // k, from 0 to the number of divisions
  double frequency_hz = 0.0;  // start * 2^(k / divisions)
  double ratio = 1.0;         // 2^(k / divisions)
  double cents = 0.0;         // k * 1200 / divisions, from the start
  NearestNote note;           // nearest 12-tone note with A4 at a4_hz
};

// Steps 0 to divisions of the octave above start_hz, their notes with A4 tuned to a4_hz.
// REQUIRES: divisions >= 1, start_hz > 0, a4_hz > 0.
std::vector<EqualStep> equal_divisions(int divisions, double start_hz,
                                       double a4_hz = kStandardA4Hz);

// Middle C (MIDI 60) with A4 at 440 Hz, 261.6255653 Hz.
double middle_c_hz();

// The beating of two sine waves.
struct Beats {
  double frequency_hz = 0.0;  // |f1 - f2|
  bool beating = false;       // false when the frequencies are equal
  double period_s = 0.0;      // 1 / |f1 - f2| when beating
};

// REQUIRES: both frequencies > 0.
Beats beats(double frequency_1_hz, double frequency_2_hz);

}  // namespace quesdral::acoustics
