// The common behaviour of the suite's tools: reading values from the arguments or from
// interactive prompts, strict number parsing, --help, error messages, exit statuses and the
// formatting of results.
//
// A tool describes itself declaratively (a Tool with its Inputs and a compute function) and
// its main is one call: `return run_tool(kTool, argc, argv);`. Everything else (usage line,
// prompts with defaults, re-asking after a bad answer, what happens when input ends) is
// decided here, so all tools behave alike.
//
// Conventions: numbers are parsed and printed without regard to the C or C++ locale. Every
// value is carried as a double, integer inputs included (they are whole and at most 2^53 in
// magnitude in practice, so nothing is lost). Error texts are phrases without the command
// name ("amplitude must not be 0"); run_tool prefixes "<command>: " when it prints them.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quesdral::cli {

// Exit statuses of every tool.
constexpr int kExitOk = 0;
constexpr int kExitInputEnded = 1;    // standard input ended before all values were given
constexpr int kExitInvalid = 2;       // invalid arguments, or a refused value in argument mode
constexpr int kExitOutputFailed = 3;  // the results could not be written (e.g. a closed pipe)

// ---------------------------------------------------------------------------------------
// Numbers in
// ---------------------------------------------------------------------------------------

enum class ValueKind {
  kReal,     // decimal with optional sign, point and exponent: -3, 0.5, 1e-12, .25
  kInteger,  // digits with an optional sign only: 16, -3, +7
};

// A parsed value, or the reason the text was refused.
struct ParsedNumber {
  std::optional<double> value;
  std::string error;  // set exactly when value is empty; says what is allowed
};

// Parses one answer or argument strictly. Spaces and tabs around the number and one final
// carriage return are allowed. Refused: empty text, trailing text ("12abc"), thousands
// separators, "inf", "nan", hexadecimal, magnitudes beyond the double range ("1e400") or so
// small they would become 0 ("1e-400"), and for kInteger anything but digits with an
// optional sign ("16.0", "1e1") or beyond the range of long long.
ParsedNumber parse_number(std::string_view text, ValueKind kind);

// Shorthands of parse_number without the reason.
std::optional<double> parse_real(std::string_view text);
std::optional<long long> parse_integer(std::string_view text);

// ---------------------------------------------------------------------------------------
// Numbers out
// ---------------------------------------------------------------------------------------

// Six significant digits, trailing zeros kept, in fixed notation for magnitudes from 1e-4
// up to (not including) 1e6 and in scientific notation otherwise: "-6.02060", "261.626",
// "0.000100000", "1.00000e-12". Zero prints as "0.00000" whatever its sign.
// REQUIRES: value is finite (a non-finite value prints as "?", never as nan or inf).
std::string format_number(double value);

// An exact whole number: "32768", "-2147483648".
std::string format_integer(long long value);

// The shortest text that reads back as the same double when that needs at most six
// significant digits ("1", "440", "1e-12", "0.5"); otherwise format_number(value). Meant for
// values a user typed or a default, e.g. "[1e-12]" in a prompt.
// REQUIRES: value is finite.
std::string format_short(double value);

// A plain-text table: a header row, then one row per add_row. Columns are separated by two
// spaces; right-aligned columns (numbers) are padded on the left, left-aligned ones
// (names, notes) on the right. No line has trailing spaces.
class Table {
 public:
  enum class Align { kLeft, kRight };

  // Adds a column; all columns must be added before the first row.
  void add_column(std::string header, Align align = Align::kRight);

  // REQUIRES: cells.size() equals the number of columns.
  void add_row(std::vector<std::string> cells);

  std::size_t row_count() const { return rows_.size(); }

  // The whole table, every line ending with '\n'.
  std::string render() const;

 private:
  std::vector<std::string> headers_;
  std::vector<Align> aligns_;
  std::vector<std::vector<std::string>> rows_;
};

// What a computation produced: the text for standard output, or the reason it refused.
struct Outcome {
  std::string text;   // result lines, each ending with '\n'
  std::string error;  // non-empty exactly when refused

