// WIRN: the time between successive echoes across a distance.
#include "acoustics/space_time.hpp"
#include "space_time_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kDistanceM, kTemperatureC };

// Within the temperatures allowed the speed of sound changes too little to bring a result
// back into range, so a refused result asks for the distance again.
cli::Outcome compute(const cli::Values& values) {
  const double speed_m_per_s = speed_at(values[kTemperatureC]);
  const double interval_s = acoustics::echo_interval_s(values[kDistanceM], speed_m_per_s);
  return cli::Results()
      .add("Speed of sound", speed_m_per_s, "m/s")
      .add_magnitude("Echo interval", interval_s, "s")
      .add_magnitude("Echo interval", interval_s * 1000.0, "ms")
      .finish(kDistanceM);
}

}  // namespace

cli::Tool wirn_tool() {
  cli::Tool tool = cli::catalogued_tool("wirn.exe");
  tool.help =
      "Computes the time between successive echoes of a sound travelling between a source\n"
      "and a reflecting surface DISTANCE_M away (or between two parallel walls DISTANCE_M\n"
      "apart): the sound covers the distance there and back, so\n"
      "  interval = 2 * DISTANCE_M / c s\n"
      "with c = 331.3 * sqrt(1 + TEMPERATURE_C / 273.15) m/s, the speed of sound in air.\n"
      "DISTANCE_M must be above 0; TEMPERATURE_C must be from -100 to 200 (the formula is for\n"
      "air) and defaults to 20 (c = 343.215 m/s).\n"
      "\n"
      "Example: wirn.exe 10  prints  Speed of sound: 343.215 m/s\n"
      "                              Echo interval: 0.0582726 s\n"
      "                              Echo interval: 58.2726 ms\n";
  tool.inputs = {
      cli::real_input("DISTANCE_M", "Distance (m)")
          .checked_by(cli::must_be_positive("distance must be above 0 m")),
      temperature_input(),
  };
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("speed_of_sound_m_per_s", "the speed of sound at TEMPERATURE_C"),
      cli::number_field("echo_interval_s", "2 * DISTANCE_M / c"),
      cli::number_field("echo_interval_ms", "the same in ms"),
  };
  return tool;
}

}  // namespace quesdral::tools
