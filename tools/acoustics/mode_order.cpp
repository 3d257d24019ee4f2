#include "acoustics/mode_order.hpp"

#include <array>
#include <tuple>

namespace quesdral::acoustics {
namespace {

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
BigNatural mode_weight(const BigNatural (&weight)[3], double p, double q, double r) {
  BigNatural sum;
  const double indices[3] = {p, q, r};
  for (int i = 0; i < 3; ++i) {
    if (indices[i] != 0)
      sum += times_index_squared(weight[i], indices[i]);
  }
  return sum;
}

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

}  // namespace

ExactLimit exact_limit(const Room& room, double max_hz) {
  const Decimal limit = typed_decimal(max_hz);
  const int power = room.power_of_ten - 2 * limit.exponent;
  BigNatural speed_side = room.speed_part;
  ExactLimit exact{max_hz, {}, room.size_part * square(BigNatural(limit.digits))};
  if (power >= 0) {
    speed_side.scale_by_power_of_ten(power);
  } else {
    exact.limit_side.scale_by_power_of_ten(-power);
  }
  for (int i = 0; i < 3; ++i)
    exact.speed_weight[i] = speed_side * room.weight[i];
  return exact;
}

bool within(const Room& room, const ExactLimit& limit, double p, double q, double r) {
  const double frequency_hz = mode_frequency_hz(room, p, q, r);
  if (frequency_hz < limit.max_hz * (1.0 - kRoundingShare))
    return true;
  if (frequency_hz > limit.max_hz * (1.0 + kRoundingShare))
    return false;
  return mode_weight(limit.speed_weight, p, q, r) <= limit.limit_side;
}

WeighedMode weighed(const Room& room, const RoomMode& mode) {
  if (room.narrow_weight)
    return {mode, narrow_mode_weight(*room.narrow_weight, mode), {}};
  return {mode, {}, mode_weight(room.weight, mode.p, mode.q, mode.r)};
}

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

bool same_frequency(const WeighedMode& a, const WeighedMode& b) {
  return !(a.mode.frequency_hz < b.mode.frequency_hz * (1.0 - kRoundingShare)) &&
         !(b.mode.frequency_hz < a.mode.frequency_hz * (1.0 - kRoundingShare)) &&
         a.narrow.high == b.narrow.high && a.narrow.low == b.narrow.low &&
         a.weight.compare(b.weight) == 0;
}

bool mode_within(const Room& room, double p, double q, double r, double max_hz) {
  return within(room, exact_limit(room, max_hz), p, q, r);
}

bool lists_before(const Room& room, const RoomMode& a, const RoomMode& b) {
  return weighed_before(weighed(room, a), weighed(room, b));
}

}  // namespace quesdral::acoustics
