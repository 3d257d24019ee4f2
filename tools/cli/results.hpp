// What one computation of a tool produced: its results, or the reason it was refused.
//
// Results are kept as items in the order added: named values ("Level: -6.02060 dB"),
// tables, and notes that explain the text (a footnote to a table's marks). Each format
// writes them its own way (report_format.hpp). A computed value that is not finite is never
// shown: the whole outcome becomes a refusal that says the result is too large to show.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/table.hpp"

namespace quesdral::cli {

// One named result: "Label: text unit" as text.
struct Field {
  std::string label;             // "Level"
  std::string unit;              // "dB"; empty for a pure number or a worded result
  std::string text;              // what the text shows: "-6.02060", "A4 (MIDI 69)"
  std::optional<double> number;  // the value behind a computed or exact number
  std::string remark;            // after the unit in the text only: "(clipped)"
  std::string key;               // its name in csv and json: "level_db"
  std::string word;   // its value in csv and json when it is a word that differs from the text
  bool shown = true;  // false: a value for csv and json only, left out of the text
};

// One item of a report: exactly one of its members is in use, as `kind` says.
struct ReportItem {
  enum class Kind { kField, kTable, kNote };
  Kind kind;
  Field field;
  std::string table_name;  // "modes": the key of the table in json
  Table table;
  std::string note;  // text lines, each ending with '\n'; shown in the text format only
};

using Report = std::vector<ReportItem>;

// The report as text, the tools' ordinary output.
std::string render_text(const Report& report);

struct Outcome {
  Report report;
  std::string error;  // non-empty exactly when refused
  // The input whose new value can mend a refusal, asked again in the interactive mode;
  // nothing means the last input.
  std::optional<std::size_t> mended_by;

  bool ok() const { return error.empty(); }
  static Outcome success(Report report);
  // An empty error becomes a general reason, so a refusal is never silent.
  static Outcome failure(std::string error, std::optional<std::size_t> mended_by = std::nullopt);
};

// Collects a report.
class Results {
 public:
  // Adds "Label: <format_number(value)> unit" (no space and no unit when unit is empty).
  // A remark follows the unit in the text only ("(reference SPL, 20e-6 Pa)").
  Results& add(std::string_view label, double value, std::string_view unit,
               std::string_view remark = {});

  // As add, for a result that is above 0 by nature (an amplitude, a power, a time): one that
  // came out as 0 or too small to keep six significant digits (below about 2.2e-308) is
  // refused as too small to show instead of being printed as a wrong 0.
  Results& add_magnitude(std::string_view label, double value, std::string_view unit,
                         std::string_view remark = {});

  // Adds "Label: 32768" for an exact whole number; a remark follows it in the text only
  // ("Label: 32767 (clipped)"), so csv and json keep the number.
  Results& add_integer(std::string_view label, long long value, std::string_view remark = {});

  // Adds "Label: text" for a worded result ("Nearest note: A4 (MIDI 69)").
  Results& add_text(std::string_view label, std::string_view text);

  // Names the last result in csv and json, in place of the name made from its label and
  // unit: .add("Level", level, "dB SPL").as("level_db"), whatever the unit.
  // REQUIRES: the last item added is a result.
  Results& as(std::string_view key);

  // Shows the last result as `text` in the text format; csv and json keep its value.
  // REQUIRES: the last item added is a result.
  Results& shown_as(std::string_view text);

  // Adds a value that csv and json write under `key` and the text does not show: a number,
  // a fixed word (empty: null) or a flag.
  Results& data_number(std::string_view key, double value);
  Results& data_word(std::string_view key, std::string_view word);
  Results& data_flag(std::string_view key, bool value);

  // Adds a table; `name` is its key in json ("modes").
  Results& add_table(std::string_view name, Table table);

  // Adds lines that explain the text, e.g. a table's footnote.
  // REQUIRES: text ends with '\n'.
  Results& add_note(std::string_view text);

  // Refuses the whole outcome with this reason (the first reason given wins).
  Results& fail(std::string error);

  // The results, or the first refusal; `mended_by` as in Outcome::failure. The results move
  // into the outcome (a table may hold ten thousand rows), leaving this empty.
  Outcome finish(std::optional<std::size_t> mended_by = std::nullopt);

 private:
  Results& add_field(Field field);

  Report report_;
  std::string error_;
};

}  // namespace quesdral::cli
