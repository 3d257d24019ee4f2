// How room modes compare exactly, with a frequency limit and with one another, so that the
// listing, the count and the n-th mode of room_modes.hpp agree on every mode. Shared by the
// room-mode sources only; the tools use room_modes.hpp.
//
// Frequencies further apart than kRoundingShare are compared as their doubles say; closer
// ones by their whole-number weights N (see Room), in 128 bits when the room's weights are
// narrow, as for any room typed with a few digits, and in BigNatural otherwise.
#pragma once

#include <cstdint>

#include "acoustics/exact_decimal.hpp"
#include "acoustics/room_modes.hpp"

namespace quesdral::acoustics {

// The frequencies computed in doubles are within about 3e-15 of their exact values (a dozen
// roundings); frequencies further apart than this share are ordered as their doubles say.
inline constexpr double kRoundingShare = 1e-13;

inline BigNatural square(const BigNatural& value) {
  return value * value;
}

// A whole number below 2^128 in two halves: N of a mode, when the room's weights are narrow.
struct Wide {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

// The two sides of the exact test of a mode against max_hz: the mode lies within it when
// speed_side * mode_weight <= limit_side. speed_side is kept multiplied into each of the
// room's weights, so that a test costs a few products by small factors rather than one of
// two long numbers: in a room typed as 2.61e-300 x 0.3995 x 1.389e+06 m, whose weights run
// to a thousand bits, that is ten times faster.
struct ExactLimit {
  double max_hz = 0.0;
  BigNatural speed_weight[3];  // speed_side * room.weight[i]
  BigNatural limit_side;
};

// The exact sides of the test for max_hz, worked out once for a whole search.
// REQUIRES: max_hz > 0 and finite.
ExactLimit exact_limit(const Room& room, double max_hz);

// Whether mode (p, q, r) lies at or below limit.max_hz, exactly.
// REQUIRES: p, q, r whole, from 0 to 2^53.
bool within(const Room& room, const ExactLimit& limit, double p, double q, double r);

// A mode with its exact weight N worked out once, for the searches that compare each mode
// many times: a room typed in round figures ties exactly again and again (4p^2 + 9q^2 + 25r^2
// in a 30 x 20 x 12 m hall), and in a room 1e150 m long every mode off its length lies
// within rounding of the next. In 128 bits where the room's weights are narrow, else in full.
struct WeighedMode {
  RoomMode mode;
  Wide narrow;
  BigNatural weight;
};

// The mode with its weight N, worked out once for many comparisons.
// REQUIRES: mode.p, mode.q, mode.r >= 0.
WeighedMode weighed(const Room& room, const RoomMode& mode);

// Whether mode a lists before mode b: frequencies further apart than the rounding share
// are ordered as their doubles say, closer ones by their exact weights, and equal ones by
// p, q, r.
bool weighed_before(const WeighedMode& a, const WeighedMode& b);

// Whether modes a and b have exactly the same frequency: within the rounding share in
// doubles, and of equal weights.
bool same_frequency(const WeighedMode& a, const WeighedMode& b);

}  // namespace quesdral::acoustics
