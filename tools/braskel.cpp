// BRASKEL: the MIDI number of a frequency, its nearest note and the deviation in cents.
#include "acoustics/pitch.hpp"
#include "cli/cli.hpp"
#include "pitch_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;
namespace acoustics = quesdral::acoustics;

Outcome compute(const std::vector<double>& values) {
  const double frequency_hz = values[0];
  const double a4_hz = values[1];
  const double midi_number = acoustics::midi_from_frequency(frequency_hz, a4_hz);
  const acoustics::NearestNote nearest = acoustics::nearest_note(midi_number);
  std::string note = acoustics::note_name(nearest.midi_number) + " (MIDI " +
                     quesdral::cli::format_integer(nearest.midi_number);
  note += nearest.in_midi_range ? ")" : ", outside the MIDI range 0 to 127)";
  return Results()
      .add("MIDI number", midi_number, "")
      .add_text("Nearest note", note)
      .add("Deviation", nearest.deviation_cents, "cents")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "braskel.exe";
  tool.label = "BRASKEL";
  tool.description = "It converts Hz to MIDI numbers";
  tool.help =
      "Computes the equal-tempered MIDI number of a frequency, unrounded:\n"
      "  MIDI number = 69 + 12 * log2(FREQUENCY_HZ / A4_HZ)\n"
      "then the nearest note (rounding half up, so the deviation runs from -50 cents\n"
      "inclusive to +50 cents exclusive), its name with C4 = MIDI 60 and sharps (A4, C#-1),\n"
      "and the deviation from it in cents (hundredths of a semitone). A nearest note outside\n"
      "MIDI 0 to 127 is still named, and flagged.\n"
      "Both frequencies must be above 0; A4_HZ defaults to 440.\n"
      "\n"
      "Example: braskel.exe 445  prints  MIDI number: 69.1956, Nearest note: A4 (MIDI 69),\n"
      "         Deviation: 19.5622 cents\n";
  tool.inputs = {
      real_input("FREQUENCY_HZ", "Frequency (Hz)")
          .checked_by(must_be_positive("frequency must be above 0 Hz")),
      quesdral::tools::a4_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
