#include "acoustics/spectra.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "acoustics/bessel.hpp"

namespace quesdral::acoustics {
namespace {

constexpr double kCentsPerOctave = 1200.0;

// fc - k fm of decimal inputs rarely cancels exactly in binary (0.3 - 3 * 0.1 is -2.8e-17);
// a result this close to 0 relative to its terms is the 0 Hz the user meant.
constexpr double kZeroFrequencyTolerance = 1e-12;

}  // namespace

std::vector<Harmonic> harmonic_series(double fundamental_hz, int count) {
  std::vector<Harmonic> harmonics;
  harmonics.reserve(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n) {
    Harmonic harmonic;
    harmonic.number = n;
    harmonic.frequency_hz = n * fundamental_hz;
    harmonic.note = nearest_note_to_multiple(fundamental_hz, n);
    harmonics.push_back(harmonic);
  }
  return harmonics;
}

AmSidebands am_sidebands(double carrier_hz, double modulator_hz, double depth) {
  AmSidebands sidebands;
  const double lower_hz = carrier_hz - modulator_hz;
  sidebands.lower_hz = std::fabs(lower_hz);
  sidebands.lower_reflected = lower_hz < 0.0;
  sidebands.upper_hz = carrier_hz + modulator_hz;
  sidebands.amplitude = depth / 2.0;
  sidebands.level_db = 20.0 * std::log10(sidebands.amplitude);
  return sidebands;
}

std::vector<FmComponent> fm_spectrum(double carrier_hz, double modulator_hz, double index,
                                     int count) {
  const std::vector<double> bessel = bessel_j_orders(count, index);
  std::vector<FmComponent> components;
  components.reserve(2 * static_cast<std::size_t>(count) + 1);
  for (int k = -count; k <= count; ++k) {
    const auto order = static_cast<std::size_t>(std::abs(k));
    const double offset_hz = k * modulator_hz;
    double frequency_hz = carrier_hz + offset_hz;
    if (std::fabs(frequency_hz) <= kZeroFrequencyTolerance * std::fabs(offset_hz)) {
      frequency_hz = 0.0;
    }
    // J_{-k} = (-1)^k J_k.
    double amplitude = (k < 0 && order % 2 == 1) ? -bessel[order] : bessel[order];
    FmComponent component;
    component.order = k;
    component.reflected = frequency_hz < 0.0;
    component.silent = frequency_hz == 0.0;
    if (component.reflected)
      amplitude = -amplitude;
    component.frequency_hz = std::fabs(frequency_hz);
    component.amplitude = component.silent ? 0.0 : amplitude;
    components.push_back(component);
  }
  return components;
}

int default_fm_sideband_count(double index) {
  return std::min(static_cast<int>(std::floor(index)) + 2, kMaxBesselOrder);
}

double carson_bandwidth_hz(double index, double modulator_hz) {
  return 2.0 * (index + 1.0) * modulator_hz;
}

std::vector<EqualStep> equal_divisions(int divisions, double start_hz) {
  std::vector<EqualStep> steps;
  steps.reserve(static_cast<std::size_t>(divisions) + 1);
  for (int k = 0; k <= divisions; ++k) {
    EqualStep step;
    step.step = k;
    step.ratio = std::exp2(static_cast<double>(k) / divisions);
    step.frequency_hz = start_hz * step.ratio;
    // Multiplying before dividing keeps whole numbers of cents exact (12 divisions: 100, 200).
    step.cents = k * kCentsPerOctave / divisions;
    step.note = nearest_note_to_step(start_hz, k, divisions);
    steps.push_back(step);
  }
  return steps;
}

double middle_c_hz() {
  return frequency_from_midi(60.0, kStandardA4Hz);
}

Beats beats(double frequency_1_hz, double frequency_2_hz) {
  Beats result;
  result.frequency_hz = std::fabs(frequency_1_hz - frequency_2_hz);
  result.beating = result.frequency_hz > 0.0;
  if (result.beating)
    result.period_s = 1.0 / result.frequency_hz;
  return result;
}

}  // namespace quesdral::acoustics
