// Comma-separated values as RFC 4180 writes them: fields separated by commas, each record
// ended by CRLF, and a field quoted when it holds a comma, a double quote, CR or LF, its
// double quotes doubled.
#pragma once

#include <string>
#include <string_view>

namespace quesdral::cli {

class CsvWriter {
 public:
  void field(std::string_view text);
  void end_record();

  // Everything written so far.
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  bool record_started_ = false;
};

}  // namespace quesdral::cli
