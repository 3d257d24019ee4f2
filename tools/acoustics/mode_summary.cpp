#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "acoustics/index_search.hpp"
#include "acoustics/mode_order.hpp"
#include "acoustics/room_modes.hpp"

namespace quesdral::acoustics {
namespace {

// The counts of modes whose indices off `axes` are 0, the origin included (the points of
// one axis or one plane under the limit), or nothing when the rows run past the budget.
class SubspaceCount {
 public:
  SubspaceCount(const Room& room, double max_hz)
      : room_(room), exact_(exact_limit(room, max_hz)), limit_(max_hz / room.lowest_mode_hz) {}

  // The highest index along `axis` of a mode with `other` on axis `other_axis` and 0 on the
  // third; fits(0) must hold.
  double top(int axis, int other_axis, double other) const {
    const double used = other * room_.scale[other_axis];
    const double guess =
        std::sqrt(std::max(limit_ * limit_ - used * used, 0.0)) / room_.scale[axis];
    return largest_fitting_index(guess, [&](double k) {
      double index[3] = {0.0, 0.0, 0.0};
      index[axis] = k;
      index[other_axis] += other;
      return within(room_, exact_, index[0], index[1], index[2]);
    });
  }

  std::uint64_t line(int axis) const { return static_cast<std::uint64_t>(top(axis, axis, 0)) + 1; }

  // Rows along the axis with fewer indices, each row's top along the other.
  std::optional<std::uint64_t> plane(int a, int b) const {
    if (room_.scale[a] < room_.scale[b])
      std::swap(a, b);
    const double rows = top(a, a, 0.0);
    if (rows >= static_cast<double>(kModeCountColumnBudget))
      return std::nullopt;
    std::uint64_t points = 0;
    for (double i = 0.0; i <= rows; ++i)
      points += static_cast<std::uint64_t>(top(b, a, i)) + 1;
    return points;
  }

 private:
  const Room& room_;
  ExactLimit exact_;
  double limit_;
};

}  // namespace

std::optional<ModeSummary> summarize_room_modes(const Room& room, double max_hz) {
  const ModeCount all = count_room_modes(room, max_hz);
  if (!all.exact)
    return std::nullopt;
  ModeSummary summary;
  summary.modes = all.modes;
  // Points of each line and plane under the limit, the origin included; the kinds follow
  // by inclusion and exclusion.
  const SubspaceCount sub(room, max_hz);
  std::uint64_t lines[3];
  std::uint64_t planes = 0;
  for (int axis = 0; axis < 3; ++axis) {
    lines[axis] = sub.line(axis);
    summary.kinds[0] += lines[axis] - 1;
  }
  for (int a = 0; a < 3; ++a) {
    const int b = (a + 1) % 3;
    const std::optional<std::uint64_t> plane = sub.plane(a, b);
    if (!plane)
      return std::nullopt;
    planes += *plane;
    summary.kinds[1] += *plane - lines[a] - lines[b] + 1;
  }
  summary.kinds[2] = all.modes + 1 - planes + lines[0] + lines[1] + lines[2] - 1;
  if (all.modes == 0)
    return summary;

  // The bands from the lowest mode's to the limit's, each counted under its upper edge.
  // An edge 10^((n + 0.5) / 10) is irrational, so no mode lies on it; its double lies within
  // rounding of it, closer than any two modes of a room that can be counted.
  const int first = band_of(nth_mode(room, 1).frequency_hz);
  const int last = band_of(max_hz);
  std::uint64_t below = 0;
  for (int index = first; index <= last; ++index) {
    ModeBand band = band_at(index);
    std::uint64_t up_to = all.modes;
    if (index < last) {
      const ModeCount count = count_room_modes(room, std::pow(10.0, (index + 0.5) / 10.0));
      if (!count.exact)
        return std::nullopt;
      up_to = std::max(count.modes, below);
    }
    band.modes = up_to - below;
    band.partial = index == last;
    band.groups_counted = false;
    below = up_to;
    summary.bands.push_back(band);
  }
  // Coincident modes in the bands whose modes, and all below them, can be listed. Every band
  // beyond holds 5 modes or more, so Bonello's second condition is judged in full: a band
  // that reaches past the 10,000th mode with fewer than 5 starts above the 9,996th, so its
  // lower edge lies at least 21 axial steps of the longest side up (n steps hold at most
  // (n + 1)^3 - 1 modes), and the band, a quarter of its lower edge wide, holds 5 of those.
  std::size_t listed_bands = 0;
  std::uint64_t listed_modes = 0;
  while (listed_bands < summary.bands.size() &&
         listed_modes + summary.bands[listed_bands].modes <= kMaxListedModes) {
    listed_modes += summary.bands[listed_bands].modes;
    ++listed_bands;
  }
  if (listed_bands > 0) {
    const int top_index = first + static_cast<int>(listed_bands) - 1;
    const double top_hz = top_index == last ? max_hz : std::pow(10.0, (top_index + 0.5) / 10.0);
    if (const auto modes = list_room_modes(room, top_hz)) {
      const std::vector<ModeBand> listed =
          third_octave_bands(*modes, top_hz, coincident_sizes(room, *modes));
      for (std::size_t i = 0; i < listed.size() && i < listed_bands; ++i) {
        summary.bands[i].coincident_groups = listed[i].coincident_groups;
        summary.bands[i].groups_counted = true;
      }
    }
  }
  judge_bands(summary.bands);
  return summary;
}

}  // namespace quesdral::acoustics
