// VORLIX: the level in dB of a raw amplitude against a reference amplitude.
#include "acoustics/levels.hpp"
#include "level_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kAmplitude, kReference };

// A named reference is the number it stands for; only the unit names it.
cli::Outcome compute(const cli::Values& values) {
  const auto named = named_reference(values.name(kReference));
  return cli::Results()
      .add("Level", acoustics::level_db_from_amplitude(values[kAmplitude], values[kReference]),
           named ? named->level_unit : "dB")
      .as("level_db")
      .data_word("reference_unit", named ? named->amplitude_unit : "")
      .finish();
}

}  // namespace

cli::Tool vorlix_tool() {
  cli::Tool tool = cli::catalogued_tool("vorlix.exe");
  tool.help =
      "Computes the level of an amplitude relative to a reference amplitude:\n"
      "  level = 20 * log10(|AMPLITUDE| / REFERENCE) dB\n"
      "The sign of the amplitude is ignored, so a negative sample value works too.\n"
      "AMPLITUDE must not be 0 (its level would be minus infinity); REFERENCE must be above 0\n"
      "and defaults to 1. REFERENCE may also name a reference, in any letter case: SPL\n"
      "(20e-6 Pa, a sound pressure level in dB SPL), dBu (sqrt(0.6) = 0.774597 V) or dBV\n"
      "(1 V); the level is then in dB SPL, dBu or dBV.\n"
      "\n"
      "Example: vorlix.exe 0.5  prints  Level: -6.02060 dB\n"
      "         vorlix.exe 1 spl  prints  Level: 93.9794 dB SPL\n";
  tool.inputs = {
      cli::real_input("AMPLITUDE", "Amplitude")
          .checked_by(
              cli::must_not_be_zero("amplitude must not be 0 (its level is minus infinity)")),
      reference_amplitude_input(),
  };
  tool.compute = compute;
  tool.output.fields = {
      reference_unit_field(),
      cli::number_field("level_db", "the level in dB against the reference"),
  };
  return tool;
}

}  // namespace quesdral::tools
