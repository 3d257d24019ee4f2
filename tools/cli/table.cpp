#include "cli/table.hpp"

#include <algorithm>

namespace quesdral::cli {

void Table::add_column(std::string header, Align align) {
  headers_.push_back(std::move(header));
  aligns_.push_back(align);
}

void Table::add_row(std::vector<std::string> cells) {
  cells.resize(headers_.size());
  rows_.push_back(std::move(cells));
}

std::string Table::render() const {
  const std::vector<std::size_t> widths = column_widths();
  std::string text;
  const auto add_line = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0)
        line += "  ";
      const std::string padding(widths[i] - cells[i].size(), ' ');
      line += aligns_[i] == Align::kRight ? padding + cells[i] : cells[i] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + '\n';
  };
  add_line(headers_);
  for (const auto& row : rows_)
    add_line(row);
  return text;
}

std::vector<std::size_t> Table::column_widths() const {
  std::vector<std::size_t> widths;
  for (const std::string& header : headers_)
    widths.push_back(header.size());
  for (const auto& row : rows_) {
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], row[i].size());
  }
  return widths;
}

}  // namespace quesdral::cli
