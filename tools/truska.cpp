// TRUSKA: the raw amplitude of a level in dB against a reference amplitude.
#include "acoustics/levels.hpp"
#include "cli/cli.hpp"
#include "level_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

Outcome compute(const std::vector<double>& values) {
  const double level_db = values[0];
  const double reference = values[1];
  return Results()
      .add_magnitude("Amplitude", quesdral::acoustics::amplitude_from_level_db(level_db, reference),
                     "")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "truska.exe";
  tool.label = "TRUSKA";
  tool.description = "It converts dBs to raw amplitude";
  tool.help =
      "Computes the amplitude that has a given level relative to a reference amplitude:\n"
      "  amplitude = REFERENCE * 10^(LEVEL_DB / 20)\n"
      "LEVEL_DB may be any level; REFERENCE must be above 0 and defaults to 1. A level so\n"
      "high or so low that the amplitude cannot be shown is refused.\n"
      "\n"
      "Example: truska.exe -6  prints  Amplitude: 0.501187\n";
  tool.inputs = {
      real_input("LEVEL_DB", "Level in dB"),
      quesdral::tools::reference_amplitude_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
