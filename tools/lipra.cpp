// LIPRA: the harmonic series of a fundamental, with the nearest note of each harmonic.
#include <cmath>

#include "acoustics/spectra.hpp"
#include "cli/cli.hpp"
#include "pitch_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;
using quesdral::cli::Table;
namespace acoustics = quesdral::acoustics;

constexpr int kMaxCount = 1000;

Outcome compute(const std::vector<double>& values) {
  const double fundamental_hz = values[0];
  const int count = static_cast<int>(values[1]);
  if (!std::isfinite(fundamental_hz * count)) {
    return Outcome::failure("harmonic " + std::to_string(count) + " of " +
                            quesdral::cli::format_number(fundamental_hz) +
                            " Hz is too large to show (choose fewer harmonics)");
  }
  Table table;
  table.add_column("Harmonic");
  table.add_column("Overtone");
  table.add_column("Frequency (Hz)");
  table.add_column("Note", Table::Align::kLeft);
  table.add_column("Cents");
  bool any_outside = false;
  for (const acoustics::Harmonic& harmonic : acoustics::harmonic_series(fundamental_hz, count)) {
    any_outside = any_outside || !harmonic.note.in_midi_range;
    table.add_row({quesdral::cli::format_integer(harmonic.number),
                   quesdral::cli::format_integer(harmonic.number - 1),
                   quesdral::cli::format_number(harmonic.frequency_hz),
                   quesdral::tools::note_cell(harmonic.note),
                   quesdral::cli::format_number(harmonic.note.deviation_cents)});
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
  tool.command = "lipra.exe";
  tool.label = "LIPRA";
  tool.description = "It calculates the frequency of overtones in periodic sounds";
  tool.help =
      "Lists harmonics 1 to COUNT of a periodic sound: harmonic n lies at\n"
      "  n * FUNDAMENTAL_HZ\n"
      "and is overtone n - 1 (harmonic 1 is the fundamental itself). Each row also gives the\n"
      "nearest equal-tempered note (A4 = 440 Hz, C4 = MIDI 60) and the deviation from it in\n"
      "cents, from -50 inclusive to +50 exclusive; notes outside MIDI 0 to 127 are marked *.\n"
      "FUNDAMENTAL_HZ must be above 0; COUNT is a whole number from 1 to 1000, default 10.\n"
      "\n"
      "Example: lipra.exe 110 4  lists 110, 220, 330 and 440 Hz (A2, A3, E4 +1.955 cents, A4)\n";
  tool.inputs = {
      real_input("FUNDAMENTAL_HZ", "Fundamental frequency (Hz)")
          .checked_by(must_be_positive("fundamental frequency must be above 0 Hz")),
      integer_input("COUNT", "Number of harmonics")
          .defaults_to(10)
          .checked_by(must_be_within(1, kMaxCount, "number of harmonics must be from 1 to 1000")),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
