#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <queue>
#include <tuple>

#include "acoustics/column_count.hpp"
#include "acoustics/index_search.hpp"
#include "acoustics/space_time.hpp"

namespace quesdral::acoustics {
namespace {

// A count stops, as a lower bound, once it reaches this, well before it could overflow.
constexpr std::uint64_t kCountCeiling = std::uint64_t{1} << 62;

// The frequencies computed in doubles are within about 3e-15 of their exact values (a dozen
// roundings); frequencies further apart than this share are ordered as their doubles say.
constexpr double kRoundingShare = 1e-13;

// The speed of sound in air, 331.3 * sqrt(1 + T / 273.15), in the decimals of the formula.
constexpr std::uint64_t kSpeedAtZeroDigits = 3313;   // 331.3 = 3313 * 10^-1
constexpr std::uint64_t kZeroCelsiusDigits = 27315;  // 273.15 = 27315 * 10^-2

BigNatural square(const BigNatural& value) {
  return value * value;
}

BigNatural index_squared(double index) {
  return square(BigNatural(static_cast<std::uint64_t>(index)));
}

// weight * index^2: by two small products while the index fits in 32 bits, as it does for
// every mode a search compares.
BigNatural times_index_squared(const BigNatural& weight, double index) {
  if (index >= 4294967296.0)
    return index_squared(index) * weight;
  BigNatural product = weight;
  const auto factor = static_cast<std::uint32_t>(index);
  product *= factor;
  product *= factor;
  return product;
}

// p^2 weight[0] + q^2 weight[1] + r^2 weight[2]: the mode's frequency squared, up to a factor
// that is the same for every mode of the room.
BigNatural mode_weight(const Room& room, double p, double q, double r) {
  BigNatural sum;
  const double indices[3] = {p, q, r};
  for (int i = 0; i < 3; ++i) {
    if (indices[i] != 0)
      sum += times_index_squared(room.weight[i], indices[i]);
  }
  return sum;
}

// A whole number below 2^128 in two halves: N of a mode, when the room's weights are narrow.
struct Wide {
  std::uint64_t high = 0;
  std::uint64_t low = 0;
};

Wide multiply(std::uint64_t a, std::uint64_t b) {
  constexpr std::uint64_t kHalf = 0xffffffff;
  const std::uint64_t low_low = (a & kHalf) * (b & kHalf);
  const std::uint64_t low_high = (a & kHalf) * (b >> 32);
  const std::uint64_t high_low = (a >> 32) * (b & kHalf);
  const std::uint64_t high_high = (a >> 32) * (b >> 32);
  const std::uint64_t middle = (low_low >> 32) + (low_high & kHalf) + (high_low & kHalf);
  return {high_high + (low_high >> 32) + (high_low >> 32) + (middle >> 32),
          (middle << 32) | (low_low & kHalf)};
}

Wide operator+(Wide a, Wide b) {
  const std::uint64_t low = a.low + b.low;
  return {a.high + b.high + (low < a.low ? 1 : 0), low};
}

// p^2 < 2^62 and each weight < 2^64, so each term is below 2^126 and the sum below 2^128.
Wide narrow_mode_weight(const std::array<std::uint64_t, 3>& weight, const RoomMode& mode) {
  const auto square_of = [](int index) {
    return static_cast<std::uint64_t>(index) * static_cast<std::uint64_t>(index);
  };
  return multiply(square_of(mode.p), weight[0]) + multiply(square_of(mode.q), weight[1]) +
         multiply(square_of(mode.r), weight[2]);
}

// The two sides of the exact test of a mode against max_hz: the mode lies within it when
// speed_side * mode_weight <= limit_side.
struct ExactLimit {
  double max_hz = 0.0;
  BigNatural speed_side;
  BigNatural limit_side;
};

ExactLimit exact_limit(const Room& room, double max_hz) {
  const Decimal limit = typed_decimal(max_hz);
  const int power = room.power_of_ten - 2 * limit.exponent;
  ExactLimit exact{max_hz, room.speed_part, room.size_part * square(BigNatural(limit.digits))};
  if (power >= 0) {
    exact.speed_side.scale_by_power_of_ten(power);
  } else {
    exact.limit_side.scale_by_power_of_ten(-power);
  }
  return exact;
}

bool within(const Room& room, const ExactLimit& limit, double p, double q, double r) {
  const double frequency_hz = mode_frequency_hz(room, p, q, r);
  if (frequency_hz < limit.max_hz * (1.0 - kRoundingShare))
    return true;
  if (frequency_hz > limit.max_hz * (1.0 + kRoundingShare))
    return false;
  return limit.speed_side * mode_weight(room, p, q, r) <= limit.limit_side;
}

// The dimensions as whole numbers G_i over a common power of ten, and the weights and
// size part of Room built from them.
void set_exact_dimensions(Room& room, const double (&dimensions_m)[3]) {
  Decimal typed[3];
  int lowest_exponent = 0;
  for (int i = 0; i < 3; ++i) {
    typed[i] = typed_decimal(dimensions_m[i]);
    lowest_exponent = i == 0 ? typed[i].exponent : std::min(lowest_exponent, typed[i].exponent);
  }
  BigNatural squares[3];
  for (int i = 0; i < 3; ++i) {
    squares[i] = square(
        BigNatural(typed[i].digits).scale_by_power_of_ten(typed[i].exponent - lowest_exponent));
  }
  room.weight[0] = squares[1] * squares[2];
  room.weight[1] = squares[0] * squares[2];
  room.weight[2] = squares[0] * squares[1];
  const auto narrow = [&](int i) { return room.weight[i].to_uint64(); };
  if (narrow(0) && narrow(1) && narrow(2))
    room.narrow_weight = {{*narrow(0), *narrow(1), *narrow(2)}};
  room.size_part = room.weight[0] * squares[0];
  room.power_of_ten = -2 * lowest_exponent;
}

// The parts of a room that do not depend on how the speed of sound is given.
std::optional<Room> room_of(double length_m, double width_m, double height_m,
                            double speed_of_sound_m_per_s) {
  if (!sides_in_proportion(length_m, width_m, height_m))
    return std::nullopt;
  const double longest_m = std::max({length_m, width_m, height_m});
  Room room;
  room.lowest_mode_hz = speed_of_sound_m_per_s / longest_m / 2.0;
  if (!std::isnormal(room.lowest_mode_hz))
    return std::nullopt;
  room.scale[0] = longest_m / length_m;
  room.scale[1] = longest_m / width_m;
  room.scale[2] = longest_m / height_m;
  set_exact_dimensions(room, {length_m, width_m, height_m});
  return room;
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

// A mode with its exact weight N worked out once, for the searches that compare each mode
// many times: a room typed in round figures ties exactly again and again (4p^2 + 9q^2 + 25r^2
// in a 30 x 20 x 12 m hall), and in a room 1e150 m long every mode off its length lies
// within rounding of the next. In 128 bits where the room's weights are narrow, else in full.
struct WeighedMode {
  RoomMode mode;
  Wide narrow;
  BigNatural weight;
};

WeighedMode weighed(const Room& room, const RoomMode& mode) {
  if (room.narrow_weight)
    return {mode, narrow_mode_weight(*room.narrow_weight, mode), {}};
  return {mode, {}, mode_weight(room, mode.p, mode.q, mode.r)};
}

// Whether mode a lists before mode b: frequencies further apart than the rounding share
// are ordered as their doubles say, closer ones by their exact weights, and equal ones by
// p, q, r.
bool weighed_before(const WeighedMode& a, const WeighedMode& b) {
  if (a.mode.frequency_hz < b.mode.frequency_hz * (1.0 - kRoundingShare))
    return true;
  if (b.mode.frequency_hz < a.mode.frequency_hz * (1.0 - kRoundingShare))
    return false;
  if (a.narrow.high != b.narrow.high)
    return a.narrow.high < b.narrow.high;
  if (a.narrow.low != b.narrow.low)
    return a.narrow.low < b.narrow.low;
  if (const int order = a.weight.compare(b.weight); order != 0)
    return order < 0;
  return std::tie(a.mode.p, a.mode.q, a.mode.r) < std::tie(b.mode.p, b.mode.q, b.mode.r);
}

// Sorts modes as lists_before orders them.
void sort_as_listed(const Room& room, std::vector<RoomMode>& modes) {
  std::vector<WeighedMode> weighed_modes;
  weighed_modes.reserve(modes.size());
  for (const RoomMode& mode : modes)
    weighed_modes.push_back(weighed(room, mode));
  std::sort(weighed_modes.begin(), weighed_modes.end(), weighed_before);
  for (std::size_t i = 0; i < modes.size(); ++i)
    modes[i] = weighed_modes[i].mode;
}

}  // namespace

bool sides_in_proportion(double length_m, double width_m, double height_m) {
  return std::isfinite(std::max({length_m, width_m, height_m}) /
                       std::min({length_m, width_m, height_m}));
}

std::optional<Room> make_room(double length_m, double width_m, double height_m,
                              double speed_of_sound_m_per_s) {
  std::optional<Room> room = room_of(length_m, width_m, height_m, speed_of_sound_m_per_s);
  if (!room)
    return std::nullopt;
  // (c / 2)^2 = digits^2 * 10^(2 exponent) / 4.
  const Decimal speed = typed_decimal(speed_of_sound_m_per_s);
  room->speed_part = square(BigNatural(speed.digits));
  room->size_part *= BigNatural(4);
  room->power_of_ten += 2 * speed.exponent;
  return room;
}

std::optional<Room> make_room_in_air(double length_m, double width_m, double height_m,
                                     double temperature_c) {
  const std::optional<double> speed_m_per_s = speed_of_sound_m_per_s(temperature_c);
  if (!speed_m_per_s)
    return std::nullopt;
  std::optional<Room> room = room_of(length_m, width_m, height_m, *speed_m_per_s);
  if (!room)
    return std::nullopt;
  // (c / 2)^2 = 331.3^2 (273.15 + T) / (4 * 273.15), with 273.15 + T = sum * 10^lowest.
  const Decimal temperature = typed_decimal(temperature_c);
  const int lowest = std::min(-2, temperature.exponent);
  BigNatural sum = BigNatural(kZeroCelsiusDigits).scale_by_power_of_ten(-2 - lowest);
  const BigNatural part =
      BigNatural(temperature.digits).scale_by_power_of_ten(temperature.exponent - lowest);
  if (temperature.negative) {
    sum -= part;  // the temperature lies above absolute zero
  } else {
    sum += part;
  }
  room->speed_part = square(BigNatural(kSpeedAtZeroDigits)) * sum;
  room->size_part *= BigNatural(4 * kZeroCelsiusDigits);
  room->power_of_ten += lowest;
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

bool mode_within(const Room& room, double p, double q, double r, double max_hz) {
  return within(room, exact_limit(room, max_hz), p, q, r);
}

bool lists_before(const Room& room, const RoomMode& a, const RoomMode& b) {
  return weighed_before(weighed(room, a), weighed(room, b));
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
  // At most limit + 1 modes are kept: room for all of them up front spares the copies of a
  // growing array (the untouched part of a large block costs no memory).
  modes.reserve(limit + 1);
  const ExactLimit exact = exact_limit(room, max_hz);
  // Each loop stops at the first index whose lowest mode is above the limit. Every index
  // that passes adds at least one mode, so the search ends after at most limit + 1 modes.
  for (int p = 0; within(room, exact, p, 0, 0); ++p) {
    for (int q = 0; within(room, exact, p, q, 0); ++q) {
      for (int r = (p == 0 && q == 0) ? 1 : 0; within(room, exact, p, q, r); ++r) {
        if (modes.size() == limit)
          return std::nullopt;
        modes.push_back({p, q, r, mode_frequency_hz(room, p, q, r), mode_kind(p, q, r)});
      }
    }
  }
  sort_as_listed(room, modes);
  return modes;
}

namespace {

// The test of a mode against the limit in doubles, on its squared frequency in units of the
// lowest mode: sure outside a rounding share of the limit, and unsure (for the exact test to
// settle) within it.
class QuickLimit {
 public:
  enum class Fit { kYes, kNo, kUnsure };

  QuickLimit(const Room& room, double max_hz) {
    const double limit = max_hz / room.lowest_mode_hz;
    // Squaring doubles the share; an overflowing limit leaves every finite sum below it.
    squared_.below = limit * limit * (1.0 - 2.0 * kRoundingShare);
    squared_.above = limit * limit * (1.0 + 2.0 * kRoundingShare);
  }

  Fit fit(double squared_sum) const {
    if (squared_sum < squared_.below)
      return Fit::kYes;
    return squared_sum > squared_.above ? Fit::kNo : Fit::kUnsure;
  }

  const SquaredLimit& squared() const { return squared_; }

 private:
  SquaredLimit squared_;
};

}  // namespace

ModeCount count_room_modes(const Room& room, double max_hz, std::uint64_t column_budget) {
  // Columns run along the longest dimension, which holds the most modes per column, so
  // the columns themselves (the work) are as few as possible.
  std::array<int, 3> axes{0, 1, 2};
  std::stable_sort(axes.begin(), axes.end(),
                   [&](int a, int b) { return room.scale[a] > room.scale[b]; });
  const ExactLimit exact = exact_limit(room, max_hz);
  const auto fits = [&](double i, double j, double k) {
    double index[3];
    index[axes[0]] = i;
    index[axes[1]] = j;
    index[axes[2]] = k;
    return within(room, exact, index[0], index[1], index[2]);
  };
  const QuickLimit quick(room, max_hz);
  const auto surely_fits = [&](double squared_sum, double i, double j, double k) {
    const QuickLimit::Fit fit = quick.fit(squared_sum);
    return fit == QuickLimit::Fit::kUnsure ? fits(i, j, k) : fit == QuickLimit::Fit::kYes;
  };
  ColumnRow row{0.0, room.scale[axes[1]], room.scale[axes[2]]};

  std::uint64_t modes_and_origin = 0;
  std::uint64_t columns = 0;
  const auto partial = [&] {
    return ModeCount{modes_and_origin > 0 ? modes_and_origin - 1 : 0, false};
  };
  for (double i = 0.0;; ++i) {
    const double a = i * room.scale[axes[0]];
    row.i_squared = a * a;
    if (!surely_fits(row.i_squared, i, 0.0, 0.0))
      break;
    for (double j = 0.0;; ++j) {
      // As many columns as the doubles settle, then one column the exact way.
      const ColumnRun run =
          quick_columns(quick.squared(), row, static_cast<std::uint64_t>(j),
                        column_budget - columns, kCountCeiling - modes_and_origin);
      columns += run.columns;
      modes_and_origin += run.modes;
      j += count_as_double(run.columns);
      if (modes_and_origin >= kCountCeiling)
        return partial();
      const double b = j * row.scale_j;
      const double base = row.i_squared + b * b;
      if (!surely_fits(base, i, j, 0.0))
        break;
      if (columns == column_budget)
        return partial();
      ++columns;
      const double guess = std::sqrt(std::max(quick.squared().below - base, 0.0)) / row.scale_k;
      const double top = largest_fitting_index(guess, [&](double k) { return fits(i, j, k); });
      modes_and_origin += static_cast<std::uint64_t>(top) + 1;
      // A column as high as the search goes is not counted exactly.
      if (top >= kHighestSearchedIndex || modes_and_origin >= kCountCeiling)
        return partial();
    }
  }
  return {modes_and_origin - 1, true};
}

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

namespace {

// The band whose edges hold frequency_hz. No mode and no typed limit lies exactly on an edge:
// 10^(k / 20) for odd k is no square root of a rational number.
int band_index(double frequency_hz) {
  return static_cast<int>(std::floor(10.0 * std::log10(frequency_hz) + 0.5));
}

double preferred_centre_hz(int index) {
  static constexpr std::array<double, 10> kPreferred = {1.0,  1.25, 1.6, 2.0, 2.5,
                                                        3.15, 4.0,  5.0, 6.3, 8.0};
  const int decade = index >= 0 ? index / 10 : -((-index + 9) / 10);
  const double mantissa = kPreferred[static_cast<std::size_t>(index - 10 * decade)];
  // Powers of ten are exact doubles up to 10^22, so the centre is rounded once.
  return decade >= 0 ? mantissa * std::pow(10.0, decade) : mantissa / std::pow(10.0, -decade);
}

}  // namespace

std::vector<ModeBand> third_octave_bands(const std::vector<RoomMode>& modes, double max_hz) {
  std::vector<ModeBand> bands;
  if (modes.empty())
    return bands;
  const int first = band_index(modes.front().frequency_hz);
  const int last = band_index(max_hz);
  for (int index = first; index <= last; ++index) {
    ModeBand band;
    band.index = index;
    band.nominal_hz = preferred_centre_hz(index);
    band.partial = index == last;
    bands.push_back(band);
  }
  // A mode at the limit may round a hair above it; it stays in the limit's band.
  for (const RoomMode& mode : modes) {
    const int index = std::clamp(band_index(mode.frequency_hz), first, last);
    ++bands[static_cast<std::size_t>(index - first)].modes;
  }
  for (std::size_t i = 1; i < bands.size(); ++i)
    bands[i].below_lower = !bands[i].partial && bands[i].modes < bands[i - 1].modes;
  return bands;
}

}  // namespace quesdral::acoustics
