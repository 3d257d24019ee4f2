// TRUSKA: the raw amplitude of a level in dB against a reference amplitude.
#include "acoustics/levels.hpp"
#include "level_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kLevelDb, kReference };

// An amplitude too large or too small to show is mended by the level: some level brings
// any reference back to a showable amplitude, while no reference can offset a level of
// thousands of dB.
cli::Outcome compute(const cli::Values& values) {
  const auto named = named_reference(values.name(kReference));
  const double amplitude = acoustics::amplitude_from_level_db(values[kLevelDb], values[kReference]);
  return cli::Results()
      .add_magnitude("Amplitude", amplitude, named ? named->amplitude_unit : "",
                     named ? named->remark : "")
      .as("amplitude")
      .shown_as(scaled_text(amplitude, values[kReference], values[kLevelDb], 20))
      .data_word("reference_unit", named ? named->amplitude_unit : "")
      .finish(kLevelDb);
}

}  // namespace

cli::Tool truska_tool() {
  cli::Tool tool = cli::catalogued_tool("truska.exe");
  tool.help =
      "Computes the amplitude that has a given level relative to a reference amplitude:\n"
      "  amplitude = REFERENCE * 10^(LEVEL_DB / 20)\n"
      "LEVEL_DB may be any level; REFERENCE must be above 0 and defaults to 1. A level so\n"
      "high or so low that the amplitude cannot be shown is refused. REFERENCE may also name a\n"
      "reference, in any letter case: SPL (20e-6 Pa, LEVEL_DB in dB SPL), dBu (sqrt(0.6) =\n"
      "0.774597 V) or dBV (1 V); the amplitude is then in Pa or V, and the line names it.\n"
      "\n"
      "Example: truska.exe -6  prints  Amplitude: 0.501187\n"
      "         truska.exe 0 dBu  prints  Amplitude: 0.774597 V (reference dBu, 0.774597 V)\n";
  tool.inputs = {
      cli::real_input("LEVEL_DB", "Level in dB"),
      reference_amplitude_input(),
  };
  tool.compute = compute;
  tool.output.fields = {
      reference_unit_field(),
      cli::number_field("amplitude", "the amplitude, in the unit of the reference"),
  };
  return tool;
}

}  // namespace quesdral::tools
