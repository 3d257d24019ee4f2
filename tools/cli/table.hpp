// A table for results that are lists (harmonics, sidebands, room modes).
//
// As text, columns are separated by two spaces; right-aligned columns (numbers) are padded
// on the left, left-aligned ones (names, notes) on the right, and no line has trailing
// spaces. A numeric cell keeps the number behind its text, so that csv and json can write
// it in full.
#pragma once

#include <cstddef>
#include <initializer_list>
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

    // A cell shown as `shown` whose csv and json value is the word `word` ("A4*", "A4").
    static Cell worded(std::string shown, std::string word);
    // A cell shown as `shown` whose csv and json value is `number` ("carrier", 0).
    static Cell numbered(std::string shown, double number);

    std::string text;
    std::optional<double> number;
    std::string word;  // the value in csv and json when it differs from the text shown
  };

  // The cells of one row, as stored.
  class Row {
   public:
    Row(const Cell* first, std::size_t size) : first_(first), size_(size) {}
    const Cell* begin() const { return first_; }
    const Cell* end() const { return first_ + size_; }
    std::size_t size() const { return size_; }
    const Cell& operator[](std::size_t column) const { return first_[column]; }

   private:
    const Cell* first_;
    std::size_t size_;
  };

  // Adds a column; all columns must be added before the first row. `key` names it in csv
  // and json; empty: the header in lower case ("Frequency (Hz)": frequency_hz).
  void add_column(std::string header, Align align = Align::kRight, std::string key = {});
  // Adds a column that csv and json write and the text does not show.
  void add_hidden_column(std::string key);

  // Makes room for this many rows at once, for a table whose length is known.
  void reserve_rows(std::size_t rows) { cells_.reserve(rows * headers_.size()); }

  // Adds one row: a cell for each column, in order ("" for a cell left empty).
  // REQUIRES: cells.size() equals the number of columns (asserted in debug builds).
  void add_row(std::initializer_list<Cell> cells);

  std::size_t row_count() const { return headers_.empty() ? 0 : cells_.size() / headers_.size(); }
  Row row(std::size_t index) const {
    return {cells_.data() + index * headers_.size(), headers_.size()};
  }
  const std::vector<std::string>& headers() const { return headers_; }
  // The csv and json names of the columns; empty for a column named by its header.
  const std::vector<std::string>& keys() const { return keys_; }

  // The whole table as text, a header row and then the rows, every line ending with '\n'.
  std::string render() const;
  // The same, appended to `text`: a long table is written once, into one buffer.
  void render_to(std::string& text) const;

 private:
  std::vector<std::size_t> column_widths() const;

  std::vector<std::string> headers_;
  std::vector<Align> aligns_;
  std::vector<std::string> keys_;
  std::vector<bool> hidden_;
  // Row after row in one array, so that a row costs no allocation of its own.
  std::vector<Cell> cells_;
};

}  // namespace quesdral::cli
