#include "cli/table.hpp"

#include <algorithm>

#include "cli/number_format.hpp"

namespace quesdral::cli {

Table::Cell::Cell(double value) : text(format_number(value)), number(value) {}

Table::Cell Table::Cell::integer(long long value) {
  Cell cell(format_integer(value));
  cell.number = static_cast<double>(value);
  return cell;
}

void Table::add_column(std::string header, Align align) {
  headers_.push_back(std::move(header));
  aligns_.push_back(align);
}

void Table::add_row(std::vector<Cell> cells) {
  cells.resize(headers_.size());
  rows_.push_back(std::move(cells));
}

std::string Table::render() const {
  const std::vector<std::size_t> widths = column_widths();
  std::string text;
  const auto add_line = [&](const auto& cells, const auto& text_of) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      const std::string& cell = text_of(cells[i]);
      if (i > 0)
        line += "  ";
      const std::string padding(widths[i] - cell.size(), ' ');
      line += aligns_[i] == Align::kRight ? padding + cell : cell + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + '\n';
  };
  add_line(headers_, [](const std::string& header) -> const std::string& { return header; });
  for (const auto& row : rows_)
    add_line(row, [](const Cell& cell) -> const std::string& { return cell.text; });
  return text;
}

std::vector<std::size_t> Table::column_widths() const {
  std::vector<std::size_t> widths;
  for (const std::string& header : headers_)
    widths.push_back(header.size());
  for (const auto& row : rows_) {
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], row[i].text.size());
  }
  return widths;
}

}  // namespace quesdral::cli
