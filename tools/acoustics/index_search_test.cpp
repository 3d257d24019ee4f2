// The conditions here turn at boundaries chosen by hand; the cost bound is the header's
// promise of about 2 log2(d) evaluations for a guess d off.
#include "acoustics/index_search.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace quesdral::acoustics {
namespace {

constexpr double kTwoTo52 = 4503599627370496.0;

TEST(LargestFittingIndex, FindsTheBoundaryFromAnyGuessAtLogarithmicCost) {
  struct Case {
    const char* what;
    double boundary;  // the last index that fits
    double guess;
    int most_calls;  // 2 ceil(log2(d + 1)) + 2 for a guess d off
  };
  const Case cases[] = {
      {"right guess", 1000, 1000, 2},
      {"guess with a fraction", 1000, 1000.9, 2},
      {"one too high", 1000, 1001, 2 * 1 + 2},
      {"one too low", 1000, 999, 2 * 1 + 2},
      {"far too high", 1000, 1e6, 2 * 20 + 2},
      {"far too low", 1e6, 0, 2 * 20 + 2},
      {"below the range", 7, -5, 2 * 3 + 2},
      {"only 0 fits", 0, 10, 2 * 4 + 2},
      {"the top of the range fits", kTwoTo52, kTwoTo52 - 3, 2 * 2 + 2},
      {"beyond the range", kTwoTo52, 1e300, 2},
      {"just below the top, from 0", kTwoTo52 - 1, 0, 2 * 52 + 2},
  };
  for (const Case& c : cases) {
    int calls = 0;
    const auto fits = [&](double k) {
      ++calls;
      EXPECT_EQ(k, std::floor(k)) << c.what;
      EXPECT_GE(k, 0.0) << c.what;
      EXPECT_LE(k, kTwoTo52) << c.what;
      return k <= c.boundary;
    };
    EXPECT_EQ(largest_fitting_index(c.guess, fits), c.boundary) << c.what;
    EXPECT_LE(calls, c.most_calls) << c.what;
  }
}

}  // namespace
}  // namespace quesdral::acoustics
