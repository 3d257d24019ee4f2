#include "cli/table.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

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

// Every line is laid out in place and then cut after its last character, so a row whose
// last cells are empty, an empty row and a cell wider than its header all need care.
TEST(Table, LaysOutRowsOfEveryShape) {
  Table table;
  table.add_column("Band");
  table.add_column("Remark", Table::Align::kLeft);
  table.add_column("Bar", Table::Align::kLeft);
  table.add_row({"31.5", "", "#"});
  table.add_row({"40", "partial", ""});
  table.add_row({"50", "", ""});
  table.add_row({"", "", ""});  // an empty row is an empty line
  table.add_row({"12500", "a long remark", "###"});
  std::string text = "Before\n";
  table.render_to(text);
  EXPECT_EQ(text,
            "Before\n"
            " Band  Remark         Bar\n"
            " 31.5                 #\n"
            "   40  partial\n"
            "   50\n"
            "\n"
            "12500  a long remark  ###\n");
  ASSERT_EQ(table.row_count(), 5u);
  EXPECT_EQ(table.row(1).size(), 3u);
  EXPECT_EQ(table.row(1)[1].text, "partial");
}

TEST(Table, CellsKeepTheNumberBehindTheirText) {
  struct Case {
    Table::Cell cell;
    const char* text;
    std::optional<double> number;
  };
  const Case cases[] = {
      {Table::Cell::integer(-9223372036854775807LL - 1), "-9223372036854775808",
       -9223372036854775808.0},
      {Table::Cell::integer(0), "0", 0.0},
      {Table::Cell(261.6255653005986), "261.626", 261.6255653005986},
      {Table::Cell("A4"), "A4", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.cell.text, c.text);
    EXPECT_EQ(c.cell.number, c.number) << c.text;
  }
}

}  // namespace
}  // namespace quesdral::cli
