// QUILBERN: the level in dBFS of a sample value at a given bit depth.
#include <cmath>
#include <optional>
#include <string>

#include "acoustics/levels.hpp"
#include "cli/number_format.hpp"
#include "level_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

using acoustics::full_scale;
using acoustics::kMaxBits;
using acoustics::largest_code;

enum Value { kSample, kBits };

// The sample codes of a bit depth: one more below 0 than above it (-32768 to 32767 at 16
// bits). Every bound is exact as a double.
bool within_codes(double sample, int bits) {
  return sample >= -static_cast<double>(full_scale(bits)) &&
         sample <= static_cast<double>(largest_code(bits));
}

std::optional<std::string> check_sample(double sample) {
  if (sample == 0)
    return "sample must not be 0 (its level is minus infinity)";
  if (!within_codes(sample, kMaxBits)) {
    return "sample must be from -2147483648 to 2147483647 (the sample codes at 32 bits), not 0";
  }
  return std::nullopt;
}

// Whether the sample fits the bit depth is only known once both are given.
std::optional<std::string> check_sample_within_bits(const cli::Values& values) {
  const double sample = values[kSample];
  const double bits = values[kBits];
  if (!within_codes(sample, static_cast<int>(bits))) {
    return "sample " + cli::format_short(sample) + " is beyond the sample codes at " +
           cli::format_short(bits) + " bits; allowed are -" +
           cli::format_integer(full_scale(static_cast<int>(bits))) + " to " +
           cli::format_integer(largest_code(static_cast<int>(bits))) + ", not 0";
  }
  return std::nullopt;
}

cli::Outcome compute(const cli::Values& values) {
  const int bits = static_cast<int>(values[kBits]);
  return cli::Results()
      .add("Level", acoustics::level_dbfs_from_sample(values[kSample], bits), "dBFS")
      .add_integer("Full scale", full_scale(bits))
      .finish();
}

}  // namespace

cli::Tool quilbern_tool() {
  cli::Tool tool = cli::catalogued_tool("quilbern.exe");
  tool.help =
      "Computes the level of a sample value relative to the full scale of its bit depth:\n"
      "  level = 20 * log10(|SAMPLE| / 2^(BITS - 1)) dBFS\n"
      "The full scale 2^(BITS - 1) is the magnitude of the most negative sample, so -32768 is\n"
      "0 dBFS at 16 bits and 1 is -90.3090 dBFS. BITS is a whole number from 2 to 32 and\n"
      "defaults to 16. SAMPLE lies from -2^(BITS - 1) to 2^(BITS - 1) - 1 (the sample codes\n"
      "that exist: -32768 to 32767 at 16 bits), is not 0, and need not be whole (an averaged\n"
      "or interpolated value).\n"
      "\n"
      "Example: quilbern.exe 16384  prints  Level: -6.02060 dBFS  and  Full scale: 32768\n"
      "         quilbern.exe 32767  prints  Level: -0.000265076 dBFS\n";
  tool.inputs = {
      cli::real_input("SAMPLE", "Sample value").checked_by(check_sample),
      bit_depth_input(),
  };
  // Any sample that passed its own check fits some bit depth up to 32, so the bit depth
  // can always mend it.
  tool.check_across(kBits, check_sample_within_bits);
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("level_dbfs", "the level in dB against full scale"),
      cli::integer_field("full_scale", "full scale, 2^(BITS-1)"),
  };
  return tool;
}

}  // namespace quesdral::tools
