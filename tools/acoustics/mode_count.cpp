#include "acoustics/room_modes.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "acoustics/column_count.hpp"
#include "acoustics/index_search.hpp"
#include "acoustics/mode_order.hpp"

namespace quesdral::acoustics {
namespace {

// A count stops, as a lower bound, once it reaches this, well before it could overflow.
constexpr std::uint64_t kCountCeiling = std::uint64_t{1} << 62;

// How much exact testing a count may do before it settles for a lower bound, in tests
// times the 32-bit limbs of the numbers tested (most modes are settled in doubles first).
// A room whose sides are typed across hundreds of decades has weights of a thousand bits or
// more, and in a column ten thousand billion modes high every top lies within rounding of
// the limit, so that each column needs the exact test; this bounds such a count to a few
// hundredths of a second. Rooms typed with a few digits need a handful of exact tests.
constexpr std::uint64_t kExactWorkBudget = std::uint64_t{1} << 23;

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
  std::uint64_t exact_work = 0;
  const std::uint64_t test_work = exact.limit_side.limb_count() + 1;
  const auto fits = [&](double i, double j, double k) {
    exact_work += test_work;
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
      if (columns == column_budget || exact_work >= kExactWorkBudget)
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

}  // namespace quesdral::acoustics
