// GRENDAX: the frequency a moving listener hears from a moving source (Doppler shift).
#include <cmath>
#include <optional>
#include <string>

#include "acoustics/space_time.hpp"
#include "cli/cli.hpp"
#include "space_time_inputs.hpp"

namespace {

using quesdral::cli::format_short;
using quesdral::cli::Outcome;
using quesdral::cli::Results;

// Both speeds are checked against the speed of sound once the temperature is known.
std::optional<std::string> check_temperature(double temperature_c,
                                             const std::vector<double>& earlier) {
  if (auto refused = quesdral::tools::temperature_input().check(temperature_c, earlier)) {
    return refused;
  }
  const double speed_m_per_s = quesdral::tools::speed_at(temperature_c);
  const std::string speed = quesdral::tools::speed_phrase(temperature_c);
  if (!(std::fabs(earlier[1]) < speed_m_per_s)) {
    return "source speed " + format_short(earlier[1]) + " m/s is not below the speed of sound (" +
           speed + "); a source at or above it is not allowed";
  }
  if (!(earlier[2] > -speed_m_per_s)) {
    return "listener speed " + format_short(earlier[2]) + " m/s must be above -" + speed +
           " (a listener receding at the speed of sound or faster never hears the source)";
  }
  return std::nullopt;
}

Outcome compute(const std::vector<double>& values) {
  const double speed_m_per_s = quesdral::tools::speed_at(values[3]);
  const auto shift =
      quesdral::acoustics::doppler_shift(values[0], values[1], values[2], speed_m_per_s);
  if (!shift) {
    const bool rising = values[1] + values[2] > 0;
    return Outcome::failure(std::string("the result (Observed frequency) is too ") +
                            (rising ? "large" : "small") + " to show");
  }
  return Results()
      .add("Speed of sound", speed_m_per_s, "m/s")
      .add_magnitude("Observed frequency", shift->observed_hz, "Hz")
      .add("Shift", shift->shift_hz, "Hz")
      .add("Shift", shift->shift_cents, "cents")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "grendax.exe";
  tool.label = "GRENDAX";
  tool.description = "It calculates the frequency of Doppler shift";
  tool.help =
      "Computes the frequency heard by a moving listener from a moving source:\n"
      "  observed = FREQUENCY_HZ * (c + LISTENER_SPEED) / (c - SOURCE_SPEED) Hz\n"
      "and the shift in Hz and in cents (1200 * log2(observed / FREQUENCY_HZ)). Speeds are in\n"
      "m/s along the line between source and listener, positive when moving toward the\n"
      "other; c = 331.3 * sqrt(1 + TEMPERATURE_C / 273.15) m/s is the speed of sound in air.\n"
      "FREQUENCY_HZ must be above 0; the source must move slower than sound either way\n"
      "(|SOURCE_SPEED| < c); a listener receding at the speed of sound or faster never hears\n"
      "the source (LISTENER_SPEED > -c). TEMPERATURE_C must be above -273.15 and defaults to\n"
      "20 (c = 343.215 m/s).\n"
      "\n"
      "Example: grendax.exe 440 34.3215 0  prints  Observed frequency: 488.889 Hz\n"
      "         (a source approaching at a tenth of the speed of sound), with the shift.\n";
  tool.inputs = {
      real_input("FREQUENCY_HZ", "Source frequency (Hz)")
          .checked_by(must_be_positive("frequency must be above 0 Hz")),
      real_input("SOURCE_SPEED", "Source speed toward the listener (m/s)"),
      real_input("LISTENER_SPEED", "Listener speed toward the source (m/s)"),
      quesdral::tools::temperature_input().checked_by(check_temperature),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
