#include "cli/table.hpp"

#include <algorithm>
#include <cassert>
#include <charconv>

#include "cli/number_format.hpp"

namespace quesdral::cli {

Table::Cell::Cell(double value) : text(format_number(value)), number(value) {}

Table::Cell Table::Cell::integer(long long value) {
  char digits[24];
  const auto written = std::to_chars(digits, digits + sizeof digits, value);
  return numbered(std::string(digits, written.ptr), static_cast<double>(value));
}

Table::Cell Table::Cell::worded(std::string shown, std::string word) {
  Cell cell(std::move(shown));
  cell.word = std::move(word);
  return cell;
}

Table::Cell Table::Cell::numbered(std::string shown, double number) {
  Cell cell(std::move(shown));
  cell.number = number;
  return cell;
}

void Table::add_column(std::string header, Align align, std::string key) {
  headers_.push_back(std::move(header));
  aligns_.push_back(align);
  keys_.push_back(std::move(key));
  hidden_.push_back(false);
}

void Table::add_hidden_column(std::string key) {
  add_column({}, Align::kLeft, std::move(key));
  hidden_.back() = true;
}

void Table::add_row(std::initializer_list<Cell> cells) {
  const std::size_t columns = headers_.size();
  assert(cells.size() == columns);
  // Should a release build meet a row of another length, it still stores exactly one cell a
  // column: the rows after it stay in their columns and render never reads past the end.
  const std::size_t given = std::min(cells.size(), columns);
  cells_.insert(cells_.end(), cells.begin(), cells.begin() + given);
  cells_.resize(cells_.size() + columns - given);
}

std::string Table::render() const {
  std::string text;
  render_to(text);
  return text;
}

void Table::render_to(std::string& text) const {
  const std::vector<std::size_t> widths = column_widths();
  std::size_t line_length = 1;  // the newline, and two spaces after every column shown
  for (std::size_t i = 0; i < widths.size(); ++i)
    line_length += hidden_[i] ? 0 : widths[i] + 2;
  text.reserve(text.size() + line_length * (row_count() + 1));
  // Each line starts as spaces, the cells are copied to their places, and the spaces after
  // the last character are cut: one fill and one copy a cell, however long the table.
  const auto add_line = [&](const auto& text_of) {
    const std::size_t start = text.size();
    text.resize(start + line_length, ' ');
    char* const line = &text[start];
    std::size_t column_start = 0;
    for (std::size_t i = 0; i < widths.size(); ++i) {
      if (hidden_[i])
        continue;
      const std::string& cell = text_of(i);
      const std::size_t padding = aligns_[i] == Align::kRight ? widths[i] - cell.size() : 0;
      cell.copy(line + column_start + padding, cell.size());
      column_start += widths[i] + 2;
    }
    std::size_t end = line_length;
    while (end > 0 && line[end - 1] == ' ')
      --end;
    line[end] = '\n';
    text.resize(start + end + 1);
  };
  add_line([&](std::size_t i) -> const std::string& { return headers_[i]; });
  for (std::size_t first = 0; first < cells_.size(); first += widths.size())
    add_line([&](std::size_t i) -> const std::string& { return cells_[first + i].text; });
}

std::vector<std::size_t> Table::column_widths() const {
  std::vector<std::size_t> widths;
  for (const std::string& header : headers_)
    widths.push_back(header.size());
  for (std::size_t i = 0; i < cells_.size(); ++i) {
    std::size_t& width = widths[i % widths.size()];
    width = std::max(width, cells_[i].text.size());
  }
  return widths;
}

}  // namespace quesdral::cli
