// What the speed-of-sound tools (WIRN, GRENDAX, YOMBRIC) share: the air temperature they
// all take last, and the speed of sound it gives.
#pragma once

#include <optional>
#include <string>

#include "acoustics/space_time.hpp"
#include "cli/number_format.hpp"
#include "cli/tool.hpp"

namespace quesdral::tools {

inline constexpr double kDefaultTemperatureC = 20.0;

// The last input of each tool: TEMPERATURE_C, default 20, from -100 to 200.
inline cli::Input temperature_input() {
  return cli::real_input("TEMPERATURE_C", "Air temperature (degrees C)")
      .defaults_to(kDefaultTemperatureC)
      .checked_by(cli::must_be_within(
          acoustics::kMinTemperatureC, acoustics::kMaxTemperatureC,
          "temperature must be from -100 to 200 degrees C (the speed of sound is computed for "
          "air)"));
}

// The speed of sound at a temperature that temperature_input() accepted.
inline double speed_at(double temperature_c) {
  return acoustics::speed_of_sound_m_per_s(temperature_c).value_or(0.0);
}

// "343.215 m/s at 20 degrees C", for messages that depend on the speed of sound.
inline std::string speed_phrase(double temperature_c) {
  return cli::format_number(speed_at(temperature_c)) + " m/s at " +
         cli::format_short(temperature_c) + " degrees C";
}

}  // namespace quesdral::tools
