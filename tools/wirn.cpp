// WIRN: the time between successive echoes across a distance.
#include "acoustics/space_time.hpp"
#include "cli/cli.hpp"
#include "space_time_inputs.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

Outcome compute(const std::vector<double>& values) {
  const double speed_m_per_s = quesdral::tools::speed_at(values[1]);
  const auto interval_s = quesdral::acoustics::echo_interval_s(values[0], speed_m_per_s);
  if (!interval_s)
    return Outcome::failure("the result (Echo interval) is too large to show");
  return Results()
      .add("Speed of sound", speed_m_per_s, "m/s")
      .add_magnitude("Echo interval", *interval_s, "s")
      .add_magnitude("Echo interval", *interval_s * 1000.0, "ms")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "wirn.exe";
  tool.label = "WIRN";
  tool.description = "It calculates the time interval between echoes";
  tool.help =
      "Computes the time between successive echoes of a sound travelling between a source\n"
      "and a reflecting surface DISTANCE_M away (or between two parallel walls DISTANCE_M\n"
      "apart): the sound covers the distance there and back, so\n"
      "  interval = 2 * DISTANCE_M / c s\n"
      "with c = 331.3 * sqrt(1 + TEMPERATURE_C / 273.15) m/s, the speed of sound in air.\n"
      "DISTANCE_M must be above 0; TEMPERATURE_C must be above -273.15 and defaults to 20\n"
      "(c = 343.215 m/s).\n"
      "\n"
      "Example: wirn.exe 10  prints  Speed of sound: 343.215 m/s\n"
      "                              Echo interval: 0.0582726 s\n"
      "                              Echo interval: 58.2726 ms\n";
  tool.inputs = {
      real_input("DISTANCE_M", "Distance (m)")
          .checked_by(must_be_positive("distance must be above 0 m")),
      quesdral::tools::temperature_input(),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
