// One JSON value (RFC 8259) written on one line: objects, arrays, strings with the escapes
// JSON requires, and numbers as the shortest text that reads back as the same double.
// Commas and colons are placed by the writer; the caller only opens, names and closes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quesdral::cli {

class JsonWriter {
 public:
  void begin_object();
  void end_object();
  void begin_array();
  void end_array();
  // REQUIRES: inside an object, before each of its values.
  void key(std::string_view name);
  void string(std::string_view text);
  // REQUIRES: value is finite (JSON has no infinities or NaN).
  void number(double value);
  void boolean(bool value);
  void null();

  const std::string& text() const { return text_; }

 private:
  void before_value();
  void quoted(std::string_view text);

  std::string text_;
  std::vector<bool> empty_;  // per open object or array: nothing written in it yet
  bool after_key_ = false;
};

}  // namespace quesdral::cli
