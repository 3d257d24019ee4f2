// BRASKEL: the MIDI number of a frequency, its nearest note and the deviation in cents.
#include <string>

#include "acoustics/pitch.hpp"
#include "cli/number_format.hpp"
#include "pitch_inputs.hpp"
#include "render/wav_rendering.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kFrequencyHz, kA4Hz };

// The MIDI number is finite for any two frequencies above 0 (1e300 Hz against an A4 of
// 1e-300 Hz is MIDI 23987), so there is nothing to refuse here.
cli::Outcome compute(const cli::Values& values) {
  const double midi_number = acoustics::midi_from_frequency(values[kFrequencyHz], values[kA4Hz]);
  const acoustics::NearestNote nearest =
      acoustics::nearest_note_to_frequency(values[kFrequencyHz], values[kA4Hz]);
  const std::string name = acoustics::note_name(nearest.midi_number, note_naming(values));
  std::string note = name + " (MIDI " + cli::format_integer(nearest.midi_number);
  note += nearest.in_midi_range ? ")" : ", outside the MIDI range 0 to 127)";
  cli::Results results;
  results.add("MIDI number", midi_number, "")
      .add_text("Nearest note", note)
      .data_word("note", name)
      .data_number("midi", static_cast<double>(nearest.midi_number))
      .data_flag("in_midi_range", nearest.in_midi_range);
  // A deviation just below +50 cents needs more than six digits not to read as +50.
  results.add("Deviation", nearest.deviation_cents, "cents")
      .shown_as(deviation_text(nearest.deviation_cents));
  return results.finish();
}

// The frequency as typed, then the nearest equal-tempered note, so that the difference in
// cents is heard.
render::SoundRecipe sound(const cli::Values& values) {
  const double frequency_hz = values[kFrequencyHz];
  const acoustics::NearestNote nearest =
      acoustics::nearest_note_to_frequency(frequency_hz, values[kA4Hz]);
  const double note_hz =
      acoustics::frequency_from_midi(static_cast<double>(nearest.midi_number), values[kA4Hz]);
  return {{{{{{"the frequency", frequency_hz}}}, {{{"the nearest note", note_hz}}}}}, kFrequencyHz};
}

}  // namespace

cli::Tool braskel_tool() {
  cli::Tool tool = cli::catalogued_tool("braskel.exe");
  tool.help =
      "Computes the equal-tempered MIDI number of a frequency, unrounded:\n"
      "  MIDI number = 69 + 12 * log2(FREQUENCY_HZ / A4_HZ)\n"
      "then the nearest note (rounding half up, so the deviation runs from -50 cents\n"
      "inclusive to +50 cents exclusive), its name with C4 = MIDI 60 and sharps (A4, C#-1;\n"
      "--flats and --middle-c C3 name them otherwise), and the deviation from it in cents\n"
      "(hundredths of a semitone). A nearest note outside MIDI 0 to 127 is still named, and\n"
      "flagged.\n"
      "Both frequencies must be above 0; A4_HZ defaults to 440.\n"
      "--wav FILE plays the frequency, then the nearest equal-tempered note.\n"
      "\n"
      "Example: braskel.exe 445  prints  MIDI number: 69.1956, Nearest note: A4 (MIDI 69),\n"
      "         Deviation: 19.5622 cents\n"
      "         braskel.exe --flats 440 415  prints  Nearest note: Bb4 (MIDI 70)\n";
  tool.inputs = {
      cli::real_input("FREQUENCY_HZ", "Frequency (Hz)")
          .checked_by(cli::must_be_positive("frequency must be above 0 Hz")),
      a4_input(),
  };
  tool.options = note_naming_options();
  tool.variables = note_naming_variables();
  tool.compute = compute;
  tool.output.fields =
      with_nearest_note_fields({cli::number_field("midi_number", "the MIDI number, unrounded")});
  render::renders_sound(tool, sound);
  return tool;
}

}  // namespace quesdral::tools
