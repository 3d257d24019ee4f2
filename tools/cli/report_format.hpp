// Reports written in the format the user chose with --format.
//
// text: the tools' ordinary lines; in a batch, cases are separated by one empty line.
// csv and json follow the tool's one fixed shape (schema.hpp), the same for every case: the
// record begins with the case's line, its values as typed and its inputs, then the declared
// results, and ends with `error`. csv writes a header once, then one row per case, or for a
// table one row per table row, each carrying the case's leading fields; json writes one
// object per case on one line (so a batch is JSON Lines), numbers in full, tables as arrays
// of objects. A result the report lacks is null (an empty csv field), and whatever the report
// holds beyond the declared shape (a worded line, a bar, a footnote) is for the text only.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.hpp"
#include "cli/results.hpp"
#include "cli/schema.hpp"
#include "cli/tool.hpp"

namespace quesdral::cli {

// "Frequency (Hz)" -> "frequency_hz", ("Level", "dB") -> "level_db", ("Speed", "m/s") ->
// "speed_m_per_s": lower-case letters and digits joined by single underscores.
std::string column_key(std::string_view label, std::string_view unit = {});

// What a case's record begins with, beside the results.
struct CaseHead {
  std::optional<std::size_t> line;   // the batch line; nothing outside a batch
  std::optional<std::string> typed;  // the values as typed; nothing when they were asked
  const Values* values = nullptr;    // the inputs after defaults; nullptr for a refused line
  std::string error;                 // why the line was refused; empty when it was computed
};

class ReportWriter {
 public:
  // `table` names the table csv writes (one of csv_tables); empty: the tool's first.
  ReportWriter(const Tool& tool, Format format, const std::string& table = {});

  // The text of one case's record. A refused case (head.error) writes a record in csv and
  // json only; the text format leaves refusals to the error stream.
  std::string write(const Report& report, const CaseHead& head);

 private:
  std::string write_csv(const Report& report, const CaseHead& head);
  std::string write_json(const Report& report, const CaseHead& head);

  const Tool& tool_;
  Format format_;
  std::vector<FieldSpec> leading_;
  const TableSpec* csv_table_ = nullptr;  // nullptr: the single results, one row per case
  bool first_case_ = true;
  bool header_written_ = false;
};

}  // namespace quesdral::cli
