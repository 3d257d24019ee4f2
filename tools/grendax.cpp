// GRENDAX: the frequency a moving listener hears from a moving source (Doppler shift).
#include <cmath>
#include <optional>
#include <string>

#include "acoustics/space_time.hpp"
#include "cli/number_format.hpp"
#include "render/wav_rendering.hpp"
#include "space_time_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kFrequencyHz, kSourceSpeed, kListenerSpeed, kTemperatureC };

// Both speeds are checked against the speed of sound once the temperature is known; the
// speed itself is asked again, since no temperature in range reaches every speed.
std::optional<std::string> check_source_speed(const cli::Values& values) {
  const double source_speed = values[kSourceSpeed];
  if (std::fabs(source_speed) < speed_at(values[kTemperatureC]))
    return std::nullopt;
  return "source speed " + cli::format_short(source_speed) +
         " m/s is not below the speed of sound (" + speed_phrase(values[kTemperatureC]) +
         "); a source at or above it is not allowed";
}

std::optional<std::string> check_listener_speed(const cli::Values& values) {
  const double listener_speed = values[kListenerSpeed];
  if (listener_speed > -speed_at(values[kTemperatureC]))
    return std::nullopt;
  return "listener speed " + cli::format_short(listener_speed) + " m/s must be above -" +
         speed_phrase(values[kTemperatureC]) +
         " (a listener receding at the speed of sound or faster never hears the source)";
}

cli::Outcome compute(const cli::Values& values) {
  const double speed_m_per_s = speed_at(values[kTemperatureC]);
  const auto shift = acoustics::doppler_shift(values[kFrequencyHz], values[kSourceSpeed],
                                              values[kListenerSpeed], speed_m_per_s);
  if (!shift) {
    const bool rising = values[kSourceSpeed] + values[kListenerSpeed] > 0;
    return cli::Outcome::failure(std::string("the result (Observed frequency) is too ") +
                                     (rising ? "large" : "small") + " to show",
                                 kFrequencyHz);
  }
  return cli::Results()
      .add("Speed of sound", speed_m_per_s, "m/s")
      .add_magnitude("Observed frequency", shift->observed_hz, "Hz")
      .add("Shift", shift->shift_hz, "Hz")
      .add("Shift", shift->shift_cents, "cents")
      .finish(kFrequencyHz);
}

// The source's frequency, then the frequency observed, so that the shift is heard.
render::SoundRecipe sound(const cli::Values& values) {
  const double frequency_hz = values[kFrequencyHz];
  const auto shift = acoustics::doppler_shift(
      frequency_hz, values[kSourceSpeed], values[kListenerSpeed], speed_at(values[kTemperatureC]));
  return {{{{{{"the source's frequency", frequency_hz}}},
            {{{"the observed frequency", shift ? shift->observed_hz : 0.0}}}}},
          kFrequencyHz};
}

}  // namespace

cli::Tool grendax_tool() {
  cli::Tool tool = cli::catalogued_tool("grendax.exe");
  tool.help =
      "Computes the frequency heard by a moving listener from a moving source:\n"
      "  observed = FREQUENCY_HZ * (c + LISTENER_SPEED) / (c - SOURCE_SPEED) Hz\n"
      "and the shift in Hz and in cents (1200 * log2(observed / FREQUENCY_HZ)). Speeds are in\n"
      "m/s along the line between source and listener, positive when moving toward the\n"
      "other; c = 331.3 * sqrt(1 + TEMPERATURE_C / 273.15) m/s is the speed of sound in air.\n"
      "FREQUENCY_HZ must be above 0; the source must move slower than sound either way\n"
      "(|SOURCE_SPEED| < c); a listener receding at the speed of sound or faster never hears\n"
      "the source (LISTENER_SPEED > -c); LISTENER_SPEED defaults to 0, a listener standing\n"
      "still. TEMPERATURE_C must be from -100 to 200 (the formula is for air) and defaults to\n"
      "20 (c = 343.215 m/s).\n"
      "--wav FILE plays the source's frequency, then the observed one.\n"
      "\n"
      "Example: grendax.exe 440 34.3215  prints  Observed frequency: 488.889 Hz\n"
      "         (a source approaching at a tenth of the speed of sound), with the shift.\n";
  tool.inputs = {
      cli::real_input("FREQUENCY_HZ", "Source frequency (Hz)")
          .checked_by(cli::must_be_positive("frequency must be above 0 Hz")),
      cli::real_input("SOURCE_SPEED", "Source speed toward the listener (m/s)")
          .keyed("source_speed_m_per_s"),
      cli::real_input("LISTENER_SPEED", "Listener speed toward the source (m/s)")
          .keyed("listener_speed_m_per_s")
          .defaults_to(0),
      temperature_input(),
  };
  tool.check_across(kSourceSpeed, check_source_speed);
  tool.check_across(kListenerSpeed, check_listener_speed);
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("speed_of_sound_m_per_s", "the speed of sound at TEMPERATURE_C"),
      cli::number_field("observed_frequency_hz", "the frequency the listener hears"),
      cli::number_field("shift_hz", "observed minus emitted frequency"),
      cli::number_field("shift_cents", "the shift in cents"),
  };
  render::renders_sound(tool, sound);
  return tool;
}

}  // namespace quesdral::tools
