// VORLIX: the level in dB of a raw amplitude against a reference amplitude.
#include "acoustics/levels.hpp"
#include "cli/cli.hpp"
#include "level_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

Outcome compute(const std::vector<double>& values) {
  const double amplitude = values[0];
  const double reference = values[1];
  return Results()
      .add("Level", quesdral::acoustics::level_db_from_amplitude(amplitude, reference), "dB")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "vorlix.exe";
  tool.label = "VORLIX";
  tool.description = "It converts raw amplitude to dBs";
  tool.help =
      "Computes the level of an amplitude relative to a reference amplitude:\n"
      "  level = 20 * log10(|AMPLITUDE| / REFERENCE) dB\n"
      "The sign of the amplitude is ignored, so a negative sample value works too.\n"
      "AMPLITUDE must not be 0 (its level would be minus infinity); REFERENCE must be above 0\n"
      "and defaults to 1.\n"
      "\n"
      "Example: vorlix.exe 0.5  prints  Level: -6.02060 dB\n";
  tool.inputs = {
      real_input("AMPLITUDE", "Amplitude")
          .checked_by(must_not_be_zero("amplitude must not be 0 (its level is minus infinity)")),
      quesdral::tools::reference_amplitude_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
