// ZORIVEK: the power in watts of a sound power level in dB against a reference power.
#include "acoustics/levels.hpp"
#include "level_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kLevelDb, kReferenceW };

// A power too large or too small to show is mended by the level: some level brings any
// reference back to a showable power, while no reference can offset a level of thousands
// of dB.
cli::Outcome compute(const cli::Values& values) {
  const double power_w = acoustics::power_w_from_level_db(values[kLevelDb], values[kReferenceW]);
  return cli::Results()
      .add_magnitude("Power", power_w, "W")
      .shown_as(scaled_text(power_w, values[kReferenceW], values[kLevelDb], 10))
      .finish(kLevelDb);
}

}  // namespace

cli::Tool zorivek_tool() {
  cli::Tool tool = cli::catalogued_tool("zorivek.exe");
  tool.help =
      "Computes the acoustic power that has a given sound power level:\n"
      "  power = REFERENCE_W * 10^(LEVEL_DB / 10) W\n"
      "LEVEL_DB may be any level; REFERENCE_W is in watts, must be above 0 and defaults to\n"
      "1e-12 W. A level so high or so low that the power cannot be shown is refused.\n"
      "\n"
      "Example: zorivek.exe 90  prints  Power: 0.00100000 W\n";
  tool.inputs = {
      cli::real_input("LEVEL_DB", "Sound power level in dB"),
      reference_power_input(),
  };
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("power_w", "the sound power in W"),
  };
  return tool;
}

}  // namespace quesdral::tools
