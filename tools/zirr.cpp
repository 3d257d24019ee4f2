// ZIRR: the spectrum of frequency modulation, sideband by sideband, and its bandwidth.
#include <cmath>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "acoustics/bessel.hpp"
#include "acoustics/spectra.hpp"
#include "cli/number_format.hpp"
#include "cli/table.hpp"
#include "exact_text.hpp"
#include "render/charts.hpp"
#include "render/svg_rendering.hpp"
#include "render/wav_rendering.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kCarrierHz, kModulatorHz, kIndex, kCount };

// Width of the bar of an amplitude of 1 (the unmodulated carrier).
constexpr double kFullBarWidth = 40.0;

constexpr const char* kHighestSidebandTooLarge =
    "the highest sideband is too large to show (choose fewer sidebands)";

std::string order_label(int order) {
  if (order == 0)
    return "carrier";
  return (order > 0 ? "+" : "") + cli::format_integer(order);
}

// The order as the text shows it ("carrier", "+1", "-2") whose csv and json value is the
// signed number.
cli::Table::Cell order_cell(int order) {
  return cli::Table::Cell::numbered(order_label(order), order);
}

std::string bar(double amplitude) {
  return std::string(static_cast<std::size_t>(std::lround(std::fabs(amplitude) * kFullBarWidth)),
                     '#');
}

// The highest sideband lies at CARRIER_HZ + COUNT * MODULATOR_HZ. Fewer sidebands mend it
// only when a single pair fits; when even the first does not, only a smaller modulator can,
// so that case is checked first and asks for the modulator.
std::optional<std::string> check_first_sideband(const cli::Values& values) {
  if (std::isfinite(values[kCarrierHz] + values[kModulatorHz]))
    return std::nullopt;
  return kHighestSidebandTooLarge;
}

std::optional<std::string> check_highest_sideband(const cli::Values& values) {
  const int count = static_cast<int>(values[kCount]);
  if (std::isfinite(values[kCarrierHz] + count * values[kModulatorHz]))
    return std::nullopt;
  return kHighestSidebandTooLarge;
}

// Near a zero of J_k only the digits the Bessel values can promise are shown.
// A component's frequency |fc + k fm| as the exact sum rounds, its double in csv and json.
cli::Table::Cell frequency_cell(const acoustics::FmComponent& component, double carrier_hz,
                                double modulator_hz) {
  const double sign = component.reflected ? -1.0 : 1.0;
  return cli::Table::Cell::numbered(
      product_text(component.frequency_hz, sign * component.order, modulator_hz, sign * carrier_hz),
      component.frequency_hz);
}

cli::Table::Cell amplitude_cell(double amplitude, double uncertainty) {
  return cli::Table::Cell::numbered(cli::format_number(amplitude, uncertainty), amplitude);
}

// The component whose frequency a line as heard shows: one of those summed there.
const acoustics::FmComponent& source_of(const acoustics::HeardComponent& line,
                                        const std::vector<acoustics::FmComponent>& components) {
  const int count = static_cast<int>(components.size() / 2);  // ordered from k = -count
  for (const int order : line.orders) {
    const acoustics::FmComponent& component = components[static_cast<std::size_t>(order + count)];
    if (component.frequency_hz == line.frequency_hz)
      return component;
  }
  return components[static_cast<std::size_t>(line.orders.front() + count)];
}

// The spectrum as heard: one row per frequency, the components that meet there summed.
cli::Table heard_table(const std::vector<acoustics::HeardComponent>& heard,
                       const std::vector<acoustics::FmComponent>& components, double carrier_hz,
                       double modulator_hz) {
  cli::Table table;
  table.add_column("Frequency (Hz)");
  table.add_column("Amplitude");
  table.add_column("Sum of", cli::Table::Align::kLeft, "orders");
  table.add_column("Magnitude", cli::Table::Align::kLeft);
  for (const acoustics::HeardComponent& line : heard) {
    std::string parts;
    std::string orders;
    for (const int order : line.orders) {
      parts += (parts.empty() ? "" : " and ") + order_label(order);
      orders += (orders.empty() ? "" : " ") + std::to_string(order);
    }
    table.add_row({frequency_cell(source_of(line, components), carrier_hz, modulator_hz),
                   amplitude_cell(line.amplitude, line.amplitude_uncertainty),
                   cli::Table::Cell::worded(parts, orders), bar(line.amplitude)});
  }
  return table;
}

