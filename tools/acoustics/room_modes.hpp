// The standing waves (modes) of a rectangular room with rigid walls.
//
// A mode is a triple of whole indices (p, q, r), not all 0, one per dimension (length,
// width, height), with frequency f = (c / 2) sqrt((p/L)^2 + (q/W)^2 + (r/H)^2). It is axial
// when one index is non-zero, tangential when two are, oblique when all three are.
//
// Every search here is bounded by the frequency limit, so its work grows with the number of
// modes it meets, never with a fixed cube of indices; the count of a huge set of modes is
// bounded by a work budget instead.
//
// Whether a mode lies at or below a limit, and whether two modes have the same frequency,
// are decided exactly, on the values as typed (see exact_decimal.hpp): in a 1 x 1 x 1 m room
// at 0 degrees C (c = 331.3 m/s) the six modes at 3 * 165.65 Hz all lie at a limit of 496.95,
// and the modes of equal frequency are listed by p, q, r however their frequencies round.
// Frequencies are compared as doubles where those settle it, and in whole numbers where
// they come within rounding of each other; all functions here agree on every mode.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "acoustics/exact_decimal.hpp"

namespace quesdral::acoustics {

// The most modes the listing shows; a limit that would list more is refused.
inline constexpr std::size_t kMaxListedModes = 10000;

// How many (p, q) columns count_room_modes may visit before it settles for a lower bound.
inline constexpr std::uint64_t kModeCountColumnBudget = std::uint64_t{1} << 22;

enum class ModeKind { kAxial, kTangential, kOblique };

// A room ready for mode computations: each dimension is held as its ratio to the longest,
// so that no square underflows however large or small the room is; and the same room in
// whole numbers for the exact comparisons. With the dimensions as typed decimals
// G_i * 10^e (e the smallest of their exponents) and (c / 2)^2 = A / B * 10^F:
// (f / max_hz)^2 = A * N * 10^(F - 2e) / (B * G_0^2 G_1^2 G_2^2 * max_hz^2), where
// N = p^2 weight[0] + q^2 weight[1] + r^2 weight[2] and weight[i] is the product of the
// other two G^2.
struct Room {
  double lowest_mode_hz = 0.0;  // c / (2 * longest dimension): the frequency scale
  double scale[3] = {};         // longest dimension / each dimension, each >= 1
  BigNatural weight[3];         // as above
  // The same weights when each fits in 64 bits, as for any room typed with a few digits:
  // then a mode's N is a 128-bit number and modes are ordered without BigNatural.
  std::optional<std::array<std::uint64_t, 3>> narrow_weight;
  BigNatural speed_part;  // A
  BigNatural size_part;   // B * G_0^2 G_1^2 G_2^2
  int power_of_ten = 0;   // F - 2e
};

// Whether the longest side is a finite multiple of the shortest, in doubles: in a room
// 1e300 m long and 1e-9 m high the steps between modes along the height overflow.
// REQUIRES: every argument > 0 and finite.
bool sides_in_proportion(double length_m, double width_m, double height_m);

// The room L x W x H at speed of sound c, taken as typed. Empty when the lowest mode
// frequency would not be a normal positive double (a room some 1e300 m long), since nothing
// could be shown, or when the sides are not in proportion (above).
// REQUIRES: every argument > 0 and finite.
std::optional<Room> make_room(double length_m, double width_m, double height_m,
                              double speed_of_sound_m_per_s);

// The same room in air at temperature_c, with the speed of sound of space_time.hpp,
// 331.3 * sqrt(1 + T / 273.15) m/s, taken exactly (not as its rounded double).
// REQUIRES: dimensions > 0 and finite; kMinTemperatureC <= temperature_c <= kMaxTemperatureC.
std::optional<Room> make_room_in_air(double length_m, double width_m, double height_m,
                                     double temperature_c);

struct RoomMode {
  int p;
  int q;
  int r;
  double frequency_hz;
  ModeKind kind;
};

// The frequency of mode (p, q, r), rounded; +inf when it overflows.
// REQUIRES: p, q, r >= 0.
double mode_frequency_hz(const Room& room, double p, double q, double r);

// Whether mode (p, q, r) lies at or below max_hz, exactly.
// REQUIRES: p, q, r whole, from 0 to 2^53; max_hz > 0 and finite.
bool mode_within(const Room& room, double p, double q, double r, double max_hz);

// Whether mode a comes before mode b in a listing: a lower frequency, exactly, or an equal
// one and lower p, q, r.
bool lists_before(const Room& room, const RoomMode& a, const RoomMode& b);

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

// For each mode of a listing (sorted as list_room_modes sorts), how many modes share its
// frequency exactly, itself included: 1 for a mode alone, 3 for each of three coincident
// (degenerate) modes. Equal frequencies are decided exactly, as the listing's ties are.
// REQUIRES: modes sorted as listed.
std::vector<std::size_t> coincident_sizes(const Room& room, const std::vector<RoomMode>& modes);

// The n-th mode of the listing (n = 1 is the lowest), counting modes of equal frequency one
// by one. Work grows with n log n, whatever the room.
// REQUIRES: 1 <= n < INT_MAX / 2.
RoomMode nth_mode(const Room& room, std::size_t n);

// The highest frequency limit with six significant digits that lists at most `limit` modes,
// for a limit that lists more. The result is the double of a six-digit decimal, which
// format_number shows and which, typed back, lists at most `limit` modes.
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

// One third-octave band of the base-10 series: band n has its centre at 10^(n / 10) Hz and
// its edges at 10^((n -/+ 0.5) / 10) Hz; it is named by the preferred number of ISO 266
// (1, 1.25, 1.6, 2, 2.5, 3.15, 4, 5, 6.3, 8 times a power of ten).
struct ModeBand {
  int index = 0;             // n: 15 is the band of 31.5 Hz, 20 the band of 100 Hz
  double nominal_hz = 0.0;   // the preferred centre
  std::uint64_t modes = 0;   // the modes in the band
  bool partial = false;      // cut at the frequency limit, which lies inside it
  bool below_lower = false;  // full, with fewer modes than the band below (Bonello's criterion)
  std::size_t coincident_groups = 0;  // sets of two or more modes of exactly one frequency
  bool groups_counted = true;         // false: too many modes up to the band to list them
  bool crowded = false;  // full, with fewer than kBonelloFewModes modes and coincident ones
};

// Bonello's criterion also asks that no band of fewer than this many modes hold modes of
// exactly one frequency.
inline constexpr std::size_t kBonelloFewModes = 5;

// The name of band n: its ISO 266 preferred number in plain decimals, at every decade
// ("0.0315", "31.5", "200000", "1600000"; never an exponent), as a band is named in print.
std::string band_name(int index);

// The bands from the one that holds the lowest mode to the one that holds max_hz, each with
// its count of modes and of coincident groups (from `sizes`, as coincident_sizes gives them;
// empty: none counted). Bonello's criterion asks that each band hold at least as many modes
// as the band below, and that no band of fewer than five modes hold coincident ones; only
// full bands are judged, as a cut band lacks modes by its cut.
// REQUIRES: modes sorted by frequency, each at or below max_hz; max_hz > 0 and finite;
// sizes empty or one per mode.
std::vector<ModeBand> third_octave_bands(const std::vector<RoomMode>& modes, double max_hz,
                                         const std::vector<std::size_t>& sizes = {});

// The index of the band that holds frequency_hz, and band n with its centre and nothing
// counted.
int band_of(double frequency_hz);
// The lower edge of band n, 10^((n - 0.5) / 10) Hz.
double band_lower_edge_hz(int index);
ModeBand band_at(int index);

// Sets below_lower and crowded of bands counted in a row from the lowest, as
// third_octave_bands does.
void judge_bands(std::vector<ModeBand>& bands);

// The counts of a room's modes up to a limit, without listing them: by kind, in all, and
// per third-octave band, all counted exactly; the coincident groups of a band are counted
// where the modes up to it can be listed (kMaxListedModes).
struct ModeSummary {
  std::uint64_t kinds[3] = {0, 0, 0};  // axial, tangential, oblique
  std::uint64_t modes = 0;
  std::vector<ModeBand> bands;
};

// The summary, or nothing when a count runs past its work budget (see count_room_modes).
// REQUIRES: max_hz > 0 and finite.
std::optional<ModeSummary> summarize_room_modes(const Room& room, double max_hz);

}  // namespace quesdral::acoustics
