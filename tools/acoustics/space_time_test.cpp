// Reference values were worked out by hand (octave bands, ratios of 0.9 and 1.1) or with a
// desk calculator from the textbook forms, never by calling the code under test; those
// quoted to 16 digits for narrow bands and the ends of the temperature range were computed
// with mpmath at 40 digits from the doubles as parsed.
#include "acoustics/space_time.hpp"

#include <cfloat>
#include <cmath>
#include <limits>
#include <optional>

#include <gtest/gtest.h>

namespace quesdral::acoustics {
namespace {

void expect_relatively_near(double actual, double expected, double tolerance = 1e-9) {
  EXPECT_NEAR(actual, expected, std::abs(expected) * tolerance) << "expected " << expected;
}

TEST(BandPass, KnownBands) {
  struct Case {
    double low_hz, high_hz, centre_hz, bandwidth_hz, q, octaves, mean_hz;
  };
  const Case cases[] = {
      {100, 200, 141.4213562373095, 100, 1.414213562373095, 1, 150},
      // The 1 kHz octave band of the usual series.
      {707.1067811865475, 1414.213562373095, 1000, 707.1067811865475, 1.414213562373095, 1,
       1060.660171779821},
  };
  for (const Case& c : cases) {
    const BandPass band = band_pass(c.low_hz, c.high_hz);
    expect_relatively_near(band.centre_hz, c.centre_hz);
    expect_relatively_near(band.bandwidth_hz, c.bandwidth_hz);
    expect_relatively_near(band.quality_factor, c.q);
    expect_relatively_near(band.bandwidth_octaves, c.octaves);
    expect_relatively_near(band.arithmetic_mean_hz, c.mean_hz);
  }
}

TEST(BandPass, StaysFiniteAtTheEndsOfTheRange) {
  // Naive LOW * HIGH, LOW + HIGH and HIGH / LOW overflow in these cases.
  const BandPass wide = band_pass(1e-300, 1e300);
  expect_relatively_near(wide.centre_hz, 1.0);
  expect_relatively_near(wide.bandwidth_octaves, 1993.156856932417);
  const BandPass high = band_pass(1e308, 1.5e308);
  expect_relatively_near(high.centre_hz, 1.224744871391589e308);
  expect_relatively_near(high.arithmetic_mean_hz, 1.25e308);
  const BandPass narrow = band_pass(1.0, std::nextafter(1.0, 2.0));
  EXPECT_TRUE(std::isfinite(narrow.quality_factor));
  EXPECT_GT(narrow.quality_factor, 1e15);
}

// log2(HIGH / LOW) of a narrow band is tiny; the rounding of HIGH / LOW alone would leave
// its third digit wrong.
TEST(BandPass, NarrowBandsKeepTheDigitsOfTheirWidthInOctaves) {
  const struct {
    double low_hz, high_hz, octaves;
  } cases[] = {
      {1, 1.0000000000001, 1.441541926716641e-13},
      {100, 100.00000001, 1.4426941350894704e-10},
      {1e-300, 1e300, 1993.1568569324174},
  };
  for (const auto& c : cases)
    expect_relatively_near(band_pass(c.low_hz, c.high_hz).bandwidth_octaves, c.octaves, 1e-15);
}

// From -100 to 200 degrees C, both included; no speed for anything beyond.
TEST(SpeedOfSound, FollowsTemperatureWithinTheRangeOfAir) {
  const struct {
    double temperature_c;
    std::optional<double> speed_m_per_s;
  } cases[] = {
      {20, 343.2146226825680},
      {0, 331.3},
      {100, 387.2242581704915},
      {-100, 263.7740583990637},
      {200, 436.0339003235582},
      {std::nextafter(-100.0, -200.0), std::nullopt},
      {std::nextafter(200.0, 300.0), std::nullopt},
      {kAbsoluteZeroC, std::nullopt},
      {-300.0, std::nullopt},
      {1e300, std::nullopt},
      {-std::numeric_limits<double>::max(), std::nullopt},
      {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
      {std::numeric_limits<double>::infinity(), std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.temperature_c);
    const std::optional<double> speed = speed_of_sound_m_per_s(c.temperature_c);
    ASSERT_EQ(speed.has_value(), c.speed_m_per_s.has_value());
    if (c.speed_m_per_s)
      expect_relatively_near(*speed, *c.speed_m_per_s, 1e-12);
  }
}

TEST(EchoInterval, TwiceTheDistanceOverTheSpeed) {
  expect_relatively_near(echo_interval_s(10, 343.2146226825680), 0.05827257546219872);
  // Half the speed of sound away, the echo returns after exactly one second.
  expect_relatively_near(echo_interval_s(171.5, 343), 1.0);
  EXPECT_TRUE(std::isinf(echo_interval_s(1e308, 1e-3)));
}

TEST(Doppler, MovingSourceAndListener) {
  struct Case {
    const char* what;
    double source_m_per_s, listener_m_per_s, observed_hz, shift_cents;
  };
  // c = 343 m/s; speeds of a tenth of it give ratios of 1/0.9, 1/1.1, 1.1 and 0.9.
  const Case cases[] = {
      {"source approaching", 34.3, 0, 488.8888888888889, 182.4037121340601},
      {"source receding", -34.3, 0, 400, -165.0042284999220},
      {"listener approaching", 0, 34.3, 484, 165.0042284999220},
      {"listener receding", 0, -34.3, 396, -182.4037121340601},
      {"both approaching", 34.3, 34.3, 537.7777777777778, 347.4079406339820},
      {"both still", 0, 0, 440, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto shift = doppler_shift(440, c.source_m_per_s, c.listener_m_per_s, 343);
    ASSERT_TRUE(shift.has_value());
    expect_relatively_near(shift->observed_hz, c.observed_hz);
    EXPECT_NEAR(shift->shift_hz, c.observed_hz - 440, 1e-9);
    EXPECT_NEAR(shift->shift_cents, c.shift_cents, 1e-9);
  }
}

TEST(Doppler, KeepsPrecisionOfTinyAndHugeShifts) {
  // A listener creeping at 1 nm/s: the shift is far below the frequency's last digit.
  const auto creeping = doppler_shift(440, 0, 1e-9, 343);
  expect_relatively_near(creeping->shift_hz, 1.282798833819242e-9, 1e-7);
  expect_relatively_near(creeping->shift_cents, 5.047329589115908e-9, 1e-7);
  // A listener fleeing at nearly the speed of sound hears almost nothing.
  const auto fleeing = doppler_shift(440, 0, -342.99, 343);
  expect_relatively_near(fleeing->observed_hz, 0.01282798833818075, 1e-9);
  expect_relatively_near(fleeing->shift_cents, -18079.10514713862, 1e-9);
}

TEST(Doppler, RefusesWhatCannotBeShown) {
  // A source a hair below the speed of sound: the observed frequency overflows.
  EXPECT_FALSE(doppler_shift(1e300, std::nextafter(343.0, 0.0), 0, 343).has_value());
  // A listener receding a hair below the speed of sound from a tiny frequency: it vanishes.
  EXPECT_FALSE(doppler_shift(1e-300, 0, std::nextafter(-343.0, 0.0), 343).has_value());
}

}  // namespace
}  // namespace quesdral::acoustics