// The sidebands are in range once the checks above pass, but the bandwidth,
// 2 (INDEX + 1) MODULATOR_HZ, can still be too large; no index but 0 brings it below twice
// the modulator, so the modulator is what mends it.
cli::Outcome compute(const cli::Values& values) {
  const double carrier_hz = values[kCarrierHz];
  const double modulator_hz = values[kModulatorHz];
  const double index = values[kIndex];
  cli::Table table;
  table.add_column("Sideband", cli::Table::Align::kRight, "order");
  table.add_column("Frequency (Hz)");
  table.add_column("Amplitude");
  table.add_column("Remark", cli::Table::Align::kLeft);
  table.add_column("Magnitude", cli::Table::Align::kLeft);
  const std::vector<acoustics::FmComponent> components =
      acoustics::fm_spectrum(carrier_hz, modulator_hz, index, static_cast<int>(values[kCount]));
  for (const acoustics::FmComponent& component : components) {
    const char* remark = component.silent      ? "silent (0 Hz)"
                         : component.reflected ? "reflected"
                                               : "";
    const char* word = component.silent ? "silent" : component.reflected ? "reflected" : "";
    table.add_row({order_cell(component.order), frequency_cell(component, carrier_hz, modulator_hz),
                   amplitude_cell(component.amplitude, component.amplitude_uncertainty),
                   cli::Table::Cell::worded(remark, word), bar(component.amplitude)});
  }
  const double bandwidth_hz = acoustics::carson_bandwidth_hz(index, modulator_hz);
  return cli::Results()
      .add_table("sidebands", std::move(table))
      .add_note("As heard, in order of frequency, the components at one frequency summed:\n")
      .add_table("heard",
                 heard_table(acoustics::heard_spectrum(components, carrier_hz, modulator_hz),
                             components, carrier_hz, modulator_hz))
      .add("Bandwidth (Carson's rule)", bandwidth_hz, "Hz")
      .as("bandwidth_hz")
      // 2 (INDEX + 1) MODULATOR_HZ = 2 INDEX MODULATOR_HZ + 2 MODULATOR_HZ.
      .shown_as(product_text(bandwidth_hz, 2 * index, modulator_hz, 2 * modulator_hz))
      .finish(kModulatorHz);
}

// The modulated sine itself, not a sum of the listed sidebands: its spectrum holds every
// sideband, the listed ones with the listed amplitudes.
render::SoundRecipe sound(const cli::Values& values) {
  const double carrier_hz = values[kCarrierHz];
  acoustics::Partial carrier{"the carrier", carrier_hz,           1.0,
                             false,         values[kModulatorHz], values[kIndex]};
  return {{{{{std::move(carrier)}}}},
          carrier_hz >= acoustics::kNyquistHz ? kCarrierHz : kModulatorHz};
}

// The spectrum as heard: one line per frequency, reflected and summed ones marked.
std::string draw(const cli::Values& values) {
  const double carrier_hz = values[kCarrierHz];
  const double modulator_hz = values[kModulatorHz];
  const int count = static_cast<int>(values[kCount]);
  const std::vector<acoustics::FmComponent> components =
      acoustics::fm_spectrum(carrier_hz, modulator_hz, values[kIndex], count);
  render::SpectrumChart chart;
  chart.title = "ZIRR: carrier " + cli::format_short(carrier_hz) + " Hz, modulator " +
                cli::format_short(modulator_hz) + " Hz, index " + cli::format_short(values[kIndex]);
  chart.amplitude_label = "Magnitude (unmodulated carrier = 1)";
  chart.note = "dashed: holds a sideband reflected from below 0 Hz; ring: components summed";
  for (const acoustics::HeardComponent& line :
       acoustics::heard_spectrum(components, carrier_hz, modulator_hz)) {
    render::SpectrumLine drawn{
        line.frequency_hz, line.amplitude, {}, false, line.orders.size() > 1};
    for (const int order : line.orders) {
      drawn.label += (drawn.label.empty() ? "" : " and ") + order_label(order);
      drawn.reflected =
          drawn.reflected || components[static_cast<std::size_t>(order + count)].reflected;
    }
    chart.lines.push_back(std::move(drawn));
  }
  return render::draw_spectrum(chart);
}

}  // namespace

