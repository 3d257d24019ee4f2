// NOSKARTE: the sample value of a level in dBFS at a given bit depth.
#include "acoustics/levels.hpp"
#include "cli/cli.hpp"
#include "level_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

std::optional<std::string> check_level(double level_dbfs, const std::vector<double>&) {
  if (level_dbfs <= 0)
    return std::nullopt;
  return "level must be at most 0 dBFS (above full scale there is no sample value)";
}

Outcome compute(const std::vector<double>& values) {
  const double level_dbfs = values[0];
  const int bits = static_cast<int>(values[1]);
  const double amplitude = quesdral::acoustics::amplitude_from_level_dbfs(level_dbfs, bits);
  return Results()
      .add_magnitude("Amplitude", amplitude, "")
      .add_text("Nearest sample",
                quesdral::cli::format_integer(quesdral::acoustics::nearest_sample(amplitude)))
      .add_text("Full scale", quesdral::cli::format_integer(quesdral::acoustics::full_scale(bits)))
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "noskarte.exe";
  tool.label = "NOSKARTE";
  tool.description = "It converts dB in full scale (dBFS) to raw amplitude";
  tool.help =
      "Computes the sample amplitude of a level relative to the full scale of a bit depth:\n"
      "  amplitude = 2^(BITS - 1) * 10^(LEVEL_DBFS / 20)\n"
      "and the nearest whole sample value, halves rounded away from zero. LEVEL_DBFS must be\n"
      "at most 0 (a level above full scale has no sample value); BITS is a whole number from\n"
      "2 to 32 and defaults to 16.\n"
      "\n"
      "Example: noskarte.exe -6  prints  Amplitude: 16422.9  and  Nearest sample: 16423\n";
  tool.inputs = {
      real_input("LEVEL_DBFS", "Level in dBFS").checked_by(check_level),
      quesdral::tools::bit_depth_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
