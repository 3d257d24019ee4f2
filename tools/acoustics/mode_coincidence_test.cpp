// Coincident modes and the bands that hold them, against an independent brute force: rooms
// whose sides are whole decimetres, where L^2 W^2 H^2 f^2 / (c / 2)^2 in decimetres is the
// whole number p^2 W^2 H^2 + q^2 L^2 H^2 + r^2 L^2 W^2, so that equal frequencies are equal
// integers; every p, q, r up to the limit is tried, and bands are found from the frequency
// and the edges 10^((n -/+ 0.5) / 10) Hz alone.
#include <cmath>
#include <map>
#include <vector>

#include <gtest/gtest.h>

#include "acoustics/room_modes.hpp"

namespace quesdral::acoustics {
namespace {

struct BandTally {
  std::size_t modes = 0;
  std::size_t groups = 0;
};

// Band index -> modes and coincident groups, every mode up to max_hz.
std::map<int, BandTally> brute_force_bands(int l_dm, int w_dm, int h_dm, double c, double max_hz) {
  std::map<long long, std::pair<double, std::size_t>> by_key;  // key -> frequency, modes
  const auto top = [&](int side_dm) { return static_cast<int>(2 * side_dm * max_hz / c / 10); };
  for (int p = 0; p <= top(l_dm) + 1; ++p) {
    for (int q = 0; q <= top(w_dm) + 1; ++q) {
      for (int r = 0; r <= top(h_dm) + 1; ++r) {
        const double f = c / 2 *
                         std::sqrt(std::pow(p / (l_dm / 10.0), 2) + std::pow(q / (w_dm / 10.0), 2) +
                                   std::pow(r / (h_dm / 10.0), 2));
        if (p + q + r == 0 || f > max_hz)
          continue;
        // (p W H)^2 + (q L H)^2 + (r L W)^2, in 64 bits: a hall's terms pass 2^31.
        const long long pwh = 1LL * p * w_dm * h_dm, qlh = 1LL * q * l_dm * h_dm,
                        rlw = 1LL * r * l_dm * w_dm;
        const long long key = pwh * pwh + qlh * qlh + rlw * rlw;
        by_key[key].first = f;
        ++by_key[key].second;
      }
    }
  }
  std::map<int, BandTally> bands;
  for (const auto& [key, found] : by_key) {
    BandTally& band = bands[static_cast<int>(std::floor(10 * std::log10(found.first) + 0.5))];
    band.modes += found.second;
    band.groups += found.second > 1 ? 1 : 0;
  }
  return bands;
}

TEST(ModeBands, CoincidentGroupsMatchBruteForce) {
  struct Case {
    const char* name;
    int l_dm, w_dm, h_dm;
    double max_hz;
  };
  const Case cases[] = {
      {"the 3:2:1 room", 60, 40, 20, 200},     {"a 3 m cube", 30, 30, 30, 330},
      {"a 5 x 4 x 3 m room", 50, 40, 30, 500}, {"a hall", 300, 200, 120, 120},
      {"a studio", 72, 54, 30, 300},
  };
  const double c = 343.0;
  for (const Case& k : cases) {
    SCOPED_TRACE(k.name);
    const auto room = make_room(k.l_dm / 10.0, k.w_dm / 10.0, k.h_dm / 10.0, c);
    ASSERT_TRUE(room.has_value());
    const auto modes = list_room_modes(*room, k.max_hz);
    ASSERT_TRUE(modes.has_value());
    const std::vector<ModeBand> bands =
        third_octave_bands(*modes, k.max_hz, coincident_sizes(*room, *modes));
    std::map<int, BandTally> expected = brute_force_bands(k.l_dm, k.w_dm, k.h_dm, c, k.max_hz);
    for (const ModeBand& band : bands) {
      SCOPED_TRACE(band.nominal_hz);
      EXPECT_EQ(band.modes, expected[band.index].modes);
      EXPECT_EQ(band.coincident_groups, expected[band.index].groups);
      EXPECT_EQ(band.crowded,
                !band.partial && band.modes < kBonelloFewModes && expected[band.index].groups > 0);
    }
  }
}

}  // namespace
}  // namespace quesdral::acoustics
