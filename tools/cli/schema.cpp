#include "cli/schema.hpp"

#include <utility>

#include "cli/json_writer.hpp"
#include "cli/tool.hpp"

namespace quesdral::cli {
namespace {

std::string lower_case(const char* name) {
  std::string key(name);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

const char* type_name(FieldType type) {
  switch (type) {
    case FieldType::kNumber:
      return "number";
    case FieldType::kInteger:
      return "integer";
    case FieldType::kBoolean:
      return "boolean";
    case FieldType::kText:
      return "string";
  }
  return "null";
}

// Every field may be null: a refused batch line leaves all but its line, input and error so.
void write_property(JsonWriter& json, const FieldSpec& field) {
  json.key(field.key);
  json.begin_object();
  json.key("description");
  json.string(field.description);
  json.key("type");
  json.begin_array();
  json.string(type_name(field.type));
  json.string("null");
  json.end_array();
  if (!field.words.empty()) {
    json.key("enum");
    json.begin_array();
    for (const std::string& word : field.words)
      json.string(word);
    json.null();
    json.end_array();
  }
  json.end_object();
}

// An object of exactly these properties, in this order, all required: the fields, the tables
// (arrays of objects), then the trailing fields.
void write_properties(JsonWriter& json, const std::vector<FieldSpec>& fields,
                      const std::vector<TableSpec>& tables = {},
                      const std::vector<FieldSpec>& trailing = {}) {
  json.key("type");
  json.string("object");
  json.key("properties");
  json.begin_object();
  for (const FieldSpec& field : fields)
    write_property(json, field);
  for (const TableSpec& table : tables) {
    json.key(table.name);
    json.begin_object();
    json.key("description");
    json.string(table.description);
    json.key("type");
    json.begin_array();
    json.string("array");
    json.string("null");
    json.end_array();
    json.key("items");
    json.begin_object();
    write_properties(json, table.columns);
    json.end_object();
    json.end_object();
  }
  for (const FieldSpec& field : trailing)
    write_property(json, field);
  json.end_object();
  json.key("required");
  json.begin_array();
  for (const FieldSpec& field : fields)
    json.string(field.key);
  for (const TableSpec& table : tables)
    json.string(table.name);
  for (const FieldSpec& field : trailing)
    json.string(field.key);
  json.end_array();
  json.key("additionalProperties");
  json.boolean(false);
}

// The one-line json spread over lines, two spaces a level, for a file people read; an array
// of words stays on one line. (No word of a schema holds a bracket or a comma.)
std::string indented(const std::string& text) {
  std::string out;
  std::size_t depth = 0;
  bool quoted = false;
  const auto new_line = [&] { out += '\n' + std::string(depth * 2, ' '); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      out += c;
      if (c == '\\')
        out += text[++i];
      quoted = c != '"';
      continue;
    }
    if (c == '[' && text.find_first_of("{[", i + 1) > text.find(']', i)) {
      const std::size_t end = text.find(']', i);
      for (; i <= end; ++i)
        out += text[i] == ',' ? std::string(", ") : std::string(1, text[i]);
      --i;
      continue;
    }
    switch (c) {
      case '"':
        quoted = true;
        out += c;
        break;
      case '{':
      case '[':
        out += c;
        if (text[i + 1] == (c == '{' ? '}' : ']')) {
          out += text[++i];
          break;
        }
        ++depth;
        new_line();
        break;
      case '}':
      case ']':
        --depth;
        new_line();
        out += c;
        break;
      case ',':
        out += c;
        new_line();
        break;
      case ':':
        out += ": ";
        break;
      default:
        out += c;
    }
  }
  return out + '\n';
}

}  // namespace

FieldSpec number_field(std::string key, std::string description) {
  return {std::move(key), FieldType::kNumber, std::move(description), {}};
}

FieldSpec integer_field(std::string key, std::string description) {
  return {std::move(key), FieldType::kInteger, std::move(description), {}};
}

FieldSpec flag_field(std::string key, std::string description) {
  return {std::move(key), FieldType::kBoolean, std::move(description), {}};
}

FieldSpec text_field(std::string key, std::string description, std::vector<std::string> words) {
  return {std::move(key), FieldType::kText, std::move(description), std::move(words)};
}

std::vector<FieldSpec> leading_fields(const std::vector<Input>& inputs) {
  std::vector<FieldSpec> fields = {
      integer_field("line", "the line of standard input this case was read from, in a batch"),
      text_field("input", "the values as typed, separated by one space"),
  };
  for (const Input& input : inputs) {
    std::string key = *input.key != '\0' ? input.key : lower_case(input.name);
    const std::string what = std::string("the value of ") + input.name;
    const FieldType type =
        input.kind == ValueKind::kInteger ? FieldType::kInteger : FieldType::kNumber;
    const std::string after =
        input.skippable ? ", or null when it is left out" : " (after its default)";
    if (input.named_values.empty()) {
      fields.push_back({std::move(key), type, what + after, {}});
      continue;
    }
    std::vector<std::string> names;
    for (const NamedValue& named : input.named_values)
      names.emplace_back(named.name);
    fields.push_back(text_field(
        key, "the name " + std::string(input.name) + " was given by, or null for a number",
        std::move(names)));
    fields.push_back({key + "_value", type, what + " as a number" + after, {}});
  }
  return fields;
}

std::vector<std::string> csv_tables(const OutputSpec& output) {
  std::vector<std::string> names;
  for (const TableSpec& table : output.tables)
    names.push_back(table.name);
  if (!names.empty() && !output.fields.empty())
    names.emplace_back(kSummaryTable);
  return names;
}

std::vector<std::string> csv_columns(const Tool& tool, const std::string& table) {
  std::vector<std::string> columns;
  for (const FieldSpec& field : leading_fields(tool.inputs))
    columns.push_back(field.key);
  const std::vector<FieldSpec>* own = &tool.output.fields;
  for (const TableSpec& declared : tool.output.tables) {
    if (declared.name == table)
      own = &declared.columns;
  }
  for (const FieldSpec& field : *own)
    columns.push_back(field.key);
  columns.emplace_back("error");
  return columns;
}

std::string schema_file(const Tool& tool) {
  const std::string command = tool.command;
  return command.substr(0, command.rfind(".exe")) + ".schema.json";
}

std::string json_schema(const Tool& tool) {
  std::vector<FieldSpec> fields = leading_fields(tool.inputs);
  fields.insert(fields.end(), tool.output.fields.begin(), tool.output.fields.end());

  JsonWriter json;
  json.begin_object();
  json.key("$schema");
  json.string("https://json-schema.org/draft/2020-12/schema");
  json.key("title");
  json.string(std::string(tool.command) + " --format json: one object per case");
  json.key("description");
  json.string(std::string(tool.label) + " - " + tool.description +
              ". Every key is present in every object, in this order; a value that does not "
              "apply is null. csv writes the same names as its header, one table at a time "
              "(x-csv-tables).");
  write_properties(
      json, fields, tool.output.tables,
      {text_field("error", "why the batch line was refused; null when it was computed")});
  json.key("x-csv-tables");
  json.begin_object();
  const std::vector<std::string> names = csv_tables(tool.output);
  for (const std::string& name : names.empty() ? std::vector<std::string>{""} : names) {
    json.key(name.empty() ? "results" : name);
    json.begin_array();
    for (const std::string& column : csv_columns(tool, name))
      json.string(column);
    json.end_array();
  }
  json.end_object();
  json.end_object();
  return indented(json.text());
}

}  // namespace quesdral::cli
