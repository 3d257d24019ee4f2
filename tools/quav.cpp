// QUAV: the two sidebands of amplitude modulation, their frequencies and level.
#include <cmath>

#include "acoustics/spectra.hpp"
#include "cli/cli.hpp"

namespace {

using quesdral::cli::format_number;
using quesdral::cli::Outcome;
using quesdral::cli::Results;
namespace acoustics = quesdral::acoustics;

Outcome compute(const std::vector<double>& values) {
  const double carrier_hz = values[0];
  const double modulator_hz = values[1];
  const double depth = values[2];
  const acoustics::AmSidebands sidebands = acoustics::am_sidebands(carrier_hz, modulator_hz, depth);
  Results results;
  std::string lower = format_number(sidebands.lower_hz) + " Hz";
  if (sidebands.lower_reflected) {
    lower += " (reflected from " + format_number(carrier_hz - modulator_hz) + " Hz)";
  }
  results.add_text("Lower sideband", lower);
  results.add("Upper sideband", sidebands.upper_hz, "Hz");
  results.add("Sideband amplitude (carrier = 1)", sidebands.amplitude, "");
  results.add("Sideband level", sidebands.level_db, "dB re carrier");
  return results.finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "quav.exe";
  tool.label = "QUAV";
  tool.description = "It calculates the sidebands frequency in AM synthesis";
  tool.help =
      "Computes the sidebands of a carrier whose amplitude a modulator varies,\n"
      "(1 + DEPTH * cos(2 pi fm t)) * cos(2 pi fc t):\n"
      "  lower sideband = CARRIER_HZ - MODULATOR_HZ, upper = CARRIER_HZ + MODULATOR_HZ\n"
      "each with DEPTH / 2 of the carrier's amplitude, or 20 * log10(DEPTH / 2) dB.\n"
      "A lower sideband below 0 Hz is heard at its absolute value: it is shown so and marked\n"
      "as reflected. Both frequencies must be above 0; DEPTH above 0 and at most 1, default 1.\n"
      "\n"
      "Example: quav.exe 1000 100  prints sidebands at 900 and 1100 Hz, at -6.02060 dB\n";
  tool.inputs = {
      real_input("CARRIER_HZ", "Carrier frequency (Hz)")
          .checked_by(must_be_positive("carrier frequency must be above 0 Hz")),
      real_input("MODULATOR_HZ", "Modulator frequency (Hz)")
          .checked_by(must_be_positive("modulator frequency must be above 0 Hz")),
      real_input("DEPTH", "Modulation depth")
          .defaults_to(1)
          .checked_by([](double depth, const std::vector<double>&) -> std::optional<std::string> {
            if (depth > 0 && depth <= 1)
              return std::nullopt;
            return "modulation depth must be above 0 and at most 1";
          }),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