  bool ok() const { return error.empty(); }
  static Outcome success(std::string text);
  static Outcome failure(std::string error);
};

// Collects "Label: value unit" result lines. A value that is not finite is never printed:
// the whole outcome becomes a failure saying the result is too large to show.
class Results {
 public:
  // Adds "Label: <format_number(value)> unit" (no space and no unit when unit is empty).
  Results& add(std::string_view label, double value, std::string_view unit);

  // As add, for a result that is above 0 by nature (an amplitude, a power, a time): one that
  // came out as 0 or too small to keep six significant digits (below about 2.2e-308) is
  // refused as too small to show instead of being printed as a wrong 0.
  Results& add_magnitude(std::string_view label, double value, std::string_view unit);

  // Adds "Label: text" for exact or worded results ("Nearest sample: 16384").
  Results& add_text(std::string_view label, std::string_view text);

  // Adds ready-made lines, e.g. a rendered Table. REQUIRES: text ends with '\n' or is empty.
  Results& add_block(std::string_view text);

  // Refuses the whole outcome with this reason (the first reason given wins).
  Results& fail(std::string error);

  Outcome finish() const;

 private:
  std::string text_;
  std::string error_;
};

// ---------------------------------------------------------------------------------------
// Tools
// ---------------------------------------------------------------------------------------

// `earlier` holds the values of the inputs before this one, in order.
using DefaultFn = std::function<std::optional<double>(const std::vector<double>& earlier)>;
// Returns the reason a value is refused ("amplitude must not be 0 ..."), or nothing.
using CheckFn =
    std::function<std::optional<std::string>(double value, const std::vector<double>& earlier)>;
using ComputeFn = std::function<Outcome(const std::vector<double>& values)>;

// One value a tool takes, in argument order.
struct Input {
  const char* name = "";      // in the usage line, e.g. "AMPLITUDE"
  const char* question = "";  // the prompt without default, e.g. "Reference amplitude"
  ValueKind kind = ValueKind::kReal;
  std::optional<double> default_value;  // a fixed default: the input is optional
  DefaultFn computed_default;  // a default from earlier values; used when default_value is empty
  CheckFn check;               // checks across values belong to the last input they involve

  Input& defaults_to(double value);
  Input& defaults_from(DefaultFn fn);
  Input& checked_by(CheckFn fn);

  // True when the input may be left out (it has a fixed or a computed default).
  bool optional() const { return default_value.has_value() || static_cast<bool>(computed_default); }
};

Input real_input(const char* name, const char* question);
Input integer_input(const char* name, const char* question);

// Ready checks for single values; `message` is the whole reason shown when refused.
CheckFn must_be_positive(std::string message);                         // value > 0
CheckFn must_not_be_zero(std::string message);                         // value != 0
CheckFn must_be_within(double low, double high, std::string message);  // low <= value <= high

struct Tool {
  const char* command = "";      // "vorlix.exe": the program's name and the error prefix
  const char* label = "";        // "VORLIX"
  const char* description = "";  // "It converts raw amplitude to dBs"
  // For --help: what is computed and how (the formula in words), the defaults and one
  // example; several lines, the last ending with '\n'.
  const char* help = "";
  std::vector<Input> inputs;
  // Computes from one value per input. A failure is reported like a refused value: exit 2
  // with arguments; in the interactive mode the last question is asked again.
  ComputeFn compute;
};

// "usage: vorlix.exe AMPLITUDE [REFERENCE=1]" (a computed default shows as "[COUNT]").
std::string usage_line(const Tool& tool);

// The whole main of a tool: argument mode, interactive mode or help, on the process's
// standard streams. Returns the exit status.
int run_tool(const Tool& tool, int argc, char** argv);

// The same on explicit streams; args are argv[1...]. Never loops without reading input,
// bounds the length of an answer it keeps, and reports a failed write to `out` as
// kExitOutputFailed.
int run_tool(const Tool& tool, const std::vector<std::string>& args, std::istream& in,
             std::ostream& out, std::ostream& err);

}  // namespace quesdral::cli
