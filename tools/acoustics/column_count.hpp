// The inner loop of the room-mode count: the modes of a run of columns, in doubles.
//
// The count visits millions of columns (i, j) and needs each one's highest index k. In
// doubles that is a couple of dozen instructions a column; the exact test costs a hundred
// times more, so it is left to the columns the doubles cannot settle, which lie within a
// rounding share of the limit and are rare.
#pragma once

#include <cstdint>

namespace quesdral::acoustics {

// The limit in squared units of the lowest mode, widened both ways by the rounding that
// the doubles of a mode's squared frequency and of the limit may carry: a squared sum below
// `below` surely fits, one above `above` surely does not.
struct SquaredLimit {
  double below = 0.0;
  double above = 0.0;
};

// One row i of columns (i, j), j = first, first + 1, ..., with index steps scale_j and
// scale_k (mode (i, j, k) has the squared sum i_squared + (j scale_j)^2 + (k scale_k)^2).
struct ColumnRow {
  double i_squared = 0.0;
  double scale_j = 1.0;
  double scale_k = 1.0;
};

struct ColumnRun {
  std::uint64_t columns = 0;  // columns settled
  std::uint64_t modes = 0;    // their modes, k = 0 to the top of each
};

// A count as a double. Counts here stay far below 2^63, and converting them as signed is one
// instruction on 32-bit x86 too, where an unsigned conversion needs x87 arithmetic.
inline double count_as_double(std::uint64_t count) {
  return static_cast<double>(static_cast<std::int64_t>(count));
}

// The columns of `row` from `first` on that the doubles settle, stopping before the first
// they cannot (its foot k = 0 not surely within the limit, or its top not sure), after
// `most` columns, or once the modes reach `enough`. A column is settled when its foot
// surely fits and the formula's guess k of its top surely fits while k + 1 surely does not;
// its top is then exactly k, as the squared sum grows with every index.
// REQUIRES: limit.below <= limit.above; scales >= 1 and finite.
ColumnRun quick_columns(const SquaredLimit& limit, const ColumnRow& row, std::uint64_t first,
                        std::uint64_t most, std::uint64_t enough);

}  // namespace quesdral::acoustics
