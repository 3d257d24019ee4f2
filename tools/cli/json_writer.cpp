#include "cli/json_writer.hpp"

#include <charconv>

namespace quesdral::cli {

void JsonWriter::begin_object() {
  before_value();
  text_ += '{';
  empty_.push_back(true);
}

void JsonWriter::end_object() {
  text_ += '}';
  empty_.pop_back();
}

void JsonWriter::begin_array() {
  before_value();
  text_ += '[';
  empty_.push_back(true);
}

void JsonWriter::end_array() {
  text_ += ']';
  empty_.pop_back();
}

void JsonWriter::key(std::string_view name) {
  before_value();
  quoted(name);
  text_ += ':';
  after_key_ = true;
}

void JsonWriter::string(std::string_view text) {
  before_value();
  quoted(text);
}

void JsonWriter::number(double value) {
  before_value();
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  text_.append(buffer, result.ptr);
}

void JsonWriter::boolean(bool value) {
  before_value();
  text_ += value ? "true" : "false";
}

void JsonWriter::null() {
  before_value();
  text_ += "null";
}

// A value right after its key follows the colon; any other value in an object or array
// after the first is preceded by a comma.
void JsonWriter::before_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!empty_.empty()) {
    if (!empty_.back())
      text_ += ',';
    empty_.back() = false;
  }
}

void JsonWriter::quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  text_ += '"';
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += c;
    } else if (c == '\n') {
      text_ += "\\n";
    } else if (c == '\t') {
      text_ += "\\t";
    } else if (c == '\r') {
      text_ += "\\r";
    } else if (byte < 0x20) {
      text_ += "\\u00";
      text_ += kHex[byte >> 4];
      text_ += kHex[byte & 0xf];
    } else {
      text_ += c;
    }
  }
  text_ += '"';
}

}  // namespace quesdral::cli
