// PELUNDA: the sound power level in dB of a power in watts against a reference power.
#include <string>

#include "acoustics/levels.hpp"
#include "cli/cli.hpp"
#include "level_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

Outcome compute(const std::vector<double>& values) {
  const double power_w = values[0];
  const double reference_w = values[1];
  const std::string unit = "dB re " + quesdral::cli::format_short(reference_w) + " W";
  return Results()
      .add("Sound power level", quesdral::acoustics::level_db_from_power(power_w, reference_w),
           unit)
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "pelundA.exe";
  tool.label = "PELUNDA";
  tool.description = "It converts Watts to dBs";
  tool.help =
      "Computes the sound power level of an acoustic power:\n"
      "  level = 10 * log10(POWER_W / REFERENCE_W) dB re REFERENCE_W\n"
      "Both powers are in watts and must be above 0; REFERENCE_W defaults to 1e-12 W, the\n"
      "usual reference for sound power.\n"
      "\n"
      "Example: pelundA.exe 0.001  prints  Sound power level: 90.0000 dB re 1e-12 W\n";
  tool.inputs = {
      real_input("POWER_W", "Power in W")
          .checked_by(must_be_positive("power must be above 0 W (the level of 0 W is minus "
                                       "infinity)")),
      quesdral::tools::reference_power_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
