// SALDUVEN: the centre, bandwidth, Q and width in octaves of a band-pass filter.
#include <optional>
#include <string>

#include "acoustics/space_time.hpp"
#include "cli/cli.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

std::optional<std::string> check_high(double high_hz, const std::vector<double>& earlier) {
  if (high_hz > earlier[0])
    return std::nullopt;
  return "high cut-off must be above the low cut-off (" + quesdral::cli::format_short(earlier[0]) +
         " Hz)";
}

Outcome compute(const std::vector<double>& values) {
  const auto band = quesdral::acoustics::band_pass(values[0], values[1]);
  return Results()
      .add_magnitude("Centre frequency", band.centre_hz, "Hz")
      .add_magnitude("Bandwidth", band.bandwidth_hz, "Hz")
      .add_magnitude("Quality factor (Q)", band.quality_factor, "")
      .add_magnitude("Bandwidth in octaves", band.bandwidth_octaves, "octaves")
      .add_magnitude("Arithmetic mean", band.arithmetic_mean_hz, "Hz")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "salduven.exe";
  tool.label = "SALDUVEN";
  tool.description = "It calculates the center frequency of a bandpass filter";
  tool.help =
      "Describes the pass band between two cut-off frequencies:\n"
      "  centre frequency = sqrt(LOW * HIGH) Hz (the geometric mean)\n"
      "  bandwidth = HIGH - LOW Hz, quality factor Q = centre / bandwidth\n"
      "  bandwidth in octaves = log2(HIGH / LOW)\n"
      "and, for comparison, the arithmetic mean (LOW + HIGH) / 2 Hz.\n"
      "Both cut-offs must be above 0 and LOW below HIGH. There are no defaults.\n"
      "\n"
      "Example: salduven.exe 100 200  prints  Centre frequency: 141.421 Hz  (and four more)\n";
  tool.inputs = {
      real_input("LOW_CUTOFF_HZ", "Low cut-off frequency (Hz)")
          .checked_by(must_be_positive("low cut-off must be above 0 Hz")),
      real_input("HIGH_CUTOFF_HZ", "High cut-off frequency (Hz)").checked_by(check_high),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
