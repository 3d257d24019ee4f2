// HOPRI: the beat frequency and beat period of two sine waves.
#include <optional>

#include "acoustics/spectra.hpp"
#include "exact_text.hpp"
#include "pitch_inputs.hpp"
#include "render/wav_rendering.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kFrequency1Hz, kFrequency2Hz };

// Frequencies less than about 5.6e-309 Hz apart (only the very smallest can be) beat too
// slowly for the period to be shown; a second frequency further away, or equal to the
// first, always mends that.
cli::Outcome compute(const cli::Values& values) {
  const acoustics::Beats beats = acoustics::beats(values[kFrequency1Hz], values[kFrequency2Hz]);
  cli::Results results;
  const double sign = values[kFrequency1Hz] < values[kFrequency2Hz] ? -1.0 : 1.0;
  results.add("Beat frequency", beats.frequency_hz, "Hz")
      .shown_as(sum_text(beats.frequency_hz, sign * values[kFrequency1Hz],
                         -sign * values[kFrequency2Hz]));
  if (beats.beating) {
    results.add("Beat period", beats.period_s, "s");
  } else {
    results.add_text("Beat period", "no beating");
  }
  return results.finish(kFrequency2Hz);
}

// The two tones together, equally loud, so that they beat at the printed frequency.
render::SoundRecipe sound(const cli::Values& values) {
  const double first_hz = values[kFrequency1Hz];
  acoustics::SoundPart part{
      {{"the first frequency", first_hz}, {"the second frequency", values[kFrequency2Hz]}}};
  return {{{std::move(part)}}, first_hz >= acoustics::kNyquistHz ? kFrequency1Hz : kFrequency2Hz};
}

}  // namespace

cli::Tool hopri_tool() {
  cli::Tool tool = cli::catalogued_tool("hopri.exe");
  tool.help =
      "Computes how fast two sine waves of nearby frequencies beat (swell and fade):\n"
      "  beat frequency = |FREQUENCY_1_HZ - FREQUENCY_2_HZ| Hz,  beat period = 1 / that, in s\n"
      "Equal frequencies do not beat: 0 Hz and \"no beating\" instead of a period.\n"
      "Both frequencies must be above 0. Either may be a note name instead, such as A4,\n"
      "C#5 or Bb3 (letter A to G, optional # or b, octave number): its equal-tempered\n"
      "frequency with A4 at 440 Hz, middle C (MIDI 60) named C4 unless --middle-c C3.\n"
      "--wav FILE plays the two tones together, equally loud: they beat as printed.\n"
      "\n"
      "Example: hopri.exe 440 442  prints  Beat frequency: 2.00000 Hz, Beat period: 0.500000 s\n"
      "         hopri.exe A4 442  prints the same\n";
  tool.inputs = {
      cli::real_input("FREQUENCY_1_HZ", "First frequency (Hz)")
          .checked_by(cli::must_be_positive("first frequency must be above 0 Hz"))
          .also_noted(frequency_note_reading(std::nullopt)),
      cli::real_input("FREQUENCY_2_HZ", "Second frequency (Hz)")
          .checked_by(cli::must_be_positive("second frequency must be above 0 Hz"))
          .also_noted(frequency_note_reading(std::nullopt)),
  };
  tool.options = {middle_c_option("the octave of middle C in the note names read (default C4)")};
  tool.variables = {middle_c_variable()};
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("beat_frequency_hz", "|F1 - F2|"),
      cli::number_field("beat_period_s", "1 / |F1 - F2|; null for equal frequencies (no beating)"),
  };
  render::renders_sound(tool, sound);
  return tool;
}

}  // namespace quesdral::tools
