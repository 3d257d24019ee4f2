// TOLVENI: the frequency of a MIDI number, whole or fractional, for a given tuning of A4.
#include <cmath>
#include <limits>

#include "acoustics/pitch.hpp"
#include "cli/cli.hpp"
#include "pitch_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;
namespace acoustics = quesdral::acoustics;

Outcome compute(const std::vector<double>& values) {
  const double midi_number = values[0];
  const double a4_hz = values[1];
  const double frequency_hz = acoustics::frequency_from_midi(midi_number, a4_hz);
  Results results;
  // A tiny A4 can push the result below the normal doubles, where it would print with fewer
  // true digits than shown, or as 0 Hz.
  if (frequency_hz < std::numeric_limits<double>::min()) {
    return results.fail("the frequency is too small to show (choose a larger A4)").finish();
  }
  results.add("Frequency", frequency_hz, "Hz");
  if (midi_number == std::floor(midi_number)) {
    results.add_text("Note", acoustics::note_name(static_cast<long long>(midi_number)));
  }
  return results.finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "tolveni.exe";
  tool.label = "TOLVENI";
  tool.description = "It converts MIDI numbers to Hz";
  tool.help =
      "Computes the equal-tempered frequency of a MIDI number:\n"
      "  frequency = A4_HZ * 2^((MIDI_NUMBER - 69) / 12) Hz\n"
      "and, when the number is whole, the note's name (C4 = MIDI 60, sharps).\n"
      "MIDI_NUMBER runs from 0 to 127 and may have a fraction (a microtone: 60.5 is a quarter\n"
      "tone above middle C). A4_HZ must be above 0 and defaults to 440.\n"
      "\n"
      "Example: tolveni.exe 60  prints  Frequency: 261.626 Hz  and  Note: C4\n";
  tool.inputs = {
      real_input("MIDI_NUMBER", "MIDI number")
          .checked_by(must_be_within(0, 127, "MIDI number must be from 0 to 127")),
      quesdral::tools::a4_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
