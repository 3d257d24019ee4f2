// Independent references: the lowest modes of a 5 x 4 x 3 m room were worked out by hand
// from the textbook formula; the axial count of a room is floor(2 L f / c) per dimension;
// BruteForce below enumerates the textbook formula over a generous cube of indices, with no
// bounds, scaling or ordering shared with the code under test; and the exact ties and
// limits were counted in Python with exact fractions over every index triple
// ((p/L)^2 + (q/W)^2 + (r/H)^2 of the decimals as typed).
#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <tuple>

#include <gtest/gtest.h>

namespace quesdral::acoustics {
namespace {

using Indices = std::tuple<int, int, int>;

struct BruteForce {
  std::vector<Indices> modes;  // in (p, q, r) order
  int kinds[3] = {0, 0, 0};
};

BruteForce brute_force(double l, double w, double h, double c, double max_hz) {
  BruteForce result;
  const auto top = [&](double dimension) {
    return static_cast<int>(2 * dimension * max_hz / c) + 2;
  };
  for (int p = 0; p <= top(l); ++p) {
    for (int q = 0; q <= top(w); ++q) {
      for (int r = 0; r <= top(h); ++r) {
        if (p + q + r == 0)
          continue;
        const double f =
            c / 2 * std::sqrt((p / l) * (p / l) + (q / w) * (q / w) + (r / h) * (r / h));
        // A mode within rounding of the limit would make the comparison a coin toss.
        EXPECT_GT(std::abs(f - max_hz), max_hz * 1e-9) << "choose another limit";
        if (f > max_hz)
          continue;
        result.modes.emplace_back(p, q, r);
        ++result.kinds[(p != 0) + (q != 0) + (r != 0) - 1];
      }
    }
  }
  return result;
}

Room room_of(double l, double w, double h, double c) {
  const auto room = make_room(l, w, h, c);
  EXPECT_TRUE(room.has_value());
  return room.value_or(Room{});
}

std::vector<Indices> indices_of(const std::vector<RoomMode>& modes) {
  std::vector<Indices> indices;
  for (const RoomMode& mode : modes)
    indices.emplace_back(mode.p, mode.q, mode.r);
  return indices;
}

TEST(RoomModes, LowestModesOfAKnownRoom) {
  const auto modes = list_room_modes(room_of(5, 4, 3, 343), 80);
  ASSERT_TRUE(modes.has_value());
  const struct {
    Indices indices;
    double frequency_hz;
    ModeKind kind;
  } expected[] = {
      {{1, 0, 0}, 34.3, ModeKind::kAxial},
      {{0, 1, 0}, 42.875, ModeKind::kAxial},
      {{1, 1, 0}, 54.90679033598668, ModeKind::kTangential},
      {{0, 0, 1}, 57.16666666666667, ModeKind::kAxial},
      {{1, 0, 1}, 66.66721666439793, ModeKind::kTangential},
      {{2, 0, 0}, 68.6, ModeKind::kAxial},
      {{0, 1, 1}, 71.45833333333333, ModeKind::kTangential},
      {{1, 1, 1}, 79.26401076641137, ModeKind::kOblique},
  };
  ASSERT_EQ(modes->size(), std::size(expected));
  for (std::size_t i = 0; i < modes->size(); ++i) {
    const RoomMode& mode = (*modes)[i];
    EXPECT_EQ(Indices(mode.p, mode.q, mode.r), expected[i].indices) << i;
    EXPECT_NEAR(mode.frequency_hz, expected[i].frequency_hz, 1e-9) << i;
    EXPECT_EQ(mode.kind, expected[i].kind) << i;
  }
}

TEST(RoomModes, MatchBruteForceInRoomsOfEveryShape) {
  const struct {
    const char* what;
    double l, w, h, c, max_hz;
  } rooms[] = {
      {"living room", 5, 4, 3, 343.2146226825680, 300},
      {"hall", 30, 20, 12, 343, 120},
      {"cube", 2.5, 2.5, 2.5, 343, 700},
      {"very flat", 10, 10, 0.01, 343, 1500},
      {"very long", 1000, 0.5, 0.5, 343, 300},
      {"long and thin the other way round", 0.3, 0.2, 800, 343, 950},
  };
  for (const auto& room : rooms) {
    SCOPED_TRACE(room.what);
    const BruteForce expected = brute_force(room.l, room.w, room.h, room.c, room.max_hz);
    const Room model = room_of(room.l, room.w, room.h, room.c);
    const auto modes = list_room_modes(model, room.max_hz);
    ASSERT_TRUE(modes.has_value());
    EXPECT_TRUE(std::is_sorted(modes->begin(), modes->end(), [](const auto& a, const auto& b) {
      return std::tie(a.frequency_hz, a.p, a.q, a.r) < std::tie(b.frequency_hz, b.p, b.q, b.r);
    }));
    std::vector<Indices> found = indices_of(*modes);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, expected.modes);
    int kinds[3] = {0, 0, 0};
    for (const RoomMode& mode : *modes)
      ++kinds[static_cast<int>(mode.kind)];
    EXPECT_EQ(kinds[0], expected.kinds[0]);
    EXPECT_EQ(kinds[1], expected.kinds[1]);
    EXPECT_EQ(kinds[2], expected.kinds[2]);
    const ModeCount count = count_room_modes(model, room.max_hz);
    EXPECT_TRUE(count.exact);
    EXPECT_EQ(count.modes, expected.modes.size());
  }
}

TEST(RoomModes, TiesAreOrderedByIndices) {
  // A 2 m cube at c = 400 m/s has three axial modes at exactly 100 Hz and three
  // tangential ones at 100 sqrt(2) Hz; a 2 x 1 m floor puts (2, 0, 0) and (0, 1, 0) at 200 Hz.
  const auto cube = list_room_modes(room_of(2, 2, 2, 400), 150);
  ASSERT_TRUE(cube.has_value());
  EXPECT_EQ(
      indices_of(*cube),
      (std::vector<Indices>{{0, 0, 1}, {0, 1, 0}, {1, 0, 0}, {0, 1, 1}, {1, 0, 1}, {1, 1, 0}}));
  const auto floor = list_room_modes(room_of(2, 1, 0.5, 400), 210);
  ASSERT_TRUE(floor.has_value());
  EXPECT_EQ(indices_of(*floor), (std::vector<Indices>{{1, 0, 0}, {0, 1, 0}, {2, 0, 0}}));
}

// Ties of the decimals as typed, whose doubles may round apart: (0,0,7), (5,8,2) and
// (10,4,2) of a 5 x 4 x 3 m room all have (p/L)^2 + (q/W)^2 + (r/H)^2 = 49/9; (1,0,0) and
// (0,3,0) of a 0.1 x 0.3 m floor both have 100.
TEST(RoomModes, ExactTiesAreOrderedByIndices) {
  const struct {
    const char* what;
    double l, w, h, max_hz;
    std::vector<Indices> tied;
  } cases[] = {
      {"5 x 4 x 3 m", 5, 4, 3, 500, {{0, 0, 7}, {5, 8, 2}, {10, 4, 2}}},
      {"0.1 x 0.3 x 0.01 m", 0.1, 0.3, 0.01, 2000, {{0, 3, 0}, {1, 0, 0}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto room = make_room_in_air(c.l, c.w, c.h, 20);
    ASSERT_TRUE(room.has_value());
    const auto modes = list_room_modes(*room, c.max_hz);
    ASSERT_TRUE(modes.has_value());
    const std::vector<Indices> listed = indices_of(*modes);
    const auto first = std::find(listed.begin(), listed.end(), c.tied[0]);
    ASSERT_LE(first + static_cast<std::ptrdiff_t>(c.tied.size()), listed.end());
    EXPECT_EQ(std::vector<Indices>(first, first + static_cast<std::ptrdiff_t>(c.tied.size())),
              c.tied);
    for (std::size_t i = 1; i < c.tied.size(); ++i)
      EXPECT_FALSE(lists_before(*room,
                                (*modes)[static_cast<std::size_t>(first - listed.begin()) + i],
                                (*modes)[static_cast<std::size_t>(first - listed.begin())]));
  }
}

TEST(RoomModes, AModeExactlyAtTheLimitIsListed) {
  const auto in_air = [](double l, double w, double h, double temperature_c) {
    const auto room = make_room_in_air(l, w, h, temperature_c);
    EXPECT_TRUE(room.has_value());
    return room.value_or(Room{});
  };
  const struct {
    const char* what;
    Room room;
    double max_hz;
    std::size_t count;
  } cases[] = {
      {"2 m cube, c = 400 m/s", room_of(2, 2, 2, 400), 100, 3},
      {"just below", room_of(2, 2, 2, 400), std::nextafter(100.0, 0.0), 0},
      {"the limit as a user would type it", room_of(5, 4, 3, 343), 34.3, 1},
      // At 0 degrees C, c / 2 = 165.65 m/s: p^2 + q^2 + r^2 <= 9 holds for 28 triples, and
      // 496.95 = 3 * 165.65 holds the six with a sum of exactly 9.
      {"1 m cube at 0 degrees C", in_air(1, 1, 1, 0), 496.95, 28},
      {"just below", in_air(1, 1, 1, 0), std::nextafter(496.95, 0.0), 22},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const auto modes = list_room_modes(c.room, c.max_hz);
    ASSERT_TRUE(modes.has_value());
    EXPECT_EQ(modes->size(), c.count);
    EXPECT_EQ(count_room_modes(c.room, c.max_hz).modes, c.count);
  }
}

TEST(RoomModes, RefusesOneModeTooMany) {
  const Room room = room_of(5, 4, 3, 343.2146226825680);
  const std::size_t all = list_room_modes(room, 300)->size();
  EXPECT_TRUE(list_room_modes(room, 300, all).has_value());
  EXPECT_FALSE(list_room_modes(room, 300, all - 1).has_value());
}

TEST(RoomModes, NthModeFollowsTheListing) {
  for (const Room& room : {room_of(5, 4, 3, 343.2146226825680), room_of(3, 3, 3, 343)}) {
    const auto modes = list_room_modes(room, 300);
    ASSERT_TRUE(modes.has_value());
    for (std::size_t n = 1; n <= modes->size(); ++n) {
      const RoomMode nth = nth_mode(room, n);
      const RoomMode& listed = (*modes)[n - 1];
      ASSERT_EQ(Indices(nth.p, nth.q, nth.r), Indices(listed.p, listed.q, listed.r)) << n;
    }
  }
  // In a room far longer than wide or high, the first ten thousand modes all lie along its
  // length, whichever dimension that is, while every mode across it lies within rounding of
  // every other (their weights differ far below the last digit of a double).
  struct Long {
    Room room;
    Indices nth;
  };
  const Long rooms[] = {{room_of(1e300, 1, 1, 343), Indices(10001, 0, 0)},
                        {room_of(1, 1e300, 1, 343), Indices(0, 10001, 0)},
                        {room_of(1, 1, 1e150, 343), Indices(0, 0, 10001)}};
  for (const Long& c : rooms) {
    const RoomMode nth = nth_mode(c.room, 10001);
    EXPECT_EQ(Indices(nth.p, nth.q, nth.r), c.nth);
  }
}

// The next value above max_hz with six significant digits.
double next_six_digit_value(double max_hz) {
  return max_hz + std::pow(10.0, std::floor(std::log10(max_hz)) - 5);
}

TEST(RoomModes, HighestLimitWithinTheBoundIsSharp) {
  const struct {
    const char* what;
    double l, w, h;
  } rooms[] = {{"hall", 30, 20, 12}, {"cube with many ties", 4, 4, 4}, {"corridor", 3000, 2, 2.5}};
  for (const auto& r : rooms) {
    SCOPED_TRACE(r.what);
    const Room room = room_of(r.l, r.w, r.h, 343.2146226825680);
    const double highest_hz = highest_max_hz_listing_at_most(room);
    const auto listed = list_room_modes(room, highest_hz);
    ASSERT_TRUE(listed.has_value());
    EXPECT_LE(listed->size(), kMaxListedModes);
    EXPECT_GT(listed->size(), kMaxListedModes - 100);
    const double above_hz = next_six_digit_value(highest_hz);
    EXPECT_FALSE(list_room_modes(room, above_hz).has_value());
    const RoomModeSearch refused = search_room_modes(room, above_hz);
    EXPECT_TRUE(refused.too_many);
    EXPECT_TRUE(refused.count.exact);
    EXPECT_GT(refused.count.modes, kMaxListedModes);
    EXPECT_EQ(refused.highest_max_hz, highest_hz);
  }
}

// In a 1 m cube at 0 degrees C the 10001st mode lies exactly at 26 * 165.65 = 4306.9 Hz,
// shared by 15 modes: 9990 lie below it and 10005 at or below it. The highest six-digit
// limit within 10000 modes is the one just below, 4306.89, however 4306.9 rounds as a double.
TEST(RoomModes, HighestLimitStopsShortOfAModeExactlyAtASixDigitValue) {
  const auto room = make_room_in_air(1, 1, 1, 0);
  ASSERT_TRUE(room.has_value());
  EXPECT_EQ(highest_max_hz_listing_at_most(*room), 4306.89);
  EXPECT_EQ(list_room_modes(*room, 4306.89)->size(), 9990U);
  const RoomModeSearch refused = search_room_modes(*room, 4306.9);
  EXPECT_TRUE(refused.too_many);
  EXPECT_TRUE(refused.count.exact);
  EXPECT_EQ(refused.count.modes, 10005U);
  EXPECT_EQ(refused.highest_max_hz, 4306.89);
}

// The three lowest modes of a 1 m cube tie at c / 2. A limit cannot split them: the highest
// six-digit limit for one or two modes lies below the tie and lists none, and the next
// six-digit value lists all three. Below a tie at 100.001 Hz that is 100; below 100 Hz it is
// 99.9999, six digits a decade lower; below 999.9999 Hz, whose next six-digit value up is
// 1000, it is 999.999.
TEST(RoomModes, HighestLimitStopsBelowATieThatStraddlesTheBound) {
  const struct {
    double speed_m_per_s;
    std::size_t limit;
    double highest_hz;
    double next_hz;
  } cases[] = {
      {200.002, 1, 100, 100.001},
      {200.002, 2, 100, 100.001},
      {200, 1, 99.9999, 100},
      {1999.9998, 2, 999.999, 1000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.speed_m_per_s);
    const Room cube = room_of(1, 1, 1, c.speed_m_per_s);
    EXPECT_EQ(highest_max_hz_listing_at_most(cube, c.limit), c.highest_hz);
    EXPECT_EQ(list_room_modes(cube, c.highest_hz)->size(), 0U);
    EXPECT_EQ(list_room_modes(cube, c.next_hz)->size(), 3U);
  }
}

// The speed of sound in air is known from -100 to 200 degrees C, and so is the room.
TEST(RoomModes, InAirOnlyWithinTheTemperatureRange) {
  EXPECT_TRUE(make_room_in_air(5, 4, 3, -100).has_value());
  EXPECT_TRUE(make_room_in_air(5, 4, 3, 200).has_value());
  EXPECT_FALSE(make_room_in_air(5, 4, 3, -100.001).has_value());
  EXPECT_FALSE(make_room_in_air(5, 4, 3, 200.001).has_value());
}

TEST(RoomModes, CountsAHugeHallWithoutListingIt) {
  // A 1000 m cube to 20 kHz has some 8e14 modes; the count stops at its budget and says so.
  const Room room = room_of(1000, 1000, 1000, 343.2146226825680);
  const RoomModeSearch search = search_room_modes(room, 20000);
  EXPECT_TRUE(search.too_many);
  EXPECT_TRUE(search.modes.empty());
  EXPECT_FALSE(search.count.exact);
  EXPECT_GT(search.count.modes, kModeCountColumnBudget);
  EXPECT_LE(list_room_modes(room, search.highest_max_hz)->size(), kMaxListedModes);

  const ModeCount small_budget = count_room_modes(room_of(5, 4, 3, 343), 300, 10);
  EXPECT_FALSE(small_budget.exact);
  EXPECT_LT(small_budget.modes, 200U);
}

// A count that nears the range of its integer stops there as a lower bound. A 1e12 m
// corridor 1 m wide and high, at c = 2 m/s and 220 Hz, has few columns (about 38,000) but
// some (pi / 6) (2 L f / c)(2 W f / c)(2 H f / c) = 5.6e18 modes, more than 2^62.
TEST(RoomModes, CountStopsNearTheRangeOfItsInteger) {
  const ModeCount count = count_room_modes(room_of(1e12, 1, 1, 2), 220);
  EXPECT_FALSE(count.exact);
  EXPECT_GE(count.modes, (std::uint64_t{1} << 62) - 1);
  EXPECT_LT(count.modes, (std::uint64_t{1} << 62) + (std::uint64_t{1} << 52));
}

TEST(RoomModes, ExtremeRooms) {
  // Too large for its lowest mode to be a normal number, at a speed of sound near 0.
  EXPECT_FALSE(make_room(1e308, 1, 1, 1e-3).has_value());
  // Sides further apart than any double can say: the steps along the shortest overflow, and
  // a search there never ended.
  EXPECT_FALSE(make_room(12, 2.2250738585072014e-308, 2, 343).has_value());
  EXPECT_FALSE(make_room_in_air(1e300, 1e-9, 1, 20).has_value());
  EXPECT_TRUE(sides_in_proportion(1e154, 1e-154, 1));
  // A room thinner than any wavelength has only the modes of its floor.
  const auto thin = list_room_modes(room_of(5, 4, 1e-300, 343), 300);
  ASSERT_TRUE(thin.has_value());
  EXPECT_EQ(thin->size(), brute_force(5, 4, 0.1, 343, 300).modes.size());
  for (const RoomMode& mode : *thin)
    EXPECT_EQ(mode.r, 0);
  // A room so long that its modes crowd together is refused, not listed forever.
  const RoomModeSearch endless = search_room_modes(room_of(1e300, 1, 1, 343), 1);
  EXPECT_TRUE(endless.too_many);
  EXPECT_FALSE(endless.count.exact);
  EXPECT_GT(endless.highest_max_hz, 0.0);
}

// Third-octave bands have their centres at 10^(n/10) Hz and edges at 10^((n -/+ 0.5)/10)
// Hz, and take the names of the preferred numbers of ISO 266 (0.8, 1, 12.5, 31.5, 63, 3150,
// 20000 Hz ...). Bonello's criterion judges full bands against the band below.
TEST(ModeBands, CountModesPerBandAndJudgeBonellosCriterion) {
  struct Band {
    double nominal_hz;
    std::size_t modes;
    bool partial, below_lower;
  };
  struct Case {
    const char* name;
    std::vector<double> modes_hz;  // sorted
    double max_hz;
    std::vector<Band> bands;
  };
  const Case cases[] = {
      // 28.2 to 35.5 Hz is the band of 31.5 Hz; 50 Hz (44.7 to 56.2) holds none here.
      {"a gap",
       {30.0, 35.0, 40.0, 41.0, 60.0},
       70.0,
       {{31.5, 2, false, false},
        {40.0, 2, false, false},
        {50.0, 0, false, true},
        {63.0, 1, true, false}}},
      // A cut band with fewer modes is not judged: it lacks modes by its cut.
      {"a cut band",
       {0.79, 1.0, 1.05, 1.2},
       1.3,
       {{0.8, 1, false, false}, {1.0, 2, false, false}, {1.25, 1, true, false}}},
      {"the top band", {20000.0}, 21000.0, {{20000.0, 1, true, false}}},
  };
  const auto modes_at = [](const std::vector<double>& modes_hz) {
    std::vector<RoomMode> modes;
    for (double hz : modes_hz)
      modes.push_back({1, 0, 0, hz, ModeKind::kAxial});
    return modes;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<ModeBand> bands = third_octave_bands(modes_at(c.modes_hz), c.max_hz);
    ASSERT_EQ(bands.size(), c.bands.size());
    for (std::size_t i = 0; i < bands.size(); ++i) {
      SCOPED_TRACE(c.bands[i].nominal_hz);
      EXPECT_EQ(bands[i].nominal_hz, c.bands[i].nominal_hz);
      EXPECT_EQ(bands[i].modes, c.bands[i].modes);
      EXPECT_EQ(bands[i].partial, c.bands[i].partial);
      EXPECT_EQ(bands[i].below_lower, c.bands[i].below_lower);
    }
  }
  EXPECT_TRUE(third_octave_bands({}, 100.0).empty());

  // Across decades, empty bands included: 12.5 Hz up to 3150 Hz are 25 bands.
  const std::vector<ModeBand> wide = third_octave_bands(modes_at({12.0, 14.5, 3000.0}), 3100.0);
  ASSERT_EQ(wide.size(), 25u);
  EXPECT_EQ(wide[1].nominal_hz, 16.0);
  EXPECT_EQ(wide[2].nominal_hz, 20.0);
  EXPECT_TRUE(wide[2].below_lower);
  EXPECT_EQ(wide.back().nominal_hz, 3150.0);
  EXPECT_EQ(wide.back().modes, 1u);
  EXPECT_TRUE(wide.back().partial);
}

// The preferred numbers of ISO 266 (series R10) as its table prints them, band by band from
// 0.16 Hz (band -8) to 2.5 MHz (band 64).
TEST(ModeBands, NamesAreThePreferredNumbersInPlainDecimals) {
  const char* const kIsoNames[] = {
      "0.16",   "0.2",    "0.25",   "0.315",  "0.4",    "0.5",     "0.63",    "0.8",     "1",
      "1.25",   "1.6",    "2",      "2.5",    "3.15",   "4",       "5",       "6.3",     "8",
      "10",     "12.5",   "16",     "20",     "25",     "31.5",    "40",      "50",      "63",
      "80",     "100",    "125",    "160",    "200",    "250",     "315",     "400",     "500",
      "630",    "800",    "1000",   "1250",   "1600",   "2000",    "2500",    "3150",    "4000",
      "5000",   "6300",   "8000",   "10000",  "12500",  "16000",   "20000",   "25000",   "31500",
      "40000",  "50000",  "63000",  "80000",  "100000", "125000",  "160000",  "200000",  "250000",
      "315000", "400000", "500000", "630000", "800000", "1000000", "1250000", "1600000", "2000000",
      "2500000"};
  int index = -8;
  for (const char* name : kIsoNames) {
    EXPECT_EQ(band_name(index), name) << "band " << index;
    ++index;
  }
  // Beyond the table the same digits move by whole decades.
  EXPECT_EQ(band_name(-25), "0.00315");
  EXPECT_EQ(band_name(-30), "0.001");
  EXPECT_EQ(band_name(80), "100000000");
}

}  // namespace
}  // namespace quesdral::acoustics
