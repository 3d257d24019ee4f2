// Reports written in the format the user chose with --format.
//
// text: the tools' ordinary lines; in a batch, cases are separated by one empty line.
// csv: a header row naming each column with its unit (level_db, frequency_hz, kind), then
// one row per result set: a tool of named values writes one row, a tool with a table one
// row per table row. In a batch the header is written once, and a table tool's rows gain a
// first column `case`, the line of input they answer.
// json: one object per case on one line (so a batch is JSON Lines), its keys the same names
// as the csv columns, numbers in full, a table as an array of objects.
// Notes that explain the text (footnotes) appear in the text format only.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/arguments.hpp"
#include "cli/results.hpp"

namespace quesdral::cli {

// "Frequency (Hz)" -> "frequency_hz", ("Level", "dB") -> "level_db", ("Speed", "m/s") ->
// "speed_m_per_s": lower-case letters and digits joined by single underscores.
std::string column_key(std::string_view label, std::string_view unit = {});

class ReportWriter {
 public:
  ReportWriter(Format format, bool batch) : format_(format), batch_(batch) {}

  // The text of one case's report; `case_number` is its line of input in a batch.
  std::string write(const Report& report, std::size_t case_number = 0);

 private:
  std::string write_csv(const Report& report, std::size_t case_number);

  Format format_;
  bool batch_;
  bool first_case_ = true;
  bool header_written_ = false;
};

}  // namespace quesdral::cli
