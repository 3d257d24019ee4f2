// FENZO: the level of a point source at a second distance, by the inverse square law.
#include "acoustics/levels.hpp"
#include "cli/cli.hpp"

namespace {

using quesdral::cli::Outcome;
using quesdral::cli::Results;

Outcome compute(const std::vector<double>& values) {
  const double level_db = values[0];
  const double distance_1 = values[1];
  const double distance_2 = values[2];
  const double change_db =
      quesdral::acoustics::level_change_db_with_distance(distance_1, distance_2);
  return Results()
      .add("Level at distance 2", level_db + change_db, "dB")
      .add("Change", change_db, "dB")
      .finish();
}

quesdral::cli::Tool make_tool() {
  using namespace quesdral::cli;
  Tool tool;
  tool.command = "fenzo.exe";
  tool.label = "FENZO";
  tool.description = "It finds the amplitude [dB] according to the inverse square law";
  tool.help =
      "Computes the level of a point source in a free field at a second distance, from its\n"
      "level at a first distance (the inverse square law):\n"
      "  level at DISTANCE_2 = LEVEL_DB - 20 * log10(DISTANCE_2 / DISTANCE_1) dB\n"
      "and the change in dB (about -6.02 dB for each doubling of the distance). The distances\n"
      "must be above 0, in any unit, the same for both. There are no defaults.\n"
      "\n"
      "Example: fenzo.exe 94 1 2  prints  Level at distance 2: 87.9794 dB\n"
      "                                   Change: -6.02060 dB\n";
  tool.inputs = {
      real_input("LEVEL_DB", "Level at distance 1 in dB"),
      real_input("DISTANCE_1", "Distance 1 (any unit)")
          .checked_by(must_be_positive("distance 1 must be above 0")),
      real_input("DISTANCE_2", "Distance 2 (same unit)")
          .checked_by(must_be_positive("distance 2 must be above 0")),
  };
  tool.compute = compute;
  return tool;
}

}  // namespace

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(make_tool(), argc, argv);
}
