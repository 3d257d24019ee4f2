// The sound a tool's result describes, as a WAV file: the options --wav FILE and
// --duration SECONDS.
//
// The file is 48 kHz, 16-bit PCM, mono, each sound of the sequence peaking at -1 dBFS. The
// whole file lasts --duration seconds, shared equally by the sounds played in turn; by
// default half a second per sound, at least 4 s and at most kMaxDurationS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "acoustics/synthesis.hpp"
#include "cli/tool.hpp"

namespace quesdral::render {

inline constexpr double kMinDurationS = 0.1;
inline constexpr double kMaxDurationS = 600.0;
// Each sound of a sequence lasts at least this, so that its fades leave it audible.
inline constexpr double kMinPartS = 0.05;
inline constexpr double kPeakDbfs = -1.0;

// The sound of one case. When a component lies at or above half the sample rate the case
// is refused, naming it, and the question asked again is `mended_by`.
struct SoundRecipe {
  acoustics::Sound sound;
  std::size_t mended_by = 0;
  // The input that sets how many sounds are played in turn, asked again when --duration
  // leaves each too short; nothing: the last input.
  std::optional<std::size_t> count_set_by = std::nullopt;
};

using SoundFn = std::function<SoundRecipe(const cli::Values& values)>;

// Gives `tool` the options --wav and --duration, rendering `sound` from each case.
void renders_sound(cli::Tool& tool, SoundFn sound);

// A RIFF WAVE file of `samples`: 48 kHz, 16-bit PCM, one channel.
std::string wav_file_bytes(const std::vector<std::int16_t>& samples);

}  // namespace quesdral::render
