// ZIRR: the spectrum of frequency modulation, sideband by sideband, and its bandwidth.
#include <cmath>
#include <cstddef>
#include <string>

#include "acoustics/bessel.hpp"
#include "acoustics/spectra.hpp"
#include "cli/cli.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;
using quesdral::cli::Table;
namespace acoustics = quesdral::acoustics;

// Width of the bar of an amplitude of 1 (the unmodulated carrier).
constexpr double kFullBarWidth = 40.0;

std::string order_label(int order) {
  if (order == 0)
    return "carrier";
  return (order > 0 ? "+" : "") + quesdral::cli::format_integer(order);
}

std::string bar(double amplitude) {
  return std::string(static_cast<std::size_t>(std::lround(std::fabs(amplitude) * kFullBarWidth)),
                     '#');
}

Outcome compute(const std::vector<double>& values) {
  const double carrier_hz = values[0];
  const double modulator_hz = values[1];
  const double index = values[2];
  const int count = static_cast<int>(values[3]);
  if (!std::isfinite(carrier_hz + count * modulator_hz)) {
    return Outcome::failure("the highest sideband is too large to show (choose fewer sidebands)");
  }
  Table table;
  table.add_column("Sideband");
  table.add_column("Frequency (Hz)");
  table.add_column("Amplitude");
  table.add_column("Remark", Table::Align::kLeft);
  table.add_column("Magnitude", Table::Align::kLeft);
  for (const acoustics::FmComponent& component :
       acoustics::fm_spectrum(carrier_hz, modulator_hz, index, count)) {
    const char* remark = component.silent      ? "silent (0 Hz)"
                         : component.reflected ? "reflected"
                                               : "";
    table.add_row(
        {order_label(component.order), quesdral::cli::format_number(component.frequency_hz),
         quesdral::cli::format_number(component.amplitude), remark, bar(component.amplitude)});
  }
  return Results()
      .add_block(table.render())
      .add("Bandwidth (Carson's rule)", acoustics::carson_bandwidth_hz(index, modulator_hz), "Hz")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "zirr.exe";
  tool.label = "ZIRR";
  tool.description = "It calculates the sidebands frequency in FM synthesis";
  tool.help =
      "Lists the spectrum of a frequency-modulated sine, sin(2 pi fc t + INDEX sin(2 pi fm t)):\n"
      "the carrier and the sideband pairs k = 1 to COUNT at CARRIER_HZ -/+ k * MODULATOR_HZ,\n"
      "with amplitudes J_k(INDEX) (Bessel functions of the first kind) relative to the\n"
      "unmodulated carrier; the lower sideband of odd k has its sign inverted. A sideband\n"
      "below 0 Hz is heard at its absolute value: shown so, marked as reflected, and its sign\n"
      "inverted once more. One at exactly 0 Hz is marked silent (a sine at 0 Hz vanishes).\n"
      "The bar shows each magnitude (40 # for the unmodulated carrier). Last, the bandwidth by\n"
      "Carson's rule: 2 * (INDEX + 1) * MODULATOR_HZ.\n"
      "Both frequencies must be above 0; INDEX from 0 to 100, default 1; COUNT a whole number\n"
      "from 1 to 100, default the whole part of INDEX plus 2 (at most 100).\n"
      "\n"
      "Example: zirr.exe 1000 100 1  lists 700 to 1300 Hz, the carrier at 0.765198, and\n"
      "         Bandwidth (Carson's rule): 400.000 Hz\n";
  tool.inputs = {
      real_input("CARRIER_HZ", "Carrier frequency (Hz)")
          .checked_by(must_be_positive("carrier frequency must be above 0 Hz")),
      real_input("MODULATOR_HZ", "Modulator frequency (Hz)")
          .checked_by(must_be_positive("modulator frequency must be above 0 Hz")),
      real_input("INDEX", "Modulation index")
          .defaults_to(1)
          .checked_by(must_be_within(0, acoustics::kMaxBesselArgument,
                                     "modulation index must be between 0 and 100")),
      integer_input("COUNT", "Number of sideband pairs")
          .defaults_from([](const std::vector<double>& earlier) -> std::optional<double> {
            return acoustics::default_fm_sideband_count(earlier[2]);
          })
          .checked_by(must_be_within(1, acoustics::kMaxBesselOrder,
                                     "number of sideband pairs must be from 1 to 100")),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
