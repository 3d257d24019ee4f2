#include "acoustics/column_count.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace quesdral::acoustics {
namespace {

// The column count the slow way: each top found by bisection on the comparison itself, with
// no square root, and the run ending at the first column whose foot or top is not sure.
ColumnRun columns_by_bisection(const SquaredLimit& limit, const ColumnRow& row, std::uint64_t first,
                               std::uint64_t most) {
  ColumnRun run;
  const auto squared_sum = [&](double j, double k) {
    const double b = j * row.scale_j;
    const double c = k * row.scale_k;
    return row.i_squared + b * b + c * c;
  };
  for (double j = count_as_double(first); run.columns < most; ++j) {
    if (!(squared_sum(j, 0) < limit.below))
      break;
    double low = 0.0;                  // fits
    double high = 9007199254740992.0;  // 2^53: does not
    while (high - low > 1.0) {
      const double middle = low + std::floor((high - low) / 2);
      (squared_sum(j, middle) < limit.below ? low : high) = middle;
    }
    if (!(squared_sum(j, low + 1.0) > limit.above))
      break;
    run.modes += static_cast<std::uint64_t>(low) + 1;
    ++run.columns;
  }
  return run;
}

SquaredLimit limit_of(double limit) {
  return {limit * limit * (1 - 2e-13), limit * limit * (1 + 2e-13)};
}

TEST(QuickColumns, AgreeWithBisection) {
  struct Case {
    const char* what;
    double limit;
    ColumnRow row;
    std::uint64_t first;
    std::uint64_t most;
  };
  const Case cases[] = {
      {"a hall's first row", 5244.37, {0.0, 1.5, 1.0}, 0, 1 << 20},
      {"a row far from the origin", 5244.37, {1200.0 * 1200.0 * 6.25, 1.5, 1.0}, 0, 1 << 20},
      {"from a later column", 5244.37, {0.0, 1.5, 1.0}, 1001, 1 << 20},
      {"an odd number of columns at most", 5244.37, {0.0, 1.5, 1.0}, 0, 7},
      {"one column at most", 5244.37, {0.0, 1.5, 1.0}, 0, 1},
      {"tops across 2^31", 3100000000.5, {0.0, 4e6, 1.0}, 0, 1 << 12},
      {"tops above 2^31 only", 123456789012.5, {0.0, 1e7, 1.0}, 0, 64},
      {"unequal steps", 977.25, {3.0, 1.0, 7.3}, 0, 1 << 20},
      {"a row whose foot lies outside", 10.0, {101.0, 1.0, 1.0}, 0, 1 << 20},
  };
  for (const Case& c : cases) {
    const SquaredLimit limit = limit_of(c.limit);
    const ColumnRun expected = columns_by_bisection(limit, c.row, c.first, c.most);
    const ColumnRun quick = quick_columns(limit, c.row, c.first, c.most, UINT64_MAX);
    EXPECT_EQ(quick.columns, expected.columns) << c.what;
    EXPECT_EQ(quick.modes, expected.modes) << c.what;
  }
}

TEST(QuickColumns, StopsOnceTheModesReachEnough) {
  const SquaredLimit limit = limit_of(5244.37);
  const ColumnRow row{0.0, 1.5, 1.0};
  // Every column of this row holds about 5,000 modes; the run ends with the column that
  // reaches the bound, however far into a pair that falls.
  for (const std::uint64_t enough : {std::uint64_t{1}, std::uint64_t{5244}, std::uint64_t{5245},
                                     std::uint64_t{40000}, std::uint64_t{123456}}) {
    const ColumnRun quick = quick_columns(limit, row, 0, 1 << 20, enough);
    const ColumnRun before = columns_by_bisection(limit, row, 0, quick.columns - 1);
    EXPECT_GE(quick.modes, enough);
    EXPECT_LT(before.modes, enough);
    EXPECT_EQ(columns_by_bisection(limit, row, 0, quick.columns).modes, quick.modes);
  }
}

}  // namespace
}  // namespace quesdral::acoustics
