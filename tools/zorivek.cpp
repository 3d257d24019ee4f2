// ZORIVEK: the power in watts of a sound power level in dB against a reference power.
#include "acoustics/levels.hpp"
#include "cli/cli.hpp"
#include "level_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

Outcome compute(const std::vector<double>& values) {
  const double level_db = values[0];
  const double reference_w = values[1];
  return Results()
      .add_magnitude("Power", quesdral::acoustics::power_w_from_level_db(level_db, reference_w),
                     "W")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "zorivek.exe";
  tool.label = "ZORIVEK";
  tool.description = "It converts dBs to Watts";
  tool.help =
      "Computes the acoustic power that has a given sound power level:\n"
      "  power = REFERENCE_W * 10^(LEVEL_DB / 10) W\n"
      "LEVEL_DB may be any level; REFERENCE_W is in watts, must be above 0 and defaults to\n"
      "1e-12 W. A level so high or so low that the power cannot be shown is refused.\n"
      "\n"
      "Example: zorivek.exe 90  prints  Power: 0.00100000 W\n";
  tool.inputs = {
      real_input("LEVEL_DB", "Sound power level in dB"),
      quesdral::tools::reference_power_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
