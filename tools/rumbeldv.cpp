// RUMBEL: the steps of an equal division of the octave, against the 12-tone notes.
#include <cmath>
#include <string>

#include "acoustics/spectra.hpp"
#include "cli/cli.hpp"
#include "pitch_inputs.hpp"

namespace {

using quesdral::cli::format_number;
using quesdral::cli::Outcome;
using quesdral::cli::Results;
using quesdral::cli::Table;
namespace acoustics = quesdral::acoustics;

constexpr int kMaxDivisions = 1200;

Outcome compute(const std::vector<double>& values) {
  const int divisions = static_cast<int>(values[0]);
  const double start_hz = values[1];
  if (!std::isfinite(2.0 * start_hz)) {
    return Outcome::failure("the octave above " + format_number(start_hz) +
                            " Hz is too large to show");
  }
  Table table;
  table.add_column("Step");
  table.add_column("Frequency (Hz)");
  table.add_column("Ratio");
  table.add_column("Cents");
  table.add_column("Note", Table::Align::kLeft);
  table.add_column("Deviation (cents)");
  bool any_outside = false;
  for (const acoustics::EqualStep& step : acoustics::equal_divisions(divisions, start_hz)) {
    any_outside = any_outside || !step.note.in_midi_range;
    table.add_row({quesdral::cli::format_integer(step.step), format_number(step.frequency_hz),
                   format_number(step.ratio), format_number(step.cents),
                   quesdral::tools::note_cell(step.note),
                   format_number(step.note.deviation_cents)});
  }
  Results results;
  results.add_block(table.render());
  if (any_outside)
    results.add_block(quesdral::tools::kOutsideMidiFootnote);
  return results.finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "rumbeldv.exe";
  tool.label = "RUMBEL";
  tool.description = "It divides the octave in equal parts";
  tool.help =
      "Divides the octave above START_HZ into DIVISIONS equal steps. Step k, from 0 to\n"
      "DIVISIONS, lies at\n"
      "  START_HZ * 2^(k / DIVISIONS) Hz, a ratio of 2^(k / DIVISIONS), k * 1200 / DIVISIONS\n"
      "cents above the start; each row also gives the nearest 12-tone note (A4 = 440 Hz,\n"
      "C4 = MIDI 60) and the deviation from it in cents (notes outside MIDI 0 to 127 are\n"
      "marked *). DIVISIONS is a whole number from 1 to 1200; START_HZ must be above 0 and\n"
      "defaults to middle C, 440 * 2^(-9/12) = 261.626 Hz.\n"
      "\n"
      "Example: rumbeldv.exe 12  lists the notes C4 to C5, each 0 cents off\n";
  tool.inputs = {
      integer_input("DIVISIONS", "Number of divisions")
          .checked_by(
              must_be_within(1, kMaxDivisions, "number of divisions must be from 1 to 1200")),
      real_input("START_HZ", "Start frequency (Hz)")
          .defaults_to(acoustics::middle_c_hz())
          .checked_by(must_be_positive("start frequency must be above 0 Hz")),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
