#include "cli/report_format.hpp"

#include <charconv>

#include "cli/csv_writer.hpp"
#include "cli/json_writer.hpp"

namespace quesdral::cli {
namespace {

// The shortest text that reads back as the same double, as json writes numbers.
std::string full_number(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string csv_value(const std::optional<double>& number, const std::string& text) {
  return number ? full_number(*number) : text;
}

void json_value(JsonWriter& json, const std::optional<double>& number, const std::string& text) {
  if (number) {
    json.number(*number);
  } else {
    json.string(text);
  }
}

const ReportItem* first_table(const Report& report) {
  for (const ReportItem& item : report) {
    if (item.kind == ReportItem::Kind::kTable)
      return &item;
  }
  return nullptr;
}

std::string write_json(const Report& report) {
  JsonWriter json;
  json.begin_object();
  for (const ReportItem& item : report) {
    if (item.kind == ReportItem::Kind::kField) {
      json.key(column_key(item.field.label, item.field.unit));
      json_value(json, item.field.number, item.field.text);
    } else if (item.kind == ReportItem::Kind::kTable) {
      json.key(item.table_name);
      json.begin_array();
      for (std::size_t index = 0; index < item.table.row_count(); ++index) {
        const Table::Row row = item.table.row(index);
        json.begin_object();
        for (std::size_t i = 0; i < row.size(); ++i) {
          json.key(column_key(item.table.headers()[i]));
          json_value(json, row[i].number, row[i].text);
        }
        json.end_object();
      }
      json.end_array();
    }
  }
  json.end_object();
  return json.text() + '\n';
}

}  // namespace

std::string column_key(std::string_view label, std::string_view unit) {
  std::string key;
  bool pending_separator = false;
  const auto add = [&](std::string_view words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
      const char c = words[i];
      if (c == '\'')
        continue;
      if (c == '/') {
        key += "_per";
        pending_separator = true;
        continue;
      }
      const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
      if (!letter && !(c >= '0' && c <= '9')) {
        pending_separator = !key.empty();
        continue;
      }
      if (pending_separator)
        key += '_';
      pending_separator = false;
      key += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    pending_separator = !key.empty();
  };
  add(label);
  add(unit);
  return key;
}

std::string ReportWriter::write(const Report& report, std::size_t case_number) {
  const bool first = first_case_;
  first_case_ = false;
  switch (format_) {
    case Format::kText:
      return first ? render_text(report) : "\n" + render_text(report);
    case Format::kCsv:
      return write_csv(report, case_number);
    case Format::kJson:
      return write_json(report);
  }
  return {};
}

std::string ReportWriter::write_csv(const Report& report, std::size_t case_number) {
  CsvWriter csv;
  const ReportItem* table = first_table(report);
  const bool with_case = batch_ && table != nullptr;
  if (!header_written_) {
    header_written_ = true;
    if (with_case)
      csv.field("case");
    if (table != nullptr) {
      for (const std::string& header : table->table.headers())
        csv.field(column_key(header));
    } else {
      for (const ReportItem& item : report) {
        if (item.kind == ReportItem::Kind::kField)
          csv.field(column_key(item.field.label, item.field.unit));
      }
    }
    csv.end_record();
  }
  if (table == nullptr) {
    for (const ReportItem& item : report) {
      if (item.kind == ReportItem::Kind::kField)
        csv.field(csv_value(item.field.number, item.field.text));
    }
    csv.end_record();
    return csv.text();
  }
  for (std::size_t index = 0; index < table->table.row_count(); ++index) {
    if (with_case)
      csv.field(std::to_string(case_number));
    for (const Table::Cell& cell : table->table.row(index))
      csv.field(csv_value(cell.number, cell.text));
    csv.end_record();
  }
  return csv.text();
}

}  // namespace quesdral::cli
