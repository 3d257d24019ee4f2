// VORLIX: the level in dB of a raw amplitude against a reference amplitude.
#include "acoustics/levels.hpp"
#include "level_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kAmplitude, kReference };

cli::Outcome compute(const cli::Values& values) {
  return cli::Results()
      .add("Level", acoustics::level_db_from_amplitude(values[kAmplitude], values[kReference]),
           "dB")
      .finish();
}

}  // namespace

cli::Tool vorlix_tool() {
  cli::Tool tool = cli::catalogued_tool(1);
  tool.help =
      "Computes the level of an amplitude relative to a reference amplitude:\n"
      "  level = 20 * log10(|AMPLITUDE| / REFERENCE) dB\n"
      "The sign of the amplitude is ignored, so a negative sample value works too.\n"
      "AMPLITUDE must not be 0 (its level would be minus infinity); REFERENCE must be above 0\n"
      "and defaults to 1.\n"
      "\n"
      "Example: vorlix.exe 0.5  prints  Level: -6.02060 dB\n";
  tool.inputs = {
      cli::real_input("AMPLITUDE", "Amplitude")
          .checked_by(
              cli::must_not_be_zero("amplitude must not be 0 (its level is minus infinity)")),
      reference_amplitude_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace quesdral::tools
