#include "acoustics/spectra.hpp"

#include <cmath>
#include <vector>

#include <gtest/gtest.h>

namespace quesdral::acoustics {
namespace {

// Harmonics 3, 5 and 7 lie a pure fifth (701.955 cents), a pure major third (386.314 cents)
// and a harmonic seventh (968.826 cents) above an octave of the fundamental: against equal
// temperament +1.955, -13.686 and -31.174 cents.
TEST(HarmonicSeries, FrequenciesAndNotesOfA2) {
  const std::vector<Harmonic> harmonics = harmonic_series(110.0, 8);
  ASSERT_EQ(harmonics.size(), 8u);
  struct Expected {
    int number;
    double frequency_hz;
    long long note;
    double cents;
  };
  const Expected expected[] = {
      {1, 110.0, 45, 0.0},     {2, 220.0, 57, 0.0},   {3, 330.0, 64, 1.955},   {4, 440.0, 69, 0.0},
      {5, 550.0, 73, -13.686}, {6, 660.0, 76, 1.955}, {7, 770.0, 79, -31.174}, {8, 880.0, 81, 0.0}};
  for (std::size_t i = 0; i < harmonics.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(harmonics[i].number, expected[i].number);
    EXPECT_EQ(harmonics[i].frequency_hz, expected[i].frequency_hz);
    EXPECT_EQ(harmonics[i].note.midi_number, expected[i].note);
    EXPECT_NEAR(harmonics[i].note.deviation_cents, expected[i].cents, 1e-3);
  }
}

// J_1(1) = 0.4400505857, J_2(1) = 0.1149034849, J_0(1) = 0.7651976866 (published tables).
TEST(FmSpectrum, SidebandsCarryBesselAmplitudesWithOddLowerOnesInverted) {
  const std::vector<FmComponent> spectrum = fm_spectrum(1000.0, 100.0, 1.0, 2);
  ASSERT_EQ(spectrum.size(), 5u);
  const double frequencies_hz[] = {800.0, 900.0, 1000.0, 1100.0, 1200.0};
  const double amplitudes[] = {0.1149034849, -0.4400505857, 0.7651976866, 0.4400505857,
                               0.1149034849};
  for (std::size_t i = 0; i < spectrum.size(); ++i) {
    EXPECT_EQ(spectrum[i].order, static_cast<int>(i) - 2);
    EXPECT_EQ(spectrum[i].frequency_hz, frequencies_hz[i]);
    EXPECT_NEAR(spectrum[i].amplitude, amplitudes[i], 1e-10);
    EXPECT_FALSE(spectrum[i].reflected);
    EXPECT_FALSE(spectrum[i].silent);
  }
}

TEST(FmSpectrum, ReflectedAndSilentSidebands) {
  // fc = 100, fm = 150: k = -1 lies at -50 Hz, folded to 50 Hz with its sign inverted again,
  // so -J_1 becomes +J_1; k = -2 at -200 Hz keeps J_2 inverted to -J_2.
  const std::vector<FmComponent> folded = fm_spectrum(100.0, 150.0, 1.0, 2);
  EXPECT_EQ(folded[1].frequency_hz, 50.0);
  EXPECT_TRUE(folded[1].reflected);
  EXPECT_NEAR(folded[1].amplitude, 0.4400505857, 1e-10);
  EXPECT_EQ(folded[0].frequency_hz, 200.0);
  EXPECT_TRUE(folded[0].reflected);
  EXPECT_NEAR(folded[0].amplitude, -0.1149034849, 1e-10);

  // A sideband landing on 0 Hz, also when decimal inputs do not cancel exactly in binary.
  for (const auto& [carrier_hz, modulator_hz] : {std::pair{300.0, 100.0}, {0.3, 0.1}}) {
    const std::vector<FmComponent> spectrum = fm_spectrum(carrier_hz, modulator_hz, 2.0, 4);
    const FmComponent& at_zero = spectrum[1];  // k = -3
    EXPECT_EQ(at_zero.order, -3);
    EXPECT_TRUE(at_zero.silent);
    EXPECT_FALSE(at_zero.reflected);
    EXPECT_EQ(at_zero.frequency_hz, 0.0);
    EXPECT_EQ(at_zero.amplitude, 0.0);
    EXPECT_TRUE(spectrum[0].reflected);  // k = -4
  }
}

// A sideband is silent when the carrier is exactly k times the modulator as typed, however
// their doubles round; one a hair from 0 Hz keeps its exact frequency. References: the
// exact difference of the doubles, by Python's fractions (Fraction(carrier) - k *
// Fraction(modulator)), rounded once.
TEST(FmSpectrum, ZeroHertzIsDecidedOnTheTypedValues) {
  struct Case {
    double carrier_hz, modulator_hz;
    int order;
    bool silent;
    double frequency_hz;  // signed: below 0 when reflected
  };
  const Case cases[] = {
      {0.3, 0.1, -3, true, 0.0},
      {3e300, 1e300, -3, true, 0.0},
      {300.0, 100.0, -3, true, 0.0},
      {1000000.0, 333333.3333333, -3, false, 9.994255378842354e-08},
      {7.000000000000001, 1.0, -7, false, 8.881784197001252e-16},
      {100.0, 33.333333333333336, -3, false, -7.105427357601002e-15},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.carrier_hz << " and " << c.modulator_hz);
    const int count = -c.order;
    const FmComponent sideband = fm_spectrum(c.carrier_hz, c.modulator_hz, 1.0, count)[0];
    EXPECT_EQ(sideband.order, c.order);
    EXPECT_EQ(sideband.silent, c.silent);
    EXPECT_EQ(sideband.reflected, c.frequency_hz < 0);
    EXPECT_EQ(sideband.frequency_hz, std::fabs(c.frequency_hz));
  }
}

TEST(AmSidebands, TheLowerSidebandAtZeroHertzFollowsTheSameRule) {
  const AmSidebands equal = am_sidebands(0.3, 0.3, 1.0);
  EXPECT_EQ(equal.lower_hz, 0.0);
  EXPECT_FALSE(equal.lower_reflected);
  EXPECT_TRUE(equal.lower_dc);
  // 1 and 1.0000000000000002 differ as typed: 2^-52 Hz apart, reflected.
  const AmSidebands apart = am_sidebands(1.0, 1.0000000000000002, 1.0);
  EXPECT_EQ(apart.lower_hz, 2.220446049250313e-16);
  EXPECT_TRUE(apart.lower_reflected);
  EXPECT_FALSE(apart.lower_dc);
}

// At the double nearest to the first zero of J_1 the sidebands of order 1 carry no digit
// that can be trusted: their uncertainty exceeds them (J_1 there is -6.1e-17, mpmath).
TEST(FmSpectrum, AmplitudesAtABesselZeroCarryTheirUncertainty) {
  for (const FmComponent& component : fm_spectrum(1000.0, 100.0, 3.8317059702075125, 2)) {
    SCOPED_TRACE(component.order);
    if (std::abs(component.order) == 1) {
      EXPECT_LE(std::fabs(component.amplitude -
                          (component.order < 0 ? 6.149807356994906e-17 : -6.149807356994906e-17)),
                component.amplitude_uncertainty);
      EXPECT_GT(component.amplitude_uncertainty, std::fabs(component.amplitude));
    } else {
      EXPECT_LT(component.amplitude_uncertainty, 1e-12);
    }
  }
}

// Components on one frequency are heard as one, their signed amplitudes summed. J_k(2) from
// published tables (Abramowitz and Stegun, table 9.1): J0 = 0.2238907791, J1 = 0.5767248078,
// J2 = 0.3528340286, J3 = 0.1289432495, J4 = 0.0339957198; J_k(1) as above.
TEST(HeardSpectrum, ComponentsOnOneFrequencyAreSummed) {
  struct Line {
    double frequency_hz;
    double amplitude;
    std::vector<int> orders;
  };
  struct Case {
    double carrier_hz, modulator_hz, index;
    int count;
    std::vector<Line> lines;
  };
  const Case cases[] = {
      // 2 fc = 2 fm: -1 is silent at 0 Hz, -2 folds onto the carrier, -3 onto +1, -4 onto +2.
      {100.0,
       100.0,
       2.0,
       4,
       {{100.0, 0.2238907791 - 0.3528340286, {-2, 0}},
        {200.0, 0.5767248078 + 0.1289432495, {-3, 1}},
        {300.0, 0.3528340286 - 0.0339957198, {-4, 2}},
        {400.0, 0.1289432495, {3}},
        {500.0, 0.0339957198, {4}}}},
      // 2 fc = 3 fm as typed, though 0.3 - 0.4 and 0.3 - 0.2 differ as doubles: -2 meets -1,
      // -J2 reflected to +J2 and inverted once more, with -J1.
      {0.3,
       0.2,
       1.0,
       2,
       {{0.09999999999999998, -0.4400505857 - 0.1149034849, {-2, -1}},
        {0.3, 0.7651976866, {0}},
        {0.5, 0.4400505857, {1}},
        {0.7, 0.1149034849, {2}}}},
      // 2 fc = 4/3 fm: nothing meets; the reflected -1 comes first, at 50 Hz.
      {100.0,
       150.0,
       1.0,
       2,
       {{50.0, 0.4400505857, {-1}},
        {100.0, 0.7651976866, {0}},
        {200.0, -0.1149034849, {-2}},
        {250.0, 0.4400505857, {1}},
        {400.0, 0.1149034849, {2}}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.carrier_hz << " and " << c.modulator_hz);
    const std::vector<HeardComponent> heard = heard_spectrum(
        fm_spectrum(c.carrier_hz, c.modulator_hz, c.index, c.count), c.carrier_hz, c.modulator_hz);
    ASSERT_EQ(heard.size(), c.lines.size());
    for (std::size_t i = 0; i < heard.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(heard[i].frequency_hz, c.lines[i].frequency_hz);
      EXPECT_NEAR(heard[i].amplitude, c.lines[i].amplitude, 1e-9);
      EXPECT_EQ(heard[i].orders, c.lines[i].orders);
    }
  }
}

TEST(FmSpectrum, UnmodulatedCarrierIsAlone) {
  for (const FmComponent& component : fm_spectrum(440.0, 110.0, 0.0, 3)) {
    EXPECT_EQ(component.amplitude, component.order == 0 ? 1.0 : 0.0);
  }
}

TEST(FmSpectrum, DefaultCountAndCarsonBandwidth) {
  const std::pair<double, int> counts[] = {{0.0, 2},    {0.99, 2},   {1.0, 3},    {5.5, 7},
                                           {98.0, 100}, {99.0, 100}, {100.0, 100}};
  for (const auto& [index, count] : counts)
    EXPECT_EQ(default_fm_sideband_count(index), count);
  EXPECT_EQ(carson_bandwidth_hz(1.0, 100.0), 400.0);
  EXPECT_EQ(carson_bandwidth_hz(0.0, 250.0), 0.0);  // a pure sine
  EXPECT_EQ(carson_bandwidth_hz(0.01, 250.0), 505.0);
  EXPECT_EQ(carson_bandwidth_hz(5.0, 1000.0), 12000.0);
}

// The equal-tempered fifth is 2^(7/12) = 1.498307077; the fifths of 19 and 31 equal
// divisions are 694.737 and 696.774 cents, their thirds (6 and 10 steps) 378.947 and
// 387.097 cents.
TEST(EqualDivisions, TwelveDivisionsFromMiddleCAreTheKeyboard) {
  const std::vector<EqualStep> steps = equal_divisions(12, middle_c_hz());
  ASSERT_EQ(steps.size(), 13u);
  EXPECT_NEAR(middle_c_hz(), 261.6255653, 1e-7);
  for (const EqualStep& step : steps) {
    SCOPED_TRACE(step.step);
    EXPECT_EQ(step.cents, 100.0 * step.step);
    EXPECT_EQ(step.note.midi_number, 60 + step.step);
    EXPECT_EQ(step.note.deviation_cents, 0.0);
  }
  EXPECT_NEAR(steps[7].ratio, 1.498307077, 1e-9);
  EXPECT_EQ(steps[0].ratio, 1.0);
  EXPECT_EQ(steps[12].ratio, 2.0);
  EXPECT_EQ(steps[12].frequency_hz, 2.0 * middle_c_hz());
}

TEST(EqualDivisions, NineteenAndThirtyOneDivisions) {
  struct Case {
    int divisions, step;
    double cents;
    long long note;
    double deviation_cents;
  };
  const Case cases[] = {
      {19, 1, 63.158, 61, -36.842},   {19, 6, 378.947, 64, -21.053}, {19, 11, 694.737, 67, -5.263},
      {31, 10, 387.097, 64, -12.903}, {31, 18, 696.774, 67, -3.226}, {31, 31, 1200.0, 72, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.step << " of " << c.divisions);
    const EqualStep step =
        equal_divisions(c.divisions, middle_c_hz())[static_cast<std::size_t>(c.step)];
    EXPECT_NEAR(step.cents, c.cents, 1e-3);
    EXPECT_NEAR(step.ratio, std::exp2(c.cents / 1200.0), 1e-6);
    EXPECT_EQ(step.note.midi_number, c.note);
    EXPECT_NEAR(step.note.deviation_cents, c.deviation_cents, 1e-3);
  }
}

}  // namespace
}  // namespace quesdral::acoustics
