#include "acoustics/spectra.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "acoustics/bessel.hpp"
#include "acoustics/exact_decimal.hpp"
#include "acoustics/extended_precision.hpp"

namespace quesdral::acoustics {
namespace {

constexpr double kCentsPerOctave = 1200.0;

// The frequency of sideband `order`, carrier_hz + order * modulator_hz of the doubles as they
// are, or exactly 0 Hz when that is its frequency as typed.
struct SidebandFrequency {
  double hz = 0.0;  // signed: below 0 for a reflected sideband
  bool at_zero = false;
};

// Whether carrier_hz is exactly `multiple` times modulator_hz as typed. The doubles of
// decimals rarely cancel exactly (0.3 - 3 * 0.1 is -2.8e-17), but the decimals do.
// REQUIRES: 1 <= multiple <= 100.
bool is_typed_multiple(double carrier_hz, double modulator_hz, int multiple) {
  const Decimal carrier = typed_decimal(carrier_hz);
  Decimal product = typed_decimal(modulator_hz);
  // At most 17 digits times 100: below 10^19, within 64 bits.
  product.digits *= static_cast<std::uint64_t>(multiple);
  while (product.digits % 10 == 0 && product.digits != 0) {
    product.digits /= 10;
    ++product.exponent;
  }
  return carrier.digits == product.digits && carrier.exponent == product.exponent &&
         carrier.negative == product.negative;
}

void strip_trailing_zeros(Decimal& decimal) {
  while (decimal.digits % 10 == 0 && decimal.digits != 0) {
    decimal.digits /= 10;
    ++decimal.exponent;
  }
}

// Whether twice carrier_hz is exactly `multiple` times modulator_hz as typed: then the
// sidebands k and -multiple - k lie on one frequency, one of them reflected onto the other.
// REQUIRES: 1 <= multiple <= 200; both values above 0.
bool is_typed_half_multiple(double carrier_hz, double modulator_hz, int multiple) {
  Decimal twice = typed_decimal(carrier_hz);
  twice.digits *= 2;  // at most 2 * 10^17
  Decimal product = typed_decimal(modulator_hz);
  const auto factor = static_cast<std::uint64_t>(multiple);
  if (product.digits > UINT64_MAX / factor) {
    // A product beyond 64 bits exceeds 1.8e19, while twice the carrier's digits stay below
    // 2e17: they can be equal only if the product ends in at least two zeros, so divide
    // those out of the factors first.
    std::uint64_t common = 1;
    for (std::uint64_t f : {2u, 2u, 5u, 5u}) {
      if ((factor / common) % f == 0)
        common *= f;
    }
    const std::uint64_t rest = 100 / common;
    if (product.digits % rest != 0)
      return false;
    product.digits = product.digits / rest * (factor / common);
    product.exponent += 2;
  } else {
    product.digits *= factor;
  }
  strip_trailing_zeros(twice);
  strip_trailing_zeros(product);
  return twice.digits == product.digits && twice.exponent == product.exponent;
}

SidebandFrequency sideband_frequency(double carrier_hz, double modulator_hz, int order) {
  SidebandFrequency sideband;
  const double offset_hz = order * modulator_hz;
  if (std::fabs(offset_hz) >= carrier_hz / 4.0 && std::fabs(offset_hz) <= carrier_hz * 4.0) {
    // Terms this close may cancel: their exact sum, scaled to the carrier's octave so that
    // no part of it under- or overflows, rounded once.
    const int octave = std::ilogb(carrier_hz);
    const DoubleDouble sum = add({std::ldexp(carrier_hz, -octave), 0.0},
                                 two_product(order, std::ldexp(modulator_hz, -octave)));
    sideband.hz = std::ldexp(to_double(sum), octave);
  } else {
    sideband.hz = carrier_hz + offset_hz;
  }
  sideband.at_zero =
      sideband.hz == 0.0 || (order < 0 && is_typed_multiple(carrier_hz, modulator_hz, -order));
  if (sideband.at_zero)
    sideband.hz = 0.0;
  return sideband;
}

}  // namespace

std::vector<Harmonic> harmonic_series(double fundamental_hz, int count, double a4_hz) {
  std::vector<Harmonic> harmonics;
  harmonics.reserve(static_cast<std::size_t>(count));
  for (int n = 1; n <= count; ++n) {
    Harmonic harmonic;
    harmonic.number = n;
    harmonic.frequency_hz = n * fundamental_hz;
    harmonic.note = nearest_note_to_multiple(fundamental_hz, n, a4_hz);
    harmonics.push_back(harmonic);
  }
  return harmonics;
}

AmSidebands am_sidebands(double carrier_hz, double modulator_hz, double depth) {
  AmSidebands sidebands;
  const SidebandFrequency lower = sideband_frequency(carrier_hz, modulator_hz, -1);
  sidebands.lower_hz = std::fabs(lower.hz);
  sidebands.lower_reflected = lower.hz < 0.0;
  sidebands.lower_dc = lower.at_zero;
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
    const SidebandFrequency sideband = sideband_frequency(carrier_hz, modulator_hz, k);
    // J_{-k} = (-1)^k J_k.
    double amplitude = (k < 0 && order % 2 == 1) ? -bessel[order] : bessel[order];
    FmComponent component;
    component.order = k;
    component.reflected = sideband.hz < 0.0;
    component.silent = sideband.at_zero;
    if (component.reflected)
      amplitude = -amplitude;
    component.frequency_hz = std::fabs(sideband.hz);
    component.amplitude = component.silent ? 0.0 : amplitude;
    component.amplitude_uncertainty =
        component.silent ? 0.0 : bessel_j_uncertainty(std::abs(k), index, amplitude);
    components.push_back(component);
  }
  return components;
}

