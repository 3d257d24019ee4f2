// The shape of a tool's machine-readable output (csv and json): one fixed list of fields per
// tool, the same for every input, option and batch line, so that a script reads each value
// by one name.
//
// Every record begins with `line` (the batch line it answers; null outside a batch),
// `input` (the values as typed; null when they were asked one by one) and the tool's inputs
// after defaults, one field each named after the input in lower case; an input that also
// takes a name in place of a number (REFERENCE=SPL) gives two: `reference`, the name or
// null, and `reference_value`. Then come the tool's own results in the order declared, its
// tables (json holds them all; csv writes one at a time) and last `error`, why a batch line
// was refused, or null. A value that does not apply is null in json and an empty field in
// csv; numbers are never text and never carry a unit, which is part of the name instead.
#pragma once

#include <string>
#include <vector>

namespace quesdral::cli {

struct Input;
struct Tool;

enum class FieldType { kNumber, kInteger, kBoolean, kText };

// One field of a record, or one column of a table.
struct FieldSpec {
  std::string key;  // "level_db": the json key and the csv column
  FieldType type = FieldType::kNumber;
  std::string description;         // one phrase for the schema file
  std::vector<std::string> words;  // for kText: the only values it takes; empty: any text
};

FieldSpec number_field(std::string key, std::string description);
FieldSpec integer_field(std::string key, std::string description);
FieldSpec flag_field(std::string key, std::string description);
FieldSpec text_field(std::string key, std::string description, std::vector<std::string> words = {});

// A table of a tool's results: its rows are objects of these columns.
struct TableSpec {
  std::string name;  // "modes": the json key, and the name --table takes
  std::string description;
  std::vector<FieldSpec> columns;
};

// What a tool writes beside its inputs.
struct OutputSpec {
  std::vector<FieldSpec> fields;  // single results, in order
  std::vector<TableSpec> tables;  // the first is the one csv writes unless --table names another
};

// The name csv gives to the single results of a tool that also has tables.
inline constexpr const char* kSummaryTable = "summary";

// The fields every record of a tool with these inputs begins with: line, input, the inputs.
std::vector<FieldSpec> leading_fields(const std::vector<Input>& inputs);

// The tables csv can write, the default first: the tool's tables and, when it also has single
// results, "summary"; empty for a tool of single results only (its one row per case).
std::vector<std::string> csv_tables(const OutputSpec& output);

// The columns of csv table `table` ("" for a tool without tables), header order.
std::vector<std::string> csv_columns(const Tool& tool, const std::string& table);

// "vorlix.schema.json": the name of the file that describes the tool's csv and json.
std::string schema_file(const Tool& tool);

// The JSON Schema (draft 2020-12) of one json record of the tool, as the text of the file
// installed for it; the csv columns of each table are listed under "x-csv-tables".
std::string json_schema(const Tool& tool);

}  // namespace quesdral::cli