cli::Tool zirr_tool() {
  cli::Tool tool = cli::catalogued_tool("zirr.exe");
  tool.help =
      "Lists the spectrum of a frequency-modulated sine, sin(2 pi fc t + INDEX sin(2 pi fm t)):\n"
      "the carrier and the sideband pairs k = 1 to COUNT at CARRIER_HZ -/+ k * MODULATOR_HZ,\n"
      "with amplitudes J_k(INDEX) (Bessel functions of the first kind) relative to the\n"
      "unmodulated carrier; the lower sideband of odd k has its sign inverted. A sideband\n"
      "below 0 Hz is heard at its absolute value: shown so, marked as reflected, and its sign\n"
      "inverted once more. One at exactly 0 Hz is marked silent (a sine at 0 Hz vanishes).\n"
      "The bar shows each magnitude (40 # for the unmodulated carrier). Then the spectrum as\n"
      "heard: the components in order of frequency, those on one frequency (a reflected\n"
      "sideband on the carrier or on another sideband, equal as typed) summed with their\n"
      "signs. Last, the bandwidth by Carson's rule: 2 * (INDEX + 1) * MODULATOR_HZ, or 0 Hz\n"
      "when INDEX is 0 (a pure sine).\n"
      "Both frequencies must be above 0; INDEX from 0 to 100, default 1; COUNT a whole number\n"
      "from 1 to 100, default the whole part of INDEX plus 2 (at most 100).\n"
      "--wav FILE plays the modulated sine itself, whose spectrum is the table above\n"
      "(every sideband above 1e-5 must lie below 24000 Hz); --svg FILE draws the\n"
      "spectrum as heard.\n"
      "\n"
      "Example: zirr.exe 1000 100 1  lists 700 to 1300 Hz, the carrier at 0.765198, and\n"
      "         Bandwidth (Carson's rule): 400.000 Hz\n"
      "         zirr.exe 100 100 2 4  hears the carrier J0(2) and the reflected sideband -2\n"
      "         at 100 Hz as one: J0(2) - J2(2) = -0.128943\n";
  tool.inputs = {
      cli::real_input("CARRIER_HZ", "Carrier frequency (Hz)")
          .checked_by(cli::must_be_positive("carrier frequency must be above 0 Hz")),
      cli::real_input("MODULATOR_HZ", "Modulator frequency (Hz)")
          .checked_by(cli::must_be_positive("modulator frequency must be above 0 Hz")),
      cli::real_input("INDEX", "Modulation index")
          .defaults_to(1)
          .checked_by(cli::must_be_within(0, acoustics::kMaxBesselArgument,
                                          "modulation index must be between 0 and 100")),
      cli::integer_input("COUNT", "Number of sideband pairs")
          .defaults_from([](const cli::Values& earlier) -> std::optional<double> {
            return acoustics::default_fm_sideband_count(earlier[kIndex]);
          })
          .checked_by(cli::must_be_within(1, acoustics::kMaxBesselOrder,
                                          "number of sideband pairs must be from 1 to 100")),
  };
  tool.check_across(kModulatorHz, check_first_sideband);
  tool.check_across(kCount, check_highest_sideband);
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("bandwidth_hz",
                        "the bandwidth by Carson's rule, 2 (INDEX + 1) MODULATOR_HZ"),
  };
  tool.output.tables = {
      {"sidebands",
       "the carrier (order 0) and the sidebands -k and +k, k = 1 to COUNT",
       {cli::integer_field("order", "0 for the carrier, -k or +k for a sideband"),
        cli::number_field("frequency_hz",
                          "CARRIER_HZ + order * MODULATOR_HZ, at its absolute value"),
        cli::number_field("amplitude", "J_k(INDEX), signed, the unmodulated carrier's being 1"),
        cli::text_field("remark", "reflected: below 0 Hz; silent: at 0 Hz",
                        {"reflected", "silent"})}},
      {"heard",
       "the spectrum as heard: one row per frequency, the components there summed",
       {cli::number_field("frequency_hz", "the frequency"),
        cli::number_field("amplitude", "the sum of the components' signed amplitudes"),
        cli::text_field("orders", "the orders summed there, separated by spaces (0 -2)")}},
  };
  render::renders_sound(tool, sound);
  render::renders_drawing(tool, draw);
  return tool;
}

}  // namespace quesdral::tools
