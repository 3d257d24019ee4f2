#include "acoustics/levels.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace quesdral::acoustics {
namespace {

// Relative comparison: levels and amplitudes span hundreds of orders of magnitude.
void expect_close(double actual, double expected, double relative = 1e-9) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * relative + 1e-12) << "expected " << expected;
}

// Within a few units in the last place of a double, however close to 0 the value is.
void expect_all_digits(double actual, double expected) {
  EXPECT_NEAR(actual, expected, std::fabs(expected) * 1e-14) << "expected " << expected;
}

TEST(AmplitudeLevel, MatchesReferenceValues) {
  struct Case {
    double amplitude, reference, level_db;
  };
  // 20 log10 of 0.5 and 2 is -/+6.0206 dB (a halving and a doubling of amplitude); 1 Pa
  // against 20 uPa is the textbook 93.9794 dB SPL; powers of ten give whole tens of dB.
  const Case cases[] = {
      {0.5, 1, -6.020599913279624},
      {-0.5, 1, -6.020599913279624},
      {1, 2e-5, 93.97940008672037},
      {1e-6, 1, -120},
      {3, 3, 0},
      {1e-300, 1e300, -12000},
      {1e300, 1e-300, 12000},
      // log10 of the largest double is 308.2547155599...
      {-1.7976931348623157e308, 1, 6165.094311198335},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amplitude);
    expect_close(level_db_from_amplitude(c.amplitude, c.reference), c.level_db);
  }
}

// Levels a hair from 0 dB, where a difference of two logarithms keeps no correct digit.
// References: mpmath at 50 digits, 20 * log10(|mpf(a)| / mpf(r)) of the doubles as parsed
// (1.0000000000001e-300 and 1e-300 are not exactly 1e-13 apart as doubles: their level is
// 8.68293e-13 dB, not the 8.68589e-13 of the decimals).
TEST(AmplitudeLevel, NearZeroDecibelsKeepsEveryDigit) {
  struct Case {
    double amplitude, reference, level_db;
  };
  const Case cases[] = {
      {1.0000000000001e-300, 1e-300, 8.682927355793329e-13},
      {1.0000001, 1, 8.685889208841989e-07},
      {0.99999999999999989, 1, -9.643274665532871e-16},
      {-1.0000000000000002, 1, 1.928654933106574e-15},
      {2.0000000000004e156, 2e156, 1.7377271456984309e-12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amplitude);
    expect_all_digits(level_db_from_amplitude(c.amplitude, c.reference), c.level_db);
  }
  // Equal amplitudes are exactly 0 dB, whatever their magnitude.
  for (const double amplitude : {3.0, -1e-300, 1.7976931348623157e308})
    EXPECT_EQ(level_db_from_amplitude(amplitude, std::fabs(amplitude)), 0.0) << amplitude;
}

TEST(AmplitudeLevel, InverseKeepsModerateResultsOfExtremeOperands) {
  // The power of ten alone would overflow or vanish; the product is moderate.
  expect_close(amplitude_from_level_db(6400, 1e-300), 1e20);
  expect_close(amplitude_from_level_db(-6400, 1e300), 1e-20);
  expect_close(amplitude_from_level_db(93.97940008672037, 2e-5), 1);
}

TEST(AmplitudeLevel, RoundTripsAcrossTheDoubleRange) {
  for (int exponent = -1020; exponent <= 1020; exponent += 17) {
    const double amplitude = std::ldexp(1.0, exponent);
    const double level_db = level_db_from_amplitude(amplitude, 1);
    ASSERT_TRUE(std::isfinite(level_db)) << exponent;
    expect_close(amplitude_from_level_db(level_db, 1), amplitude, 1e-12);
  }
}

TEST(AmplitudeLevel, ExtremeLevelsLeaveTheDoubleRangeVisibly) {
  EXPECT_TRUE(std::isinf(amplitude_from_level_db(7000, 1)));
  EXPECT_EQ(amplitude_from_level_db(-8000, 1), 0.0);
}

// sqrt(0.6) = 0.77459666924148337704 (mpmath); the constant is the double nearest to it.
TEST(NamedReferences, AreTheDoublesNearestToTheirDefinitions) {
  EXPECT_EQ(kDbuReferenceV, std::sqrt(0.6));
  EXPECT_EQ(kSplReferencePa, 2e-5);
  EXPECT_EQ(kDbvReferenceV, 1.0);
}

TEST(FullScale, IsTwoToTheBitsLessOneWithoutOverflow) {
  EXPECT_EQ(full_scale(2), 2);
  EXPECT_EQ(full_scale(16), 32768);
  EXPECT_EQ(full_scale(24), 8388608);
  EXPECT_EQ(full_scale(32), 2147483648LL);  // beyond INT_MAX
}

TEST(SampleLevel, MatchesExactCases) {
  struct Case {
    double sample;
    int bits;
    double level_dbfs;
  };
  // One LSB is 2^-(bits-1) of full scale: (bits - 1) * -6.0206 dB, e.g. -90.3090 dBFS at
  // 16 bits. The most negative sample is exactly full scale.
  const Case cases[] = {
      {1, 16, -90.30899869919435},
      {-32768, 16, 0},
      {32768, 16, 0},
      {16384, 16, -6.020599913279624},
      {-16384, 16, -6.020599913279624},
      {0.5, 16, -96.32959861247399},
      {1, 24, -138.47379800543135},
      {1, 32, -186.63859731166835},
      {-2147483648.0, 32, 0},
      {1, 2, -6.020599913279624},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sample);
    expect_close(level_dbfs_from_sample(c.sample, c.bits), c.level_dbfs);
  }
}

