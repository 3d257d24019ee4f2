#include "cli/report_format.hpp"

#include <charconv>

#include "cli/csv_writer.hpp"
#include "cli/json_writer.hpp"

namespace quesdral::cli {
namespace {

// One value of a record as csv and json write it.
struct Datum {
  enum class Kind { kNull, kNumber, kBoolean, kText };
  Kind kind = Kind::kNull;
  double number = 0;
  std::string_view text;
};

Datum number_datum(double value) {
  return {Datum::Kind::kNumber, value, {}};
}

Datum text_datum(std::string_view text) {
  return text.empty() ? Datum{} : Datum{Datum::Kind::kText, 0, text};
}

// A value as its declared type has it: a number of a text field, or a word of a number
// field, is a fault of the tool that writes null rather than a record of another shape.
Datum typed_datum(const FieldSpec& declared, const std::optional<double>& number,
                  const std::string& text, const std::string& word) {
  switch (declared.type) {
    case FieldType::kNumber:
    case FieldType::kInteger:
      return number ? number_datum(*number) : Datum{};
    case FieldType::kBoolean:
      return number ? Datum{Datum::Kind::kBoolean, *number != 0 ? 1.0 : 0.0, {}} : Datum{};
    case FieldType::kText:
      return text_datum(word.empty() ? text : word);
  }
  return {};
}

// The shortest text that reads back as the same double, as json writes numbers.
std::string full_number(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

void put_json(JsonWriter& json, const Datum& datum) {
  switch (datum.kind) {
    case Datum::Kind::kNull:
      json.null();
      break;
    case Datum::Kind::kNumber:
      json.number(datum.number);
      break;
    case Datum::Kind::kBoolean:
      json.boolean(datum.number != 0);
      break;
    case Datum::Kind::kText:
      json.string(datum.text);
      break;
  }
}

void put_csv(CsvWriter& csv, const Datum& datum) {
  switch (datum.kind) {
    case Datum::Kind::kNull:
      csv.field({});
      break;
    case Datum::Kind::kNumber:
      csv.field(full_number(datum.number));
      break;
    case Datum::Kind::kBoolean:
      csv.field(datum.number != 0 ? "true" : "false");
      break;
    case Datum::Kind::kText:
      csv.field(datum.text);
      break;
  }
}

// The leading values of a case, in the order of leading_fields.
std::vector<Datum> leading_data(const Tool& tool, const CaseHead& head) {
  std::vector<Datum> data;
  data.push_back(head.line ? number_datum(static_cast<double>(*head.line)) : Datum{});
  data.push_back(head.typed ? Datum{Datum::Kind::kText, 0, *head.typed} : Datum{});
  for (std::size_t i = 0; i < tool.inputs.size(); ++i) {
    if (!tool.inputs[i].named_values.empty())
      data.push_back(head.values != nullptr ? text_datum(head.values->name(i)) : Datum{});
    const bool known = head.values != nullptr && !head.values->left_out(i);
    data.push_back(known ? number_datum((*head.values)[i]) : Datum{});
  }
  return data;
}

// The last value given under the field's key: a value for csv and json given after a line
// of text of the same name (Verdict: "met (...)", then "met") is the one they write.
Datum field_datum(const Report& report, const FieldSpec& declared) {
  for (auto item = report.rbegin(); item != report.rend(); ++item) {
    if (item->kind == ReportItem::Kind::kField && item->field.key == declared.key)
      return typed_datum(declared, item->field.number, item->field.text, item->field.word);
  }
  return {};
}

const Table* find_table(const Report& report, const std::string& name) {
  for (const ReportItem& item : report) {
    if (item.kind == ReportItem::Kind::kTable && item.table_name == name)
      return &item.table;
  }
  return nullptr;
}

// For each declared column, the table's column of that name, or none.
std::vector<std::optional<std::size_t>> column_map(const Table& table, const TableSpec& declared) {
  std::vector<std::optional<std::size_t>> map;
  for (const FieldSpec& column : declared.columns) {
    std::optional<std::size_t> found;
    for (std::size_t i = 0; i < table.headers().size() && !found; ++i) {
      const std::string& key = table.keys()[i];
      if ((key.empty() ? column_key(table.headers()[i]) : key) == column.key)
        found = i;
    }
    map.push_back(found);
  }
  return map;
}

Datum cell_datum(const Table::Row& row, const std::optional<std::size_t>& column,
                 const FieldSpec& declared) {
  if (!column)
    return {};
  const Table::Cell& cell = row[*column];
  return typed_datum(declared, cell.number, cell.text, cell.word);
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

ReportWriter::ReportWriter(const Tool& tool, Format format, const std::string& table)
    : tool_(tool), format_(format), leading_(leading_fields(tool.inputs)) {
  for (const TableSpec& declared : tool.output.tables) {
    if (table.empty() ? csv_table_ == nullptr : declared.name == table)
      csv_table_ = &declared;
  }
}

std::string ReportWriter::write(const Report& report, const CaseHead& head) {
  if (format_ == Format::kText) {
    if (!head.error.empty())
      return {};
    const bool first = first_case_;
    first_case_ = false;
    return first ? render_text(report) : "\n" + render_text(report);
  }
  return format_ == Format::kCsv ? write_csv(report, head) : write_json(report, head);
}

std::string ReportWriter::write_json(const Report& report, const CaseHead& head) {
  JsonWriter json;
  json.begin_object();
  const std::vector<Datum> lead = leading_data(tool_, head);
  for (std::size_t i = 0; i < leading_.size(); ++i) {
    json.key(leading_[i].key);
    put_json(json, lead[i]);
  }
  for (const FieldSpec& declared : tool_.output.fields) {
    json.key(declared.key);
    put_json(json, field_datum(report, declared));
  }
  for (const TableSpec& declared : tool_.output.tables) {
    json.key(declared.name);
    const Table* table = find_table(report, declared.name);
    if (table == nullptr || !head.error.empty()) {
      json.null();
      continue;
    }
    const std::vector<std::optional<std::size_t>> map = column_map(*table, declared);
    json.begin_array();
    for (std::size_t index = 0; index < table->row_count(); ++index) {
      const Table::Row row = table->row(index);
      json.begin_object();
      for (std::size_t i = 0; i < declared.columns.size(); ++i) {
        json.key(declared.columns[i].key);
        put_json(json, cell_datum(row, map[i], declared.columns[i]));
      }
      json.end_object();
    }
    json.end_array();
  }
  json.key("error");
  put_json(json, text_datum(head.error));
  json.end_object();
  return json.text() + '\n';
}

std::string ReportWriter::write_csv(const Report& report, const CaseHead& head) {
  CsvWriter csv;
  const std::vector<FieldSpec>& own = csv_table_ ? csv_table_->columns : tool_.output.fields;
  if (!header_written_) {
    header_written_ = true;
    for (const FieldSpec& field : leading_)
      csv.field(field.key);
    for (const FieldSpec& field : own)
      csv.field(field.key);
    csv.field("error");
    csv.end_record();
  }
  const std::vector<Datum> lead = leading_data(tool_, head);
  const auto record = [&](const auto& datum_of) {
    for (const Datum& datum : lead)
      put_csv(csv, datum);
    for (std::size_t i = 0; i < own.size(); ++i)
      put_csv(csv, datum_of(i));
    put_csv(csv, text_datum(head.error));
    csv.end_record();
  };
  const Table* table = csv_table_ ? find_table(report, csv_table_->name) : nullptr;
  if (!head.error.empty() || csv_table_ == nullptr || table == nullptr) {
    record([&](std::size_t i) {
      return head.error.empty() && csv_table_ == nullptr ? field_datum(report, own[i]) : Datum{};
    });
    return csv.text();
  }
  const std::vector<std::optional<std::size_t>> map = column_map(*table, *csv_table_);
  for (std::size_t index = 0; index < table->row_count(); ++index) {
    const Table::Row row = table->row(index);
    record([&](std::size_t i) { return cell_datum(row, map[i], own[i]); });
  }
  return csv.text();
}

}  // namespace quesdral::cli
