#include "cli/results.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace quesdral::cli {
namespace {

TEST(Results, NeverShowsNonFiniteOrVanishedValues) {
  const Outcome good = Results().add("Level", -6.020599913279624, "dB").add("Gain", 2, "").finish();
  EXPECT_TRUE(good.ok());
  EXPECT_EQ(render_text(good.report), "Level: -6.02060 dB\nGain: 2.00000\n");

  const Outcome too_large =
      Results().add("Power", std::numeric_limits<double>::infinity(), "W").finish();
  EXPECT_FALSE(too_large.ok());
  EXPECT_NE(too_large.error.find("too large"), std::string::npos);
  EXPECT_TRUE(too_large.report.empty());

  // Below the normal range a magnitude shows the digits that are still true, as add does,
  // and is refused only when none is (5e-322 is about a hundred spacings of the smallest
  // double, within the rounding noise format_number allows for).
  const Outcome too_small = Results().add_magnitude("Power", 5e-322, "W").finish();
  EXPECT_NE(too_small.error.find("too small"), std::string::npos);
  EXPECT_FALSE(Results().add_magnitude("Power", 0, "W").finish().ok());
  const Outcome few_digits =
      Results().add_magnitude("Power", 1e-320, "W").add("Beat", 1e-320, "Hz").finish();
  EXPECT_EQ(render_text(few_digits.report), "Power: 1.0e-320 W\nBeat: 1.0e-320 Hz\n");
}

// A remark is for the reader of the text; csv and json keep the number and the key alone.
TEST(Results, RemarksFollowTheUnitInTheTextOnly) {
  const Outcome outcome = Results()
                              .add_integer("Nearest sample", 32767, "(clipped)")
                              .add("Amplitude", 0.02, "Pa", "(reference SPL)")
                              .finish();
  EXPECT_EQ(render_text(outcome.report),
            "Nearest sample: 32767 (clipped)\nAmplitude: 0.0200000 Pa (reference SPL)\n");
  EXPECT_EQ(outcome.report[0].field.number, 32767.0);
  EXPECT_EQ(outcome.report[1].field.unit, "Pa");
}

// Several results may be refused; the first refusal is the one the user reads.
TEST(Results, ReportsTheFirstRefusal) {
  const double inf = std::numeric_limits<double>::infinity();
  const Outcome twice = Results().add("First", inf, "W").add("Second", inf, "W").finish(1);
  EXPECT_EQ(twice.error.find("the result (First) is too large"), 0u) << twice.error;
  EXPECT_EQ(twice.mended_by, 1u);
  EXPECT_EQ(Results().fail("no band").fail("no room").finish().error, "no band");
  EXPECT_EQ(Outcome::failure("").error, "the result cannot be computed");
}

}  // namespace
}  // namespace quesdral::cli
