#include "render/wav_rendering.hpp"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "cli/number_format.hpp"
#include "cli/number_parse.hpp"

namespace quesdral::render {
namespace {

constexpr const char* kWavOption = "--wav";
constexpr const char* kDurationOption = "--duration";
constexpr double kDefaultPartS = 0.5;
constexpr double kShortestDefaultS = 4.0;

void put_le(std::string& bytes, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i)
    bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::optional<std::string> check_duration(const cli::Values& values) {
  if (!values.has_option(kDurationOption))
    return std::nullopt;
  const std::string text = values.option_value(kDurationOption);
  const cli::ParsedNumber parsed = cli::parse_number(text, cli::ValueKind::kReal);
  if (parsed.value && *parsed.value >= kMinDurationS && *parsed.value <= kMaxDurationS)
    return std::nullopt;
  return "--duration must be a number of seconds from " + cli::format_short(kMinDurationS) +
         " to " + cli::format_short(kMaxDurationS) + ", not " + cli::quote(text);
}

cli::Rendered render_case(const SoundFn& sound_of, const cli::Values& values) {
  const SoundRecipe recipe = sound_of(values);
  if (const auto out = acoustics::first_component_out_of_range(recipe.sound)) {
    return cli::Rendered::refusal(
        out->name + " lies at " + cli::format_number(out->frequency_hz) + " Hz, at or above " +
            cli::format_short(acoustics::kNyquistHz) +
            " Hz (half the WAV file's 48 kHz sample rate), where it would be heard at another "
            "frequency; the WAV file cannot hold it",
        recipe.mended_by);
  }
  const double parts = static_cast<double>(recipe.sound.parts.size());
  double duration_s = std::clamp(kDefaultPartS * parts, kShortestDefaultS, kMaxDurationS);
  if (values.has_option(kDurationOption))
    duration_s =
        *cli::parse_number(values.option_value(kDurationOption), cli::ValueKind::kReal).value;
  // Compared in whole samples, so that the duration the message suggests is accepted.
  const auto samples_per_part =
      static_cast<std::size_t>(std::llround(duration_s / parts * acoustics::kSampleRateHz));
  const auto min_samples =
      static_cast<std::size_t>(std::llround(kMinPartS * acoustics::kSampleRateHz));
  if (samples_per_part < min_samples) {
    const double needed_ms = std::ceil(kMinPartS * 1000.0 * parts - 1e-6);
    return cli::Rendered::refusal(
        "the WAV file plays " + cli::format_integer(static_cast<long long>(parts)) +
            " sounds in turn, each for at least " + cli::format_short(kMinPartS) +
            " s: give --duration " + cli::format_short(needed_ms / 1000.0) + " or more",
        recipe.count_set_by);
  }
  return {wav_file_bytes(acoustics::synthesize(recipe.sound, samples_per_part, kPeakDbfs)), {}, {}};
}

}  // namespace

void renders_sound(cli::Tool& tool, SoundFn sound) {
  tool.options.push_back({kWavOption,
                          "FILE",
                          {},
                          "also write the sound to FILE (WAV, 48 kHz, 16 bits);\n"
                          "                        in a batch FILE-N.wav for the case on line N"});
  tool.options.push_back({kDurationOption,
                          "SECONDS",
                          {},
                          "length of the WAV file, 0.1 to 600 s (default 0.5 s\n"
                          "                        a sound, at least 4 s)"});
  tool.renderings.push_back(
      {kWavOption, "the WAV file",
       [sound = std::move(sound)](const cli::Values& values) { return render_case(sound, values); },
       check_duration});
}

std::string wav_file_bytes(const std::vector<std::int16_t>& samples) {
  constexpr std::uint32_t kRate = 48000;
  constexpr std::uint32_t kBytesPerSample = 2;
  const auto data_size = static_cast<std::uint32_t>(samples.size() * kBytesPerSample);
  std::string bytes;
  bytes.reserve(44 + data_size);
  bytes += "RIFF";
  put_le(bytes, 36 + data_size, 4);
  bytes += "WAVEfmt ";
  put_le(bytes, 16, 4);                       // size of the format chunk
  put_le(bytes, 1, 2);                        // PCM
  put_le(bytes, 1, 2);                        // one channel
  put_le(bytes, kRate, 4);                    // samples per second
  put_le(bytes, kRate * kBytesPerSample, 4);  // bytes per second
  put_le(bytes, kBytesPerSample, 2);          // bytes per frame
  put_le(bytes, 16, 2);                       // bits per sample
  bytes += "data";
  put_le(bytes, data_size, 4);
  for (const std::int16_t sample : samples)
    put_le(bytes, static_cast<std::uint16_t>(sample), 2);
  return bytes;
}

}  // namespace quesdral::render
