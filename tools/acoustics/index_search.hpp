// The largest whole index that meets a condition which holds up to some index and fails
// beyond it, found from a guess of where the condition turns.
//
// The room-mode count asks this once per column of modes. Its guess comes from the formula
// and is right, or one off, in nearly every column; where rounding makes the frequency flat
// over many indices it can be far off either way. Galloping away from the guess (steps of
// 1, 2, 4, ...) and then bisecting costs about 2 log2(d) evaluations for a guess d off, and
// two for a right one.
#pragma once

#include <algorithm>
#include <cmath>

namespace quesdral::acoustics {

// Indices up to 2^52 are whole doubles with room to add 1.
inline constexpr double kHighestSearchedIndex = 4503599627370496.0;  // 2^52

// The largest whole k in [0, kHighestSearchedIndex] with fits(k). The guess may be anything:
// it is rounded down and brought into that range first.
// REQUIRES: fits(0), and fits is true up to some k and false beyond it.
template <typename Fits>
double largest_fitting_index(double guess, const Fits& fits) {
  double low = 0.0;   // fits(low)
  double high = 0.0;  // !fits(high), or just past the range
  guess = std::clamp(std::floor(guess), 0.0, kHighestSearchedIndex);
  double step = 1.0;
  if (fits(guess)) {
    low = guess;
    for (high = low + step; high <= kHighestSearchedIndex && fits(high); high = low + step) {
      low = high;
      step *= 2.0;
    }
    high = std::min(high, kHighestSearchedIndex + 1.0);
  } else {
    high = guess;
    for (low = high - step; low > 0.0 && !fits(low); low = high - step) {
      high = low;
      step *= 2.0;
    }
    low = std::max(low, 0.0);
  }
  while (high - low > 1.0) {
    const double middle = low + std::floor((high - low) / 2.0);
    (fits(middle) ? low : high) = middle;
  }
  return low;
}

}  // namespace quesdral::acoustics
