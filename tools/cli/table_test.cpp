#include "cli/table.hpp"

#include <gtest/gtest.h>

namespace quesdral::cli {
namespace {

TEST(Table, RightAlignsNumbersAndLeavesNoTrailingSpaces) {
  Table table;
  table.add_column("n");
  table.add_column("Frequency Hz");
  table.add_column("Note", Table::Align::kLeft);
  table.add_row({"1", "110.000", "A2"});
  table.add_row({"10", "1100.00", "C#6"});
  EXPECT_EQ(table.render(),
            " n  Frequency Hz  Note\n"
            " 1       110.000  A2\n"
            "10       1100.00  C#6\n");
  EXPECT_EQ(table.row_count(), 2u);
}

}  // namespace
}  // namespace quesdral::cli
