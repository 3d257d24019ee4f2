// QUILBERN: the level in dBFS of a sample value at a given bit depth.
#include <cmath>
#include <string>

#include "acoustics/levels.hpp"
#include "cli/cli.hpp"
#include "level_inputs.hpp"

namespace {

using quesdral::acoustics::full_scale;
using quesdral::acoustics::kMaxBits;
using quesdral::cli::Outcome;
using quesdral::cli::Results;

std::optional<std::string> check_sample(double sample, const std::vector<double>&) {
  if (sample == 0)
    return "sample must not be 0 (its level is minus infinity)";
  if (std::fabs(sample) > static_cast<double>(full_scale(kMaxBits))) {
    return "sample must be from -2147483648 to 2147483648 (the full scale at 32 bits), not 0";
  }
  return std::nullopt;
}

// Whether the sample fits the bit depth is only known once both are given.
std::optional<std::string> check_bits(double bits, const std::vector<double>& earlier) {
  if (auto problem = quesdral::tools::bit_depth_problem(bits))
    return problem;
  const std::string scale = quesdral::cli::format_integer(full_scale(static_cast<int>(bits)));
  if (std::fabs(earlier[0]) > static_cast<double>(full_scale(static_cast<int>(bits)))) {
    return "sample " + quesdral::cli::format_short(earlier[0]) + " is beyond full scale at " +
           quesdral::cli::format_short(bits) + " bits; allowed are -" + scale + " to " + scale +
           ", not 0";
  }
  return std::nullopt;
}

Outcome compute(const std::vector<double>& values) {
  const double sample = values[0];
  const int bits = static_cast<int>(values[1]);
  return Results()
      .add("Level", quesdral::acoustics::level_dbfs_from_sample(sample, bits), "dBFS")
      .add_text("Full scale", quesdral::cli::format_integer(full_scale(bits)))
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "quilbern.exe";
  tool.label = "QUILBERN";
  tool.description = "It converts raw amplitude to dB in full scale (dBFS)";
  tool.help =
      "Computes the level of a sample value relative to the full scale of its bit depth:\n"
      "  level = 20 * log10(|SAMPLE| / 2^(BITS - 1)) dBFS\n"
      "The full scale 2^(BITS - 1) is the magnitude of the most negative sample, so -32768 is\n"
      "0 dBFS at 16 bits and 1 is -90.3090 dBFS. BITS is a whole number from 2 to 32 and\n"
      "defaults to 16. SAMPLE lies from -2^(BITS - 1) to 2^(BITS - 1), is not 0, and need not\n"
      "be whole (an averaged or interpolated value).\n"
      "\n"
      "Example: quilbern.exe 16384  prints  Level: -6.02060 dBFS  and  Full scale: 32768\n";
  tool.inputs = {
      real_input("SAMPLE", "Sample value").checked_by(check_sample),
      quesdral::tools::bit_depth_input().checked_by(check_bits),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
