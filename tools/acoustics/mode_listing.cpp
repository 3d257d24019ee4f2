#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include "acoustics/mode_order.hpp"

namespace quesdral::acoustics {
namespace {

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

std::vector<std::size_t> coincident_sizes(const Room& room, const std::vector<RoomMode>& modes) {
  std::vector<std::size_t> sizes(modes.size(), 1);
  std::size_t start = 0;
  WeighedMode first{};
  for (std::size_t m = 0; m < modes.size(); ++m) {
    WeighedMode mode = weighed(room, modes[m]);
    if (m > 0 && same_frequency(first, mode))
      continue;
    std::fill(sizes.begin() + static_cast<std::ptrdiff_t>(start),
              sizes.begin() + static_cast<std::ptrdiff_t>(m), m - start);
    start = m;
    first = std::move(mode);
  }
  std::fill(sizes.begin() + static_cast<std::ptrdiff_t>(start), sizes.end(), modes.size() - start);
  return sizes;
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
