// The rooms whose refusals took seconds before the count bounded its exact tests, found by
// bench/yombric_slowest.py: sides typed across hundreds of decades, whose weights run to a
// thousand bits, and limits that put column tops within rounding of the limit; and the
// slowest it found for the summary. Each search and summary must end within a second of
// processor time together; that is five times the slowest here, so that a loaded machine
// does not fail it.
#include <ctime>

#include <gtest/gtest.h>

#include "acoustics/room_modes.hpp"

namespace quesdral::acoustics {
namespace {

#ifdef QUESDRAL_TIMED_BUILD
constexpr bool kTimedBuild = true;
#else
constexpr bool kTimedBuild = false;  // emulated or sanitized: the work is checked, not its time
#endif

TEST(RoomModes, EverySearchEndsWithinItsWork) {
  struct Case {
    double length_m, width_m, height_m, max_hz;
  };
  const Case cases[] = {
      {2.61e-300, 0.3995, 1.389e+06, 6.116e+08},
      {1.2345678901234567e-300, 0.39951234567891, 1.3891234567891e+06, 6.116e+08},
      {7.5e+3, 8.6e+7, 8e-239, 1.161e+08},
      {1.771e-255, 3.7e-247, 1e-251, 1.484e+259},
      {10.0e+211, 3.313e+215, 7.114e-19, 1.742e-202},
      {8.86e-84, 3.968e-94, 7.6e-92, 2.811e+97},
      {4e+300, 3.77e+300, 9.4e+300, 2.767e-286},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.max_hz);
    const auto room = make_room_in_air(c.length_m, c.width_m, c.height_m, 20);
    ASSERT_TRUE(room.has_value());
    const std::clock_t start = std::clock();
    const RoomModeSearch search = search_room_modes(*room, c.max_hz);
    summarize_room_modes(*room, c.max_hz);
    const double seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    EXPECT_TRUE(search.too_many);
    EXPECT_GT(search.count.modes, kMaxListedModes);
    if (kTimedBuild) {
      EXPECT_LT(seconds, 1.0);
    }
  }
}

// The summary's exact counts agree with the listing's, band by band and kind by kind, in
// rooms of every proportion: round figures with many ties, a thin slab, a long corridor.
TEST(RoomModes, SummaryAgreesWithTheListing) {
  struct Case {
    double length_m, width_m, height_m, max_hz, temperature_c;
  };
  const Case cases[] = {
      {30, 20, 12, 230, 20},
      {6, 4, 2, 200, 20},
      {3, 3, 3, 200, 20},
      {5, 4, 3, 500, 20},
      {7.3, 5.1, 2.9, 400, -20},
      {1, 1, 1, 4306.89, 0},
      {1e-3, 2.5e-3, 7e-4, 2e6, 20},
      {40, 0.5, 0.5, 1500, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.max_hz);
    const auto room = make_room_in_air(c.length_m, c.width_m, c.height_m, c.temperature_c);
    ASSERT_TRUE(room.has_value());
    const auto modes = list_room_modes(*room, c.max_hz);
    ASSERT_TRUE(modes.has_value());
    const auto summary = summarize_room_modes(*room, c.max_hz);
    ASSERT_TRUE(summary.has_value());
    std::uint64_t kinds[3] = {0, 0, 0};
    for (const RoomMode& mode : *modes)
      ++kinds[static_cast<int>(mode.kind)];
    for (int kind = 0; kind < 3; ++kind)
      EXPECT_EQ(summary->kinds[kind], kinds[kind]) << "kind " << kind;
    EXPECT_EQ(summary->modes, modes->size());
    const std::vector<ModeBand> bands =
        third_octave_bands(*modes, c.max_hz, coincident_sizes(*room, *modes));
    ASSERT_EQ(summary->bands.size(), bands.size());
    for (std::size_t i = 0; i < bands.size(); ++i) {
      SCOPED_TRACE(bands[i].nominal_hz);
      EXPECT_EQ(summary->bands[i].modes, bands[i].modes);
      EXPECT_EQ(summary->bands[i].coincident_groups, bands[i].coincident_groups);
    }
  }
}

}  // namespace
}  // namespace quesdral::acoustics
