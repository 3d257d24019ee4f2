// NOSKARTE: the sample value of a level in dBFS at a given bit depth.
#include <optional>
#include <string>

#include "acoustics/levels.hpp"
#include "cli/number_format.hpp"
#include "level_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kLevelDbfs, kBits };

std::optional<std::string> check_level(double level_dbfs) {
  if (level_dbfs <= 0)
    return std::nullopt;
  return "level must be at most 0 dBFS (above full scale there is no sample value)";
}

// An amplitude too small to show comes from a level thousands of dB below full scale; the
// bit depth moves full scale by less than 190 dB, so only the level can mend it.
cli::Outcome compute(const cli::Values& values) {
  const int bits = static_cast<int>(values[kBits]);
  const double amplitude = acoustics::amplitude_from_level_dbfs(values[kLevelDbfs], bits);
  const acoustics::SampleCode nearest = acoustics::nearest_sample(amplitude, bits);
  return cli::Results()
      .add_magnitude("Amplitude", amplitude, "")
      .add_integer("Nearest sample", nearest.value,
                   nearest.clipped ? "(clipped to the largest code)" : "")
      .data_flag("clipped", nearest.clipped)
      .add_integer("Full scale", acoustics::full_scale(bits))
      .finish(kLevelDbfs);
}

}  // namespace

cli::Tool noskarte_tool() {
  cli::Tool tool = cli::catalogued_tool("noskarte.exe");
  tool.help =
      "Computes the sample amplitude of a level relative to the full scale of a bit depth:\n"
      "  amplitude = 2^(BITS - 1) * 10^(LEVEL_DBFS / 20)\n"
      "and the nearest whole sample value, halves rounded away from zero. The largest sample\n"
      "code is 2^(BITS - 1) - 1, one below full scale: a nearest value beyond it is clipped to\n"
      "it and marked so. LEVEL_DBFS must be at most 0 (a level above full scale has no sample\n"
      "value); BITS is a whole number from 2 to 32 and defaults to 16.\n"
      "\n"
      "Example: noskarte.exe -6  prints  Amplitude: 16422.9  and  Nearest sample: 16423\n"
      "         noskarte.exe 0   prints  Nearest sample: 32767 (clipped to the largest code)\n";
  tool.inputs = {
      cli::real_input("LEVEL_DBFS", "Level in dBFS").checked_by(check_level),
      bit_depth_input(),
  };
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("amplitude", "the amplitude in sample units"),
      cli::integer_field("nearest_sample", "the nearest sample code, clipped to the largest"),
      cli::flag_field("clipped", "whether the nearest sample was clipped to the largest code"),
      cli::integer_field("full_scale", "full scale, 2^(BITS-1)"),
  };
  return tool;
}

}  // namespace quesdral::tools
