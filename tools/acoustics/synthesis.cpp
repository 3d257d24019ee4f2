#include "acoustics/synthesis.hpp"

#include <algorithm>
#include <cmath>

#include "acoustics/bessel.hpp"

namespace quesdral::acoustics {
namespace {

constexpr double kTwoPi = 6.283185307179586476925286766559;
constexpr double kFullScale = 32768.0;
constexpr double kLargestCode = 32767.0;
// Sidebands weaker than this, relative to the unmodulated carrier, are below the rounding of
// a 16-bit sample at -1 dBFS and cannot alias audibly.
constexpr double kNegligibleSideband = 1e-5;
// Orders beyond kMaxBesselOrder that may still matter at the largest indices: J_k(x) for
// k > x + 4 x^(1/3) is far below kNegligibleSideband for every x up to 100.
constexpr int kOrdersBeyondTable = 30;

// The fraction of a cycle a wave of `cycles_per_sample` has reached after `n` samples. The
// whole cycles are dropped from the step first, so that long sounds keep their phase to a
// few billionths of a cycle.
double cycle_fraction(double cycles_per_sample, std::size_t n) {
  const double step = cycles_per_sample - std::floor(cycles_per_sample);
  const double cycles = step * static_cast<double>(n);
  return cycles - std::floor(cycles);
}

// The highest sideband order of a modulated partial that is not negligible.
int highest_significant_order(double index) {
  if (index == 0.0)
    return 0;
  const std::vector<double> j = bessel_j_orders(kMaxBesselOrder, index);
  for (int k = static_cast<int>(index) + 1; k <= kMaxBesselOrder; ++k) {
    if (std::fabs(j[static_cast<std::size_t>(k)]) < kNegligibleSideband)
      return k - 1;
  }
  return kMaxBesselOrder + kOrdersBeyondTable;
}

double fade_gain(std::size_t n, std::size_t length) {
  const double fade_samples = kFadeS * kSampleRateHz;
  const double from_edge = static_cast<double>(std::min(n, length - 1 - n));
  if (from_edge >= fade_samples)
    return 1.0;
  return 0.5 - 0.5 * std::cos(kTwoPi * 0.5 * from_edge / fade_samples);
}

}  // namespace

std::optional<OutOfRangeComponent> first_component_out_of_range(const Sound& sound) {
  for (const SoundPart& part : sound.parts) {
    for (const Partial& partial : part.partials) {
      if (partial.frequency_hz >= kNyquistHz)
        return OutOfRangeComponent{partial.name, partial.frequency_hz};
      const int highest = highest_significant_order(partial.modulation_index);
      for (int k = 1; k <= highest; ++k) {
        // The lower sideband, |fc - k fm|, never lies above the upper one.
        const double upper_hz = partial.frequency_hz + k * partial.modulator_hz;
        if (upper_hz >= kNyquistHz) {
          return OutOfRangeComponent{"sideband +" + std::to_string(k) + " of " + partial.name,
                                     upper_hz};
        }
      }
    }
  }
  return std::nullopt;
}

std::vector<std::int16_t> synthesize(const Sound& sound, std::size_t samples_per_part,
                                     double peak_dbfs) {
  std::vector<std::int16_t> samples;
  samples.reserve(sound.parts.size() * samples_per_part);
  const double peak_code = kFullScale * std::pow(10.0, peak_dbfs / 20.0);
  for (const SoundPart& part : sound.parts) {
    const auto value_at = [&](std::size_t n) {
      double value = 0.0;
      for (const Partial& partial : part.partials) {
        double phase = kTwoPi * cycle_fraction(partial.frequency_hz / kSampleRateHz, n);
        if (partial.modulation_index != 0.0) {
          phase += partial.modulation_index *
                   std::sin(kTwoPi * cycle_fraction(partial.modulator_hz / kSampleRateHz, n));
        }
        value += partial.amplitude * (partial.cosine ? std::cos(phase) : std::sin(phase));
      }
      return value * fade_gain(n, samples_per_part);
    };
    // Two passes, the peak first, so that a sound of ten minutes needs no buffer of doubles.
    double peak = 0.0;
    for (std::size_t n = 0; n < samples_per_part; ++n)
      peak = std::max(peak, std::fabs(value_at(n)));
    const double scale = peak > 0.0 ? peak_code / peak : 0.0;
    for (std::size_t n = 0; n < samples_per_part; ++n) {
      const double code = std::clamp(std::round(value_at(n) * scale), -kFullScale, kLargestCode);
      samples.push_back(static_cast<std::int16_t>(code));
    }
  }
  return samples;
}

}  // namespace quesdral::acoustics
