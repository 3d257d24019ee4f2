#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <queue>
#include <vector>

#include "acoustics/mode_order.hpp"

namespace quesdral::acoustics {
namespace {

// The shortest-text double of mantissa * 10^exponent, read as a user's answer would be.
double decimal_value(long mantissa, int exponent) {
  char text[48];
  char* end = std::to_chars(text, text + 20, mantissa).ptr;
  *end++ = 'e';
  end = std::to_chars(end, text + sizeof text, exponent).ptr;
  double value = 0.0;
  std::from_chars(text, end, value);
  return value;
}

// Decimals with six significant digits, mantissa * 10^exponent, from 100000 to 999999 times
// a power of ten.
struct SixDigits {
  long mantissa = 100000;
  int exponent = 0;

  double value() const { return decimal_value(mantissa, exponent); }
  void step_down() {
    if (--mantissa < 100000) {
      mantissa = 999999;
      --exponent;
    }
  }
};

// A decimal with six significant digits above bound.
SixDigits six_digits_above(double bound) {
  char text[64];
  const auto written =
      std::to_chars(text, text + sizeof text, bound, std::chars_format::scientific, 30);
  SixDigits above;
  above.mantissa = text[0] - '0';
  for (const char* digit = text + 2; digit != text + 7; ++digit)
    above.mantissa = above.mantissa * 10 + (*digit - '0');
  const char* exponent_text = std::find(text, written.ptr, 'e') + 1;
  if (*exponent_text == '+')
    ++exponent_text;
  std::from_chars(exponent_text, written.ptr, above.exponent);
  above.exponent -= 5;
  // The first six digits are bound truncated; one more in the last place is above it.
  if (++above.mantissa > 999999) {
    above.mantissa = 100000;
    ++above.exponent;
  }
  return above;
}

}  // namespace

RoomMode nth_mode(const Room& room, std::size_t n) {
  // Best-first walk from the origin. Each mode has one parent, one step nearer the origin
  // along its first non-zero index, the indices taken longest dimension first; its
  // frequency is lower, so the frontier yields modes in order. Taking the longest dimension
  // first keeps the frontier small in a long room, whose first modes all lie along it: the
  // modes across it join only when the walk reaches them, not one for every mode along it.
  std::array<int, 3> axes{0, 1, 2};
  std::stable_sort(axes.begin(), axes.end(),
                   [&](int a, int b) { return room.scale[a] < room.scale[b]; });
  const auto later = [](const WeighedMode& a, const WeighedMode& b) {
    return weighed_before(b, a);
  };
  // Each mode taken adds at most two to the frontier.
  std::vector<WeighedMode> storage;
  storage.reserve(2 * n + 3);
  std::priority_queue<WeighedMode, std::vector<WeighedMode>, decltype(later)> frontier(
      later, std::move(storage));
  const auto push_children = [&](const RoomMode& mode) {
    const int index[3] = {mode.p, mode.q, mode.r};
    const auto push_step = [&](int axis) {
      int child[3] = {index[0], index[1], index[2]};
      ++child[axis];
      frontier.push(weighed(room, {child[0], child[1], child[2],
                                   mode_frequency_hz(room, child[0], child[1], child[2]),
                                   mode_kind(child[0], child[1], child[2])}));
    };
    push_step(axes[0]);
    if (index[axes[0]] == 0)
      push_step(axes[1]);
    if (index[axes[0]] == 0 && index[axes[1]] == 0)
      push_step(axes[2]);
  };
  push_children({0, 0, 0, 0.0, ModeKind::kAxial});
  for (std::size_t popped = 1;; ++popped) {
    const RoomMode mode = frontier.top().mode;
    frontier.pop();
    if (popped == n)
      return mode;
    push_children(mode);
  }
}

double highest_max_hz_listing_at_most(const Room& room, std::size_t limit) {
  // The answer lies just below the first mode beyond the limit, exactly: every six-digit
  // decimal from one surely above that mode down to the answer holds the mode.
  const RoomMode first_beyond = nth_mode(room, limit + 1);
  SixDigits candidate = six_digits_above(first_beyond.frequency_hz * (1.0 + kRoundingShare));
  do {
    candidate.step_down();
  } while (mode_within(room, first_beyond.p, first_beyond.q, first_beyond.r, candidate.value()));
  return candidate.value();
}

}  // namespace quesdral::acoustics
