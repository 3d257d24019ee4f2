// PELUNDA: the sound power level in dB of a power in watts against a reference power.
#include <string>

#include "acoustics/levels.hpp"
#include "cli/number_format.hpp"
#include "level_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kPowerW, kReferenceW };

cli::Outcome compute(const cli::Values& values) {
  const std::string unit = "dB re " + cli::format_short(values[kReferenceW]) + " W";
  return cli::Results()
      .add("Sound power level",
           acoustics::level_db_from_power(values[kPowerW], values[kReferenceW]), unit)
      .as("sound_power_level_db")
      .finish();
}

}  // namespace

cli::Tool pelunda_tool() {
  cli::Tool tool = cli::catalogued_tool("pelundA.exe");
  tool.help =
      "Computes the sound power level of an acoustic power:\n"
      "  level = 10 * log10(POWER_W / REFERENCE_W) dB re REFERENCE_W\n"
      "Both powers are in watts and must be above 0; REFERENCE_W defaults to 1e-12 W, the\n"
      "usual reference for sound power.\n"
      "\n"
      "Example: pelundA.exe 0.001  prints  Sound power level: 90.0000 dB re 1e-12 W\n";
  tool.inputs = {
      cli::real_input("POWER_W", "Power in W")
          .checked_by(cli::must_be_positive("power must be above 0 W (the level of 0 W is minus "
                                            "infinity)")),
      reference_power_input(),
  };
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("sound_power_level_db", "the sound power level in dB re REFERENCE_W"),
  };
  return tool;
}

}  // namespace quesdral::tools
