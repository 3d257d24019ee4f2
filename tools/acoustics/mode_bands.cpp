#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace quesdral::acoustics {
namespace {

// The decade of band n, rounded toward minus infinity: -1 for the band of 0.5 Hz.
int decade_of(int index) {
  return index >= 0 ? index / 10 : -((-index + 9) / 10);
}

std::size_t step_in_decade(int index) {
  return static_cast<std::size_t>(index - 10 * decade_of(index));
}

double preferred_centre_hz(int index) {
  static constexpr std::array<double, 10> kPreferred = {1.0,  1.25, 1.6, 2.0, 2.5,
                                                        3.15, 4.0,  5.0, 6.3, 8.0};
  const int decade = decade_of(index);
  const double mantissa = kPreferred[step_in_decade(index)];
  // Powers of ten are exact doubles up to 10^22, so the centre is rounded once.
  return decade >= 0 ? mantissa * std::pow(10.0, decade) : mantissa / std::pow(10.0, -decade);
}

}  // namespace

// No mode and no typed limit lies exactly on an edge: 10^(k / 20) for odd k is no square
// root of a rational number.
int band_of(double frequency_hz) {
  return static_cast<int>(std::floor(10.0 * std::log10(frequency_hz) + 0.5));
}

double band_lower_edge_hz(int index) {
  return std::pow(10.0, (index - 0.5) / 10.0);
}

ModeBand band_at(int index) {
  ModeBand band;
  band.index = index;
  band.nominal_hz = preferred_centre_hz(index);
  return band;
}

void judge_bands(std::vector<ModeBand>& bands) {
  for (std::size_t i = 0; i < bands.size(); ++i) {
    ModeBand& band = bands[i];
    band.below_lower = i > 0 && !band.partial && band.modes < bands[i - 1].modes;
    band.crowded = !band.partial && band.groups_counted && band.modes < kBonelloFewModes &&
                   band.coincident_groups > 0;
  }
}

std::string band_name(int index) {
  // The significant digits of the ten preferred numbers from 1 to 8; the first digit stands
  // for the units of the decade.
  static constexpr std::array<const char*, 10> kDigits = {"1",   "125", "16", "2",  "25",
                                                          "315", "4",   "5",  "63", "8"};
  const std::string digits = kDigits[step_in_decade(index)];
  const long long decade = decade_of(index);
  const long long fraction_digits = static_cast<long long>(digits.size()) - 1 - decade;
  if (fraction_digits <= 0)  // a whole number: the digits, then zeros
    return digits + std::string(static_cast<std::size_t>(-fraction_digits), '0');
  const long long whole_digits = static_cast<long long>(digits.size()) - fraction_digits;
  if (whole_digits > 0) {
    const auto split = static_cast<std::size_t>(whole_digits);
    return digits.substr(0, split) + "." + digits.substr(split);
  }
  return "0." + std::string(static_cast<std::size_t>(-whole_digits), '0') + digits;
}

std::vector<ModeBand> third_octave_bands(const std::vector<RoomMode>& modes, double max_hz,
                                         const std::vector<std::size_t>& sizes) {
  std::vector<ModeBand> bands;
  if (modes.empty())
    return bands;
  const int first = band_of(modes.front().frequency_hz);
  const int last = band_of(max_hz);
  for (int index = first; index <= last; ++index) {
    ModeBand band = band_at(index);
    band.partial = index == last;
    bands.push_back(band);
  }
  // A mode at the limit may round a hair above it; it stays in the limit's band.
  const auto holding = [&](const RoomMode& mode) -> ModeBand& {
    const int index = std::clamp(band_of(mode.frequency_hz), first, last);
    return bands[static_cast<std::size_t>(index - first)];
  };
  for (const RoomMode& mode : modes)
    ++holding(mode).modes;
  // A coincident group is counted at its first mode; its modes share one band.
  for (std::size_t m = 0; m < sizes.size(); m += sizes[m]) {
    if (sizes[m] > 1)
      ++holding(modes[m]).coincident_groups;
  }
  judge_bands(bands);
  return bands;
}

}  // namespace quesdral::acoustics
