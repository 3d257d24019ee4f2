// SALDUVEN: the centre, bandwidth, Q and width in octaves of a band-pass filter.
#include <optional>
#include <string>

#include "acoustics/space_time.hpp"
#include "cli/number_format.hpp"
#include "exact_text.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kLowHz, kHighHz };

std::optional<std::string> check_high_above_low(const cli::Values& values) {
  if (values[kHighHz] > values[kLowHz])
    return std::nullopt;
  return "high cut-off must be above the low cut-off (" + cli::format_short(values[kLowHz]) +
         " Hz)";
}

cli::Outcome compute(const cli::Values& values) {
  const double low_hz = values[kLowHz];
  const double high_hz = values[kHighHz];
  const auto band = acoustics::band_pass(low_hz, high_hz);
  return cli::Results()
      .add_magnitude("Centre frequency", band.centre_hz, "Hz")
      .add_magnitude("Bandwidth", band.bandwidth_hz, "Hz")
      .shown_as(sum_text(band.bandwidth_hz, high_hz, -low_hz))
      .add_magnitude("Quality factor (Q)", band.quality_factor, "")
      .as("quality_factor")
      .add_magnitude("Bandwidth in octaves", band.bandwidth_octaves, "octaves")
      .as("bandwidth_octaves")
      .add_magnitude("Arithmetic mean", band.arithmetic_mean_hz, "Hz")
      .shown_as(sum_text(band.arithmetic_mean_hz, low_hz / 2, high_hz / 2))
      .finish();
}

}  // namespace

cli::Tool salduven_tool() {
  cli::Tool tool = cli::catalogued_tool("salduven.exe");
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
      cli::real_input("LOW_CUTOFF_HZ", "Low cut-off frequency (Hz)")
          .checked_by(cli::must_be_positive("low cut-off must be above 0 Hz")),
      cli::real_input("HIGH_CUTOFF_HZ", "High cut-off frequency (Hz)"),
  };
  tool.check_across(kHighHz, check_high_above_low);
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("centre_frequency_hz", "sqrt(LOW * HIGH)"),
      cli::number_field("bandwidth_hz", "HIGH - LOW"),
      cli::number_field("quality_factor", "centre / bandwidth"),
      cli::number_field("bandwidth_octaves", "log2(HIGH / LOW)"),
      cli::number_field("arithmetic_mean_hz", "(LOW + HIGH) / 2"),
  };
  return tool;
}

}  // namespace quesdral::tools
