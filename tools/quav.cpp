// QUAV: the two sidebands of amplitude modulation, their frequencies and level.
#include <cmath>
#include <optional>
#include <string>

#include "acoustics/spectra.hpp"
#include "cli/number_format.hpp"
#include "exact_text.hpp"
#include "render/charts.hpp"
#include "render/svg_rendering.hpp"
#include "render/wav_rendering.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kCarrierHz, kModulatorHz, kDepth };

// The only result that can be out of range is the upper sideband, carrier plus modulator:
// a smaller modulator always brings it back, whatever the carrier, while the depth has no
// part in it.
cli::Outcome compute(const cli::Values& values) {
  const double carrier_hz = values[kCarrierHz];
  const double modulator_hz = values[kModulatorHz];
  const acoustics::AmSidebands sidebands =
      acoustics::am_sidebands(carrier_hz, modulator_hz, values[kDepth]);
  cli::Results results;
  std::string shown_remark;
  const char* remark = "";
  if (sidebands.lower_reflected) {
    shown_remark = "(reflected from " +
                   sum_text(carrier_hz - modulator_hz, carrier_hz, -modulator_hz) + " Hz)";
    remark = "reflected";
  } else if (sidebands.lower_dc) {
    // The cosine of 0 Hz is a constant: the sideband adds to the signal's mean.
    shown_remark = "(DC)";
    remark = "DC";
  }
  // |C - M|, the reflected one M - C.
  const double sign = sidebands.lower_reflected ? -1.0 : 1.0;
  results.add("Lower sideband", sidebands.lower_hz, "Hz", shown_remark)
      .shown_as(sum_text(sidebands.lower_hz, sign * carrier_hz, -sign * modulator_hz))
      .data_word("remark", remark);
  results.add("Upper sideband", sidebands.upper_hz, "Hz")
      .shown_as(sum_text(sidebands.upper_hz, carrier_hz, modulator_hz));
  results.add("Sideband amplitude (carrier = 1)", sidebands.amplitude, "").as("sideband_amplitude");
  results.add("Sideband level", sidebands.level_db, "dB re carrier").as("sideband_level_db");
  return results.finish(kModulatorHz);
}

std::optional<std::string> check_depth(double depth) {
  if (depth > 0 && depth <= 1)
    return std::nullopt;
  return "modulation depth must be above 0 and at most 1";
}

// The modulated carrier as the sum of its three cosines, so that a lower sideband below
// 0 Hz folds over exactly as cos(-x) = cos(x) says, and one at 0 Hz is the constant term.
render::SoundRecipe sound(const cli::Values& values) {
  const double carrier_hz = values[kCarrierHz];
  const double modulator_hz = values[kModulatorHz];
  const double sideband = values[kDepth] / 2.0;
  acoustics::SoundPart part{
      {{"the carrier", carrier_hz, 1.0, true},
       {"the lower sideband", std::fabs(carrier_hz - modulator_hz), sideband, true},
       {"the upper sideband", carrier_hz + modulator_hz, sideband, true}}};
  return {{{std::move(part)}}, carrier_hz >= acoustics::kNyquistHz ? kCarrierHz : kModulatorHz};
}

// The carrier and its two sidebands, the lower one dashed when reflected.
std::string draw(const cli::Values& values) {
  const double carrier_hz = values[kCarrierHz];
  const double modulator_hz = values[kModulatorHz];
  const acoustics::AmSidebands sidebands =
      acoustics::am_sidebands(carrier_hz, modulator_hz, values[kDepth]);
  render::SpectrumChart chart;
  chart.title = "QUAV: carrier " + cli::format_short(carrier_hz) + " Hz, modulator " +
                cli::format_short(modulator_hz) + " Hz, depth " + cli::format_short(values[kDepth]);
  chart.amplitude_label = "Amplitude (carrier = 1)";
  chart.note = "dashed: reflected from below 0 Hz";
  const char* lower = sidebands.lower_dc          ? "lower (DC)"
                      : sidebands.lower_reflected ? "lower (reflected)"
                                                  : "lower";
  chart.lines = {
      {sidebands.lower_hz, sidebands.amplitude, lower, sidebands.lower_reflected, false},
      {carrier_hz, 1.0, "carrier", false, false},
      {sidebands.upper_hz, sidebands.amplitude, "upper", false, false},
  };
  return render::draw_spectrum(chart);
}

}  // namespace

cli::Tool quav_tool() {
  cli::Tool tool = cli::catalogued_tool("quav.exe");
  tool.help =
      "Computes the sidebands of a carrier whose amplitude a modulator varies,\n"
      "(1 + DEPTH * cos(2 pi fm t)) * cos(2 pi fc t):\n"
      "  lower sideband = CARRIER_HZ - MODULATOR_HZ, upper = CARRIER_HZ + MODULATOR_HZ\n"
      "each with DEPTH / 2 of the carrier's amplitude, or 20 * log10(DEPTH / 2) dB.\n"
      "A lower sideband below 0 Hz is heard at its absolute value: it is shown so and marked\n"
      "as reflected. One at exactly 0 Hz (a carrier equal to the modulator as typed) is a\n"
      "constant, a DC component, and marked DC. Both frequencies must be above 0; DEPTH above\n"
      "0 and at most 1, default 1.\n"
      "--wav FILE plays the modulated carrier; --svg FILE draws its three lines.\n"
      "\n"
      "Example: quav.exe 1000 100  prints sidebands at 900 and 1100 Hz, at -6.02060 dB\n"
      "         quav.exe 100 100   prints  Lower sideband: 0.00000 Hz (DC)\n";
  tool.inputs = {
      cli::real_input("CARRIER_HZ", "Carrier frequency (Hz)")
          .checked_by(cli::must_be_positive("carrier frequency must be above 0 Hz")),
      cli::real_input("MODULATOR_HZ", "Modulator frequency (Hz)")
          .checked_by(cli::must_be_positive("modulator frequency must be above 0 Hz")),
      cli::real_input("DEPTH", "Modulation depth").defaults_to(1).checked_by(check_depth),
  };
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("lower_sideband_hz", "the lower sideband, at its absolute value"),
      cli::text_field("remark", "reflected: the lower sideband lay below 0 Hz; DC: at 0 Hz",
                      {"reflected", "DC"}),
      cli::number_field("upper_sideband_hz", "the upper sideband"),
      cli::number_field("sideband_amplitude",
                        "the amplitude of each sideband, the carrier's being 1"),
      cli::number_field("sideband_level_db", "the level of each sideband against the carrier"),
  };
  render::renders_sound(tool, sound);
  render::renders_drawing(tool, draw);
  return tool;
}

}  // namespace quesdral::tools
