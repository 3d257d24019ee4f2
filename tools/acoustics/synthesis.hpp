// Synthesis: the samples of the sounds the tools describe, as sums of sines played in turn.
//
// A Sound is a sequence of parts played one after the other, each for the same time; a part
// is a sum of partials. Each part is scaled on its own so that its peak lies at the level
// asked for, and fades in and out over a few milliseconds (a raised cosine) so that neither
// its start nor its end clicks. Samples are 16-bit codes, full scale being 32768, at 48 kHz.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quesdral::acoustics {

inline constexpr double kSampleRateHz = 48000.0;
// Half the sample rate: a component at or above it would be heard at another frequency.
inline constexpr double kNyquistHz = kSampleRateHz / 2.0;
// The length of each fade, in and out of every part.
inline constexpr double kFadeS = 0.01;

// One partial: amplitude * wave(2 pi f t + index sin(2 pi fm t)), where wave is sin or cos.
// Without modulation (index 0) it is a plain sine or cosine at frequency_hz.
struct Partial {
  std::string name;           // how a message names it: "harmonic 3", "the carrier"
  double frequency_hz = 0.0;  // >= 0
  double amplitude = 1.0;     // relative to the other partials of its part
  bool cosine = false;        // cos rather than sin (amplitude modulation's form)
  double modulator_hz = 0.0;  // frequency modulation, in the sine-phase form
  double modulation_index = 0.0;
};

struct SoundPart {
  std::vector<Partial> partials;
};

struct Sound {
  std::vector<SoundPart> parts;  // in the order they are played
};

// A component of a sound that cannot be sampled at 48 kHz without aliasing.
struct OutOfRangeComponent {
  std::string name;  // the partial's name, or "sideband +k of <name>" for frequency modulation
  double frequency_hz = 0.0;
};

// The first component at or above kNyquistHz, or nothing. A frequency-modulated partial
// counts every sideband fc + k fm (and |fc - k fm|, never higher) whose amplitude |J_k(index)| is
// at least 1e-5 of the unmodulated carrier, a third of the smallest step of a 16-bit
// sample at -1 dBFS: weaker ones vanish in the rounding.
// REQUIRES: every modulation_index from 0 to kMaxBesselArgument (bessel.hpp).
std::optional<OutOfRangeComponent> first_component_out_of_range(const Sound& sound);

// The samples of `sound`, samples_per_part for each part in turn, each part's peak at
// peak_dbfs (a silent part stays silent).
// REQUIRES: samples_per_part >= 2 * kFadeS * kSampleRateHz; peak_dbfs <= 0; no component out
// of range.
std::vector<std::int16_t> synthesize(const Sound& sound, std::size_t samples_per_part,
                                     double peak_dbfs);

}  // namespace quesdral::acoustics
