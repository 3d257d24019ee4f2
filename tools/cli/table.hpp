// A plain-text table for results that are lists (harmonics, sidebands, room modes).
//
// Columns are separated by two spaces; right-aligned columns (numbers) are padded on the
// left, left-aligned ones (names, notes) on the right. No line has trailing spaces.
#pragma once

#include <string>
#include <vector>

namespace quesdral::cli {

class Table {
 public:
  enum class Align { kLeft, kRight };

  // Adds a column; all columns must be added before the first row.
  void add_column(std::string header, Align align = Align::kRight);

  // REQUIRES: cells.size() equals the number of columns.
  void add_row(std::vector<std::string> cells);

  std::size_t row_count() const { return rows_.size(); }

  // The whole table, a header row and then the rows, every line ending with '\n'.
  std::string render() const;

 private:
  std::vector<std::size_t> column_widths() const;

  std::vector<std::string> headers_;
  std::vector<Align> aligns_;
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace quesdral::cli
