#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <queue>
#include <tuple>

namespace quesdral::acoustics {
namespace {

// Indices up to 2^52 are whole doubles with room to add 1; a column that reaches this
// height is not counted exactly.
constexpr double kHighestCountedIndex = 4503599627370496.0;  // 2^52
constexpr std::uint64_t kCountCeiling = std::uint64_t{1} << 62;

bool lists_before(const RoomMode& a, const RoomMode& b) {
  return std::tie(a.frequency_hz, a.p, a.q, a.r) < std::tie(b.frequency_hz, b.p, b.q, b.r);
}

// The largest whole k in [0, kHighestCountedIndex] with fits(k), starting from a guess.
// REQUIRES: fits(0), and fits is true up to some k and false beyond it.
template <typename Fits>
double largest_fitting_index(double guess, const Fits& fits) {
  double low = 0.0;   // fits(low)
  double high = 0.0;  // !fits(high), or just past the range
  guess = std::clamp(std::floor(guess), 0.0, kHighestCountedIndex);
  // A column's boundary is usually at the guess or next to it; galloping away from it
  // keeps the few columns where rounding makes the frequency flat over many indices cheap.
  double step = 1.0;
  if (fits(guess)) {
    low = guess;
    for (high = low + step; high <= kHighestCountedIndex && fits(high); high = low + step) {
      low = high;
      step *= 2.0;
    }
    high = std::min(high, kHighestCountedIndex + 1.0);
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

// The largest decimal with six significant digits whose double is below bound_hz.
double highest_six_digit_value_below(double bound_hz) {
  // Thirty digits are beyond any double's precision, so the first six are those of
  // bound_hz unless the rest were all nines; the check below catches that case too.
  char text[64];
  const auto written =
      std::to_chars(text, text + sizeof text, bound_hz, std::chars_format::scientific, 30);
  long mantissa = text[0] - '0';
  for (const char* digit = text + 2; digit != text + 7; ++digit)
    mantissa = mantissa * 10 + (*digit - '0');
  int exponent = 0;
  const char* exponent_text = std::find(text, written.ptr, 'e') + 1;
  if (*exponent_text == '+')
    ++exponent_text;
  std::from_chars(exponent_text, written.ptr, exponent);
  exponent -= 5;
  for (;;) {
    const double value = decimal_value(mantissa, exponent);
    if (value < bound_hz)
      return value;
    if (--mantissa < 100000) {
      mantissa = 999999;
      --exponent;
    }
  }
}

}  // namespace

std::optional<Room> make_room(double length_m, double width_m, double height_m,
                              double speed_of_sound_m_per_s) {
  const double longest_m = std::max({length_m, width_m, height_m});
  Room room{};
  room.lowest_mode_hz = speed_of_sound_m_per_s / longest_m / 2.0;
  if (!std::isnormal(room.lowest_mode_hz))
    return std::nullopt;
  room.scale[0] = longest_m / length_m;
  room.scale[1] = longest_m / width_m;
  room.scale[2] = longest_m / height_m;
  return room;
}

double mode_frequency_hz(const Room& room, double p, double q, double r) {
  // Every step is monotonic in each index, so a mode's frequency never falls as an index
  // grows; the bounded searches below rely on that.
  const double a = p * room.scale[0];
  const double b = q * room.scale[1];
  const double c = r * room.scale[2];
  return room.lowest_mode_hz * std::sqrt(a * a + b * b + c * c);
}

ModeKind mode_kind(int p, int q, int r) {
  const int non_zero = (p != 0) + (q != 0) + (r != 0);
  if (non_zero == 1)
    return ModeKind::kAxial;
  return non_zero == 2 ? ModeKind::kTangential : ModeKind::kOblique;
}

std::optional<std::vector<RoomMode>> list_room_modes(const Room& room, double max_hz,
                                                     std::size_t limit) {
  std::vector<RoomMode> modes;
  // Each loop stops at the first index whose lowest mode is above the limit. Every index
  // that passes adds at least one mode, so the search ends after at most limit + 1 modes.
  for (int p = 0; mode_frequency_hz(room, p, 0, 0) <= max_hz; ++p) {
    for (int q = 0; mode_frequency_hz(room, p, q, 0) <= max_hz; ++q) {
      for (int r = (p == 0 && q == 0) ? 1 : 0;; ++r) {
        const double frequency_hz = mode_frequency_hz(room, p, q, r);
        if (!(frequency_hz <= max_hz))
          break;
        if (modes.size() == limit)
          return std::nullopt;
        modes.push_back({p, q, r, frequency_hz, mode_kind(p, q, r)});
      }
    }
  }
  std::sort(modes.begin(), modes.end(), lists_before);
  return modes;
}

ModeCount count_room_modes(const Room& room, double max_hz, std::uint64_t column_budget) {
  // Columns run along the longest dimension, which holds the most modes per column, so
  // the columns themselves (the work) are as few as possible.
  std::array<int, 3> axes{0, 1, 2};
  std::stable_sort(axes.begin(), axes.end(),
                   [&](int a, int b) { return room.scale[a] > room.scale[b]; });
  const auto frequency_hz = [&](double i, double j, double k) {
    double index[3];
    index[axes[0]] = i;
    index[axes[1]] = j;
    index[axes[2]] = k;
    return mode_frequency_hz(room, index[0], index[1], index[2]);
  };
  const double limit_in_lowest_modes = max_hz / room.lowest_mode_hz;
  const double column_scale = room.scale[axes[2]];

  std::uint64_t modes_and_origin = 0;
  std::uint64_t columns = 0;
  const auto partial = [&] {
    return ModeCount{modes_and_origin > 0 ? modes_and_origin - 1 : 0, false};
  };
  for (double i = 0.0; frequency_hz(i, 0.0, 0.0) <= max_hz; ++i) {
    for (double j = 0.0; frequency_hz(i, j, 0.0) <= max_hz; ++j) {
      if (columns == column_budget)
        return partial();
      ++columns;
      const double a = i * room.scale[axes[0]];
      const double b = j * room.scale[axes[1]];
      const double left = limit_in_lowest_modes * limit_in_lowest_modes - a * a - b * b;
      const double guess = std::sqrt(std::max(left, 0.0)) / column_scale;
      const double top =
          largest_fitting_index(guess, [&](double k) { return frequency_hz(i, j, k) <= max_hz; });
      modes_and_origin += static_cast<std::uint64_t>(top) + 1;
      if (top >= kHighestCountedIndex || modes_and_origin >= kCountCeiling)
        return partial();
    }
  }
  return {modes_and_origin - 1, true};
}

double nth_mode_frequency_hz(const Room& room, std::size_t n) {
  // Best-first walk from the origin. Each mode has one parent (lower its last non-zero
  // index by 1) whose frequency is no higher, so the frontier yields modes in order.
  const auto later = [](const RoomMode& a, const RoomMode& b) { return lists_before(b, a); };
  std::priority_queue<RoomMode, std::vector<RoomMode>, decltype(later)> frontier(later);
  const auto push = [&](int p, int q, int r) {
    frontier.push({p, q, r, mode_frequency_hz(room, p, q, r), mode_kind(p, q, r)});
  };
  const auto push_children = [&](const RoomMode& mode) {
    push(mode.p, mode.q, mode.r + 1);
    if (mode.r == 0)
      push(mode.p, mode.q + 1, 0);
    if (mode.r == 0 && mode.q == 0)
      push(mode.p + 1, 0, 0);
  };
  push_children({0, 0, 0, 0.0, ModeKind::kAxial});
  for (std::size_t popped = 1;; ++popped) {
    const RoomMode mode = frontier.top();
    frontier.pop();
    if (popped == n)
      return mode.frequency_hz;
    push_children(mode);
  }
}

double highest_max_hz_listing_at_most(const Room& room, std::size_t limit) {
  return highest_six_digit_value_below(nth_mode_frequency_hz(room, limit + 1));
}

RoomModeSearch search_room_modes(const Room& room, double max_hz) {
  RoomModeSearch search;
  if (auto modes = list_room_modes(room, max_hz)) {
    search.modes = std::move(*modes);
    return search;
  }
  search.too_many = true;
  search.count = count_room_modes(room, max_hz);
  search.highest_max_hz = highest_max_hz_listing_at_most(room);
  return search;
}

}  // namespace quesdral::acoustics
