#include "cli/csv_writer.hpp"

namespace quesdral::cli {

void CsvWriter::field(std::string_view text) {
  if (record_started_)
    text_ += ',';
  record_started_ = true;
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    text_ += text;
    return;
  }
  text_ += '"';
  for (char c : text) {
    if (c == '"')
      text_ += '"';
    text_ += c;
  }
  text_ += '"';
}

void CsvWriter::end_record() {
  text_ += "\r\n";
  record_started_ = false;
}

}  // namespace quesdral::cli
