// The standing waves (modes) of a rectangular room with rigid walls.
//
// A mode is a triple of whole indices (p, q, r), not all 0, one per dimension (length,
// width, height), with frequency f = (c / 2) sqrt((p/L)^2 + (q/W)^2 + (r/H)^2). It is axial
// when one index is non-zero, tangential when two are, oblique when all three are.
//
// Every search here is bounded by the frequency limit, so its work grows with the number of
// modes it meets, never with a fixed cube of indices; the count of a huge set of modes is
// bounded by a work budget instead. A mode belongs to a limit when its frequency, computed
// as mode_frequency_hz computes it, is at most the limit: a mode exactly at the limit is
// included, and all functions here agree on every mode at the boundary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace quesdral::acoustics {

// The most modes the listing shows; a limit that would list more is refused.
inline constexpr std::size_t kMaxListedModes = 10000;

// How many (p, q) columns count_room_modes may visit before it settles for a lower bound.
inline constexpr std::uint64_t kModeCountColumnBudget = std::uint64_t{1} << 22;

enum class ModeKind { kAxial, kTangential, kOblique };

// A room ready for mode computations: each dimension is held as its ratio to the longest,
// so that no square underflows however large or small the room is.
struct Room {
  double lowest_mode_hz;  // c / (2 * longest dimension): the frequency scale
  double scale[3];        // longest dimension / each dimension, each >= 1
};

// The room L x W x H at speed of sound c. Empty when the lowest mode frequency would not
// be a normal positive double (a room some 1e300 m long), since nothing could be shown.
// REQUIRES: every argument > 0 and finite.
std::optional<Room> make_room(double length_m, double width_m, double height_m,
                              double speed_of_sound_m_per_s);

struct RoomMode {
  int p;
  int q;
  int r;
  double frequency_hz;
  ModeKind kind;
};

// The frequency of mode (p, q, r); +inf when it overflows.
// REQUIRES: p, q, r >= 0.
double mode_frequency_hz(const Room& room, double p, double q, double r);

// The kind of mode (p, q, r).
// REQUIRES: p, q, r >= 0, not all 0.
ModeKind mode_kind(int p, int q, int r);

// The modes at or below max_hz, sorted by frequency and then by p, q, r; or empty when
// there are more than `limit` of them (the search stops as soon as it finds one too many).
// REQUIRES: max_hz > 0 and finite; limit < INT_MAX.
std::optional<std::vector<RoomMode>> list_room_modes(const Room& room, double max_hz,
                                                     std::size_t limit = kMaxListedModes);

// The number of modes at or below max_hz.
struct ModeCount {
  std::uint64_t modes;
  bool exact;  // false: the budget ran out (or the count neared 2^63); modes is a lower bound
};

// Counts the modes at or below max_hz column by column, visiting at most column_budget
// (p, q) columns of the two shortest dimensions.
// REQUIRES: max_hz > 0 and finite.
ModeCount count_room_modes(const Room& room, double max_hz,
                           std::uint64_t column_budget = kModeCountColumnBudget);

// The frequency of the n-th lowest mode (n = 1 is the lowest), counting modes of equal
// frequency one by one. Work grows with n log n, whatever the room.
// REQUIRES: 1 <= n < INT_MAX / 2.
double nth_mode_frequency_hz(const Room& room, std::size_t n);

// The highest frequency limit with at most six significant digits that lists at most
// `limit` modes, for a limit that lists more. Parsing the shortest decimal text of the
// result gives back the result itself.
// REQUIRES: 1 <= limit < INT_MAX / 2.
double highest_max_hz_listing_at_most(const Room& room, std::size_t limit = kMaxListedModes);

// The whole answer for a room and a frequency limit: the modes, or the reasons to refuse.
struct RoomModeSearch {
  std::vector<RoomMode> modes;  // sorted; empty when too_many
  bool too_many = false;
  ModeCount count{};            // set when too_many
  double highest_max_hz = 0.0;  // set when too_many
};

// REQUIRES: max_hz > 0 and finite.
RoomModeSearch search_room_modes(const Room& room, double max_hz);

}  // namespace quesdral::acoustics
