#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <cmath>

#include "acoustics/mode_order.hpp"
#include "acoustics/space_time.hpp"

namespace quesdral::acoustics {
namespace {

// The speed of sound in air, 331.3 * sqrt(1 + T / 273.15), in the decimals of the formula.
constexpr std::uint64_t kSpeedAtZeroDigits = 3313;   // 331.3 = 3313 * 10^-1
constexpr std::uint64_t kZeroCelsiusDigits = 27315;  // 273.15 = 27315 * 10^-2

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
  // grows; the bounded searches of the listing and the count rely on that.
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

}  // namespace quesdral::acoustics
