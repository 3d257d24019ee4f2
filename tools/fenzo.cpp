// FENZO: the level of a point source at a second distance, by the inverse square law.
#include "acoustics/levels.hpp"
#include "cli/number_format.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kLevelDb, kDistance1, kDistance2 };

cli::Outcome compute(const cli::Values& values) {
  const double distance_1 = values[kDistance1];
  const double distance_2 = values[kDistance2];
  // Named by its role and its value: "distance 2" alone would read as 2 metres.
  return cli::Results()
      .add("Level at the second distance (" + cli::format_short(distance_2) + ")",
           acoustics::level_db_at_distance(values[kLevelDb], distance_1, distance_2), "dB")
      .as("level_at_second_distance_db")
      .add("Change", acoustics::level_change_db_with_distance(distance_1, distance_2), "dB")
      .finish();
}

}  // namespace

cli::Tool fenzo_tool() {
  cli::Tool tool = cli::catalogued_tool("fenzo.exe");
  tool.help =
      "Computes the level of a point source in a free field at a second distance, from its\n"
      "level at a first distance (the inverse square law):\n"
      "  level at DISTANCE_2 = LEVEL_DB - 20 * log10(DISTANCE_2 / DISTANCE_1) dB\n"
      "and the change in dB (about -6.02 dB for each doubling of the distance). The distances\n"
      "must be above 0, in any unit, the same for both. There are no defaults.\n"
      "\n"
      "Example: fenzo.exe 94 1 2  prints  Level at the second distance (2): 87.9794 dB\n"
      "                                   Change: -6.02060 dB\n";
  tool.inputs = {
      cli::real_input("LEVEL_DB", "Level at the first distance in dB"),
      cli::real_input("DISTANCE_1", "First distance (any unit)")
          .checked_by(cli::must_be_positive("distance 1 must be above 0")),
      cli::real_input("DISTANCE_2", "Second distance (same unit)")
          .checked_by(cli::must_be_positive("distance 2 must be above 0")),
  };
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("level_at_second_distance_db", "the level at DISTANCE_2"),
      cli::number_field("change_db", "the change of level from the first distance to the second"),
  };
  return tool;
}

}  // namespace quesdral::tools