// 20 log10(|sample| / 32768) at 16 bits, by mpmath at 50 digits.
TEST(SampleLevel, NearFullScaleKeepsEveryDigit) {
  expect_all_digits(level_dbfs_from_sample(32767.99999999, 16), -2.650936205555391e-12);
  expect_all_digits(level_dbfs_from_sample(16384.0000001, 16), -6.020599913226609);
}

TEST(SampleLevel, InverseGivesTheSampleAmplitude) {
  struct Case {
    double level_dbfs;
    int bits;
    double amplitude;
  };
  const Case cases[] = {
      {0, 16, 32768},
      {-90.30899869919435, 16, 1},
      {-6.020599913279624, 16, 16384},
      {0, 32, 2147483648.0},
      {-186.63859731166835, 32, 1},
      {-6, 16, 16422.903271498457},  // 10^(-6/20) = 0.501187... of full scale
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level_dbfs);
    expect_close(amplitude_from_level_dbfs(c.level_dbfs, c.bits), c.amplitude);
  }
  // Far below any sample the amplitude vanishes rather than losing digits unnoticed.
  EXPECT_EQ(amplitude_from_level_dbfs(-7000, 16), 0.0);
}

// Halves round away from zero; the codes of a signed integer of BITS bits run from
// -2^(BITS-1) to 2^(BITS-1) - 1 (-32768 to 32767 at 16 bits), so full scale itself is clipped.
TEST(SampleLevel, NearestSampleRoundsHalvesAwayFromZeroAndClipsToTheCodes) {
  struct Case {
    double amplitude;
    int bits;
    long long sample;
    bool clipped;
  };
  const Case cases[] = {
      {16383.5, 16, 16384, false},
      {16384.49, 16, 16384, false},
      {-0.5, 16, -1, false},
      {0.5, 16, 1, false},
      {0.49, 16, 0, false},
      {2.5, 16, 3, false},
      {32766.5, 16, 32767, false},
      {32767.49, 16, 32767, false},
      {32767.5, 16, 32767, true},
      {32768.0, 16, 32767, true},
      {-32768.0, 16, -32768, false},
      {-32768.5, 16, -32768, true},
      {2.0, 2, 1, true},
      {-2.0, 2, -2, false},
      {2147483647.0, 32, 2147483647LL, false},
      {2147483648.0, 32, 2147483647LL, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.amplitude << " at " << c.bits << " bits");
    const SampleCode code = nearest_sample(c.amplitude, c.bits);
    EXPECT_EQ(code.value, c.sample);
    EXPECT_EQ(code.clipped, c.clipped);
  }
  EXPECT_EQ(largest_code(16), 32767);
  EXPECT_EQ(largest_code(32), 2147483647LL);
}

TEST(PowerLevel, MatchesReferenceValues) {
  struct Case {
    double power_w, reference_w, level_db;
  };
  // Against 1 pW: 1 W is 120 dB, 1 mW 90 dB; a doubling of power is +3.0103 dB.
  const Case cases[] = {
      {1, 1e-12, 120},           {1e-3, 1e-12, 90},      {1e-12, 1e-12, 0},
      {2, 1, 3.010299956639812}, {1e-300, 1e300, -6000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.power_w);
    expect_close(level_db_from_power(c.power_w, c.reference_w), c.level_db);
    expect_close(power_w_from_level_db(c.level_db, c.reference_w), c.power_w);
  }
  EXPECT_TRUE(std::isinf(power_w_from_level_db(3500, 1)));
  // Near 0 dB, by mpmath at 50 digits: 10 log10(mpf(p) / mpf(r)).
  expect_all_digits(level_db_from_power(1.000000001e-12, 1e-12), 4.3429446790399614e-09);
  expect_all_digits(level_db_from_power(1e-300, 0.9999999999999999e-300), 7.199773926860501e-16);
}

TEST(DistanceLaw, LosesSixDecibelsPerDoubling) {
  struct Case {
    double distance_1, distance_2, change_db;
  };
  const Case cases[] = {
      {1, 2, -6.020599913279624}, {2, 1, 6.020599913279624}, {1, 10, -20}, {5, 5, 0},
      {1e-300, 1e300, -12000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.distance_2);
    expect_close(level_change_db_with_distance(c.distance_1, c.distance_2), c.change_db);
  }
}

// The level at the second distance is a sum that may cancel almost entirely. References:
// mpmath at 50 digits, mpf(level) - 20 * log10(mpf(d2) / mpf(d1)).
TEST(DistanceLaw, LevelAtTheSecondDistanceKeepsItsDigitsNearZero) {
  struct Case {
    double level_db, distance_1, distance_2, level_at_2_db;
  };
  const Case cases[] = {
      {94, 1, 2, 87.97940008672037},
      {6.0206, 1, 2, 8.672037604740831e-08},
      {6.020599913279624, 1, 2, 2.781191674807347e-16},
      {-3.0103, 2, 1.414213562373095, -4.336018725368997e-08},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level_db);
    expect_all_digits(level_db_at_distance(c.level_db, c.distance_1, c.distance_2),
                      c.level_at_2_db);
  }
  // Ten times the distance is exactly 20 dB down.
  EXPECT_EQ(level_db_at_distance(20, 1, 10), 0.0);
}

}  // namespace
}  // namespace quesdral::acoustics
