// A table for results that are lists (harmonics, sidebands, room modes).
//
// As text, columns are separated by two spaces; right-aligned columns (numbers) are padded
// on the left, left-aligned ones (names, notes) on the right, and no line has trailing
// spaces. A numeric cell keeps the number behind its text, so that csv and json can write
// it in full.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quesdral::cli {

class Table {
 public:
  enum class Align { kLeft, kRight };

  // One cell: the text shown, and for a number the value it shows.
  struct Cell {
    Cell() = default;
    // Implicit, so that a row reads as its cells: {"A4", 440.0}.
    Cell(std::string shown) : text(std::move(shown)) {}  // NOLINT: a text as written
    Cell(const char* shown) : text(shown) {}             // NOLINT
    Cell(double value);                                  // NOLINT: shown with format_number
    static Cell integer(long long value);                // shown exactly

    std::string text;
    std::optional<double> number;
  };

  // Adds a column; all columns must be added before the first row.
  void add_column(std::string header, Align align = Align::kRight);

  // REQUIRES: cells.size() equals the number of columns.
  void add_row(std::vector<Cell> cells);

  std::size_t row_count() const { return rows_.size(); }
  const std::vector<std::string>& headers() const { return headers_; }
  const std::vector<std::vector<Cell>>& rows() const { return rows_; }

  // The whole table as text, a header row and then the rows, every line ending with '\n'.
  std::string render() const;

 private:
  std::vector<std::size_t> column_widths() const;

  std::vector<std::string> headers_;
  std::vector<Align> aligns_;
  std::vector<std::vector<Cell>> rows_;
};

}  // namespace quesdral::cli