std::vector<HeardComponent> heard_spectrum(const std::vector<FmComponent>& components,
                                           double carrier_hz, double modulator_hz) {
  // A reflected sideband k meets sideband j when -(fc + k fm) = fc + j fm, that is when
  // 2 fc = -(k + j) fm: only one sum k + j can do so, decided on the values as typed.
  int meeting_sum = 0;  // -(k + j), or 0 when no two components meet
  const int count = static_cast<int>(components.size() / 2);
  for (int multiple = 1; multiple <= 2 * count && meeting_sum == 0; ++multiple) {
    if (is_typed_half_multiple(carrier_hz, modulator_hz, multiple))
      meeting_sum = multiple;
  }
  std::vector<HeardComponent> heard;
  // A reflected sideband comes before its partner (a lower k), which it marks as merged.
  std::vector<bool> merged(components.size(), false);
  for (std::size_t i = 0; i < components.size(); ++i) {
    const FmComponent& component = components[i];
    if (component.silent || merged[i])
      continue;
    HeardComponent line{component.frequency_hz,
                        component.amplitude,
                        component.amplitude_uncertainty,
                        {component.order}};
    const int partner = -meeting_sum - component.order;
    if (meeting_sum != 0 && component.reflected && partner != component.order &&
        std::abs(partner) <= count) {
      const auto j = static_cast<std::size_t>(partner + count);
      if (!components[j].reflected && !components[j].silent) {
        merged[j] = true;
        line.frequency_hz = components[j].frequency_hz;  // the unreflected one's, exact
        line.amplitude += components[j].amplitude;
        line.amplitude_uncertainty += components[j].amplitude_uncertainty;
        line.orders.push_back(partner);
      }
    }
    heard.push_back(line);
  }
  std::stable_sort(heard.begin(), heard.end(),
                   [](const HeardComponent& a, const HeardComponent& b) {
                     return a.frequency_hz < b.frequency_hz;
                   });
  return heard;
}

int default_fm_sideband_count(double index) {
  return std::min(static_cast<int>(std::floor(index)) + 2, kMaxBesselOrder);
}

double carson_bandwidth_hz(double index, double modulator_hz) {
  // Unmodulated, the carrier is a pure sine: no band at all.
  if (index == 0.0)
    return 0.0;
  return 2.0 * (index + 1.0) * modulator_hz;
}

std::vector<EqualStep> equal_divisions(int divisions, double start_hz, double a4_hz) {
  std::vector<EqualStep> steps;
  steps.reserve(static_cast<std::size_t>(divisions) + 1);
  for (int k = 0; k <= divisions; ++k) {
    EqualStep step;
    step.step = k;
    step.ratio = std::exp2(static_cast<double>(k) / divisions);
    step.frequency_hz = start_hz * step.ratio;
    // Multiplying before dividing keeps whole numbers of cents exact (12 divisions: 100, 200).
    step.cents = k * kCentsPerOctave / divisions;
    step.note = nearest_note_to_step(start_hz, k, divisions, a4_hz);
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
