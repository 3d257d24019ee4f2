// TOLVENI: the frequency of a MIDI number, whole or fractional, for a given tuning of A4.
#include <cmath>

#include "acoustics/pitch.hpp"
#include "pitch_inputs.hpp"
#include "render/wav_rendering.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kMidiNumber, kA4Hz };

// A result too large is asked to be mended by A4: the MIDI number stays within 0 to 127, so
// only an extreme A4 moves the frequency out of range, and 440 Hz brings every MIDI number
// back. A frequency below the normal range shows the digits it keeps: at least 2^(-69/12)
// times an A4 of at least 2.2e-308, it keeps more than ten.
cli::Outcome compute(const cli::Values& values) {
  const double midi_number = values[kMidiNumber];
  const double frequency_hz = acoustics::frequency_from_midi(midi_number, values[kA4Hz]);
  const acoustics::NearestNote nearest = acoustics::nearest_note(midi_number);
  const std::string name = acoustics::note_name(nearest.midi_number, note_naming(values));
  cli::Results results;
  results.add_magnitude("Frequency", frequency_hz, "Hz");
  if (midi_number == std::floor(midi_number)) {
    results.add_text("Note", name)
        .data_number("midi", static_cast<double>(nearest.midi_number))
        .data_flag("in_midi_range", nearest.in_midi_range)
        .data_number("deviation_cents", 0.0);
    return results.finish(kA4Hz);
  }
  // A microtone is named as BRASKEL names a frequency: the nearest note and how far off.
  results
      .add_text("Nearest note", name + " (MIDI " + cli::format_integer(nearest.midi_number) + ")")
      .data_word("note", name)
      .data_number("midi", static_cast<double>(nearest.midi_number))
      .data_flag("in_midi_range", nearest.in_midi_range);
  results.add("Deviation", nearest.deviation_cents, "cents")
      .shown_as(deviation_text(nearest.deviation_cents));
  return results.finish(kA4Hz);
}

// The note, alone.
render::SoundRecipe sound(const cli::Values& values) {
  const double frequency_hz = acoustics::frequency_from_midi(values[kMidiNumber], values[kA4Hz]);
  return {{{{{{"the note", frequency_hz}}}}}, kMidiNumber};
}

}  // namespace

cli::Tool tolveni_tool() {
  cli::Tool tool = cli::catalogued_tool("tolveni.exe");
  tool.help =
      "Computes the equal-tempered frequency of a MIDI number:\n"
      "  frequency = A4_HZ * 2^((MIDI_NUMBER - 69) / 12) Hz\n"
      "and, when the number is whole, the note's name (C4 = MIDI 60, sharps; --flats and\n"
      "--middle-c C3 name it otherwise); for a fractional number, the nearest note and the\n"
      "deviation from it in cents, as braskel.exe gives them.\n"
      "MIDI_NUMBER runs from 0 to 127 and may have a fraction (a microtone: 60.5 is a quarter\n"
      "tone above middle C), or be a note name: a letter A to G in either case, an optional\n"
      "# or b, and an octave number, negative allowed (A4 is 69, C-1 is 0; --middle-c C3\n"
      "reads C3 as 60). A4_HZ must be above 0 and defaults to 440.\n"
      "--wav FILE plays the note.\n"
      "\n"
      "Example: tolveni.exe 60  prints  Frequency: 261.626 Hz  and  Note: C4\n"
      "         tolveni.exe --middle-c C3 60  prints  Note: C3\n"
      "         tolveni.exe A4  prints  Frequency: 440.000 Hz  and  Note: A4\n";
  tool.inputs = {
      cli::real_input("MIDI_NUMBER", "MIDI number")
          .checked_by(cli::must_be_within(0, 127, "MIDI number must be from 0 to 127"))
          .also_noted(midi_note_reading()),
      a4_input(),
  };
  tool.options = note_naming_options();
  tool.variables = note_naming_variables();
  tool.compute = compute;
  tool.output.fields =
      with_nearest_note_fields({cli::number_field("frequency_hz", "the frequency")});
  render::renders_sound(tool, sound);
  return tool;
}

}  // namespace quesdral::tools
