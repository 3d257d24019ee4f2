#include "cli/cli.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <csignal>
#include <iostream>
#include <limits>
#include <system_error>
#include <utility>

namespace quesdral::cli {
namespace {

// An answer longer than this is no number anyone typed; it is refused without being kept,
// so a line of any length costs no more memory than this.
constexpr std::size_t kMaxAnswerLength = 4096;

// How much of a refused text an error message repeats.
constexpr std::size_t kMaxQuotedLength = 40;

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}
bool is_space_or_tab(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trim(std::string_view text) {
  if (!text.empty() && text.back() == '\r')
    text.remove_suffix(1);
  while (!text.empty() && is_space_or_tab(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && is_space_or_tab(text.back()))
    text.remove_suffix(1);
  return text;
}

// The text as an error message may show it: bounded in length, and with control bytes,
// NUL and bytes above 127 replaced, so a message never garbles the terminal.
std::string quote(std::string_view text) {
  std::string quoted = "'";
  for (std::size_t i = 0; i < text.size() && i < kMaxQuotedLength; ++i) {
    const char c = text[i];
    quoted += (c >= ' ' && c <= '~') ? c : '?';
  }
  if (text.size() > kMaxQuotedLength)
    quoted += "...";
  return quoted + "'";
}

std::size_t skip_digits(std::string_view text, std::size_t i) {
  while (i < text.size() && is_digit(text[i]))
    ++i;
  return i;
}

// REQUIRES: is_well_formed_real(text).
// The decimal exponent of the leading non-zero digit of a well-formed real, e.g. 2 for
// "123.4" and -400 for "1e-400"; it tells an overflow from an underflow. The exponent text
// saturates, so "1e99999999999999999999" is merely very large.
long long decimal_magnitude(std::string_view text) {
  std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
  long long position = 0;  // exponent of the digit at i
  const std::size_t integer_end = skip_digits(text, i);
  position = static_cast<long long>(integer_end - i) - 1;
  long long leading = std::numeric_limits<long long>::min();
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.')
      continue;
    if (text[i] != '0') {
      leading = position;
      break;
    }
    --position;
  }
  if (leading == std::numeric_limits<long long>::min())
    return 0;
  while (i < text.size() && text[i] != 'e' && text[i] != 'E')
    ++i;
  long long exponent = 0;
  if (i < text.size()) {
    ++i;
    // A well-formed real has digits after the 'e'; the bounds checks only keep a malformed
    // text from reading past its end.
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    for (; i < text.size(); ++i)
      exponent = std::min(exponent * 10 + (text[i] - '0'), 1000000000LL);
    if (negative)
      exponent = -exponent;
  }
  return leading + exponent;
}

bool is_well_formed_real(std::string_view text) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    ++i;
  const std::size_t integer_start = i;
  i = skip_digits(text, i);
  std::size_t digit_count = i - integer_start;
  if (i < text.size() && text[i] == '.') {
    const std::size_t fraction_start = ++i;
    i = skip_digits(text, i);
    digit_count += i - fraction_start;
  }
  if (digit_count == 0)
    return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      ++i;
    const std::size_t exponent_start = i;
    i = skip_digits(text, i);
    if (i == exponent_start)
      return false;
  }
  return i == text.size();
}

ParsedNumber refused(std::string error) {
  return {std::nullopt, std::move(error)};
}

ParsedNumber parse_real_text(std::string_view text) {
  if (!is_well_formed_real(text)) {
    return refused(quote(text) +
                   " is not a number; write a decimal number such as -3, 0.5 "
                   "or 1e-12");
  }
  // from_chars takes no '+', and reads independently of the locale.
  const std::string_view digits = text[0] == '+' ? text.substr(1) : text;
  double value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error == std::errc::result_out_of_range || (error == std::errc() && !std::isfinite(value))) {
    if (decimal_magnitude(text) >= 0) {
      return refused(quote(text) + " is too large; the magnitude must be below 1.79769e+308");
    }
    return refused(quote(text) +
                   " is too close to 0 to be represented; write 0 or a value "
                   "of magnitude above 2.3e-308");
  }
  if (error != std::errc() || end != digits.data() + digits.size()) {
    return refused(quote(text) +
                   " is not a number; write a decimal number such as -3, 0.5 "
                   "or 1e-12");
  }
  // A subnormal result keeps too few digits to be trusted to six significant digits.
  if (value != 0 && std::fabs(value) < std::numeric_limits<double>::min()) {
    return refused(quote(text) +
                   " is too close to 0 to be represented; write 0 or a value "
                   "of magnitude above 2.3e-308");
  }
  return {value, {}};
}

ParsedNumber parse_integer_text(std::string_view text) {
  std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (i == text.size() || skip_digits(text, i) != text.size()) {
    return refused(quote(text) +
                   " is not a whole number; write digits with an optional sign, "
                   "such as 16");
  }
  const std::string_view digits = text[0] == '+' ? text.substr(1) : text;
  long long value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) {
    return refused(quote(text) + " is out of range for a whole number");
  }
  return {static_cast<double>(value), {}};
}

// Splits "d.ddddde+XX" from to_chars into sign, six digits and the decimal exponent.
struct Scientific {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Scientific to_scientific(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 5);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  Scientific parts;
  std::size_t i = 0;
  if (text[i] == '-') {
    parts.negative = true;
    ++i;
  }
  for (; i < text.size() && text[i] != 'e'; ++i) {
    if (text[i] != '.')
      parts.digits += text[i];
  }
  const std::string_view exponent = text.substr(i + 1);
  const std::string_view unsigned_exponent = exponent[0] == '+' ? exponent.substr(1) : exponent;
  std::from_chars(unsigned_exponent.data(), unsigned_exponent.data() + unsigned_exponent.size(),
                  parts.exponent);
  return parts;
}

std::string chars_to_string(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, static_cast<std::size_t>(result.ptr - buffer));
}

std::size_t significant_digit_count(std::string_view shortest) {
  std::size_t count = 0;
  bool leading = true;
  for (char c : shortest) {
    if (c == 'e')
      break;
    if (!is_digit(c))
      continue;
    if (leading && c == '0')
      continue;
    leading = false;
    ++count;
  }
  return count;
}

bool is_option_like(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-')
    return arg == "-";
  return !(is_digit(arg[1]) || arg[1] == '.');
}

// ---------------------------------------------------------------------------------------
// The run of one tool
// ---------------------------------------------------------------------------------------

struct Line {
  bool ended = false;     // no line at all: the input has ended
  bool too_long = false;  // longer than kMaxAnswerLength; text holds only its start
  std::string text;
};

// Reads through istream::get, whose sentry turns a failing read (a closed or unreadable
// standard input makes the stream buffer throw) into a stream state, i.e. the end of input.
Line read_line(std::istream& in) {
  Line line;
  bool any = false;
  char ch = 0;
  while (in.get(ch)) {
    any = true;
    if (ch == '\n')
      return line;
    if (line.text.size() < kMaxAnswerLength) {
      line.text += ch;
    } else {
      line.too_long = true;
    }
  }
  line.ended = !any;
  return line;
}

class Run {
 public:
  Run(const Tool& tool, std::istream& in, std::ostream& out, std::ostream& err)
      : tool_(tool), in_(in), out_(out), err_(err) {}

  int with_arguments(const std::vector<std::string>& args);
  int interactively();
  int help();

 private:
  std::optional<double> default_for(std::size_t index) const;
  std::optional<std::string> check(std::size_t index, double value) const;
  int usage_error(const std::string& reason);
  void report(const std::string& reason) { err_ << tool_.command << ": " << reason << '\n'; }
  int finish(const Outcome& outcome);
  int finish_with_defaults(std::size_t first_unanswered);
  // One question, asked until answered: the value, or nothing when the input ended first.
  std::optional<double> ask(std::size_t index, bool& input_ended);

  const Tool& tool_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  std::vector<double> values_;
  std::optional<Outcome> final_outcome_;  // computed when the last answer was checked
};

std::optional<double> Run::default_for(std::size_t index) const {
  const Input& input = tool_.inputs[index];
  if (input.default_value)
    return input.default_value;
  if (input.computed_default)
    return input.computed_default(values_);
  return std::nullopt;
}

std::optional<std::string> Run::check(std::size_t index, double value) const {
  const Input& input = tool_.inputs[index];
  if (!input.check)
    return std::nullopt;
  return input.check(value, values_);
}

int Run::usage_error(const std::string& reason) {
  report(reason);
  err_ << usage_line(tool_) << '\n';
  return kExitInvalid;
}

int Run::finish(const Outcome& outcome) {
  out_ << outcome.text;
  out_.flush();
  if (!out_) {
    report("cannot write the results to standard output");
    return kExitOutputFailed;
  }
  return kExitOk;
}

int Run::help() {
  out_ << usage_line(tool_) << "\n\n"
       << tool_.label << " - " << tool_.description << "\n\n"
       << tool_.help;
  out_.flush();
  return out_ ? kExitOk : kExitOutputFailed;
}

int Run::with_arguments(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "-h" || arg == "--help")
      return help();
  }
  for (const std::string& arg : args) {
    if (is_option_like(arg))
      return usage_error("unknown option " + quote(arg));
  }
  const std::size_t input_count = tool_.inputs.size();
  if (args.size() > input_count) {
    return usage_error("too many arguments (at most " + std::to_string(input_count) + ")");
  }
  for (std::size_t i = args.size(); i < input_count; ++i) {
    if (!tool_.inputs[i].optional()) {
      return usage_error(std::string("missing ") + tool_.inputs[i].name);
    }
  }
  for (std::size_t i = 0; i < input_count; ++i) {
    double value = 0;
    if (i < args.size()) {
      const ParsedNumber parsed = parse_number(args[i], tool_.inputs[i].kind);
      if (!parsed.value) {
        report(std::string(tool_.inputs[i].name) + ": " + parsed.error);
        return kExitInvalid;
      }
      value = *parsed.value;
    } else {
      const std::optional<double> fallback = default_for(i);
      if (!fallback)
        return usage_error(std::string("missing ") + tool_.inputs[i].name);
      value = *fallback;
    }
    if (const auto reason = check(i, value)) {
      report(*reason);
      return kExitInvalid;
    }
    values_.push_back(value);
  }
  const Outcome outcome = tool_.compute(values_);
  if (!outcome.ok()) {
    report(outcome.error);
    return kExitInvalid;
  }
  return finish(outcome);
}

std::optional<double> Run::ask(std::size_t index, bool& input_ended) {
  const Input& input = tool_.inputs[index];
  const bool last = index + 1 == tool_.inputs.size();
  for (;;) {
    const std::optional<double> fallback = default_for(index);
    out_ << input.question;
    if (fallback)
      out_ << " [" << format_short(*fallback) << ']';
    out_ << ": ";
    out_.flush();
    const Line line = read_line(in_);
    if (line.ended) {
      input_ended = true;
      return std::nullopt;
    }
    std::optional<double> value;
    if (line.too_long) {
      report(std::string(input.question) + ": the answer is too long to be a number");
      continue;
    }
    if (trim(line.text).empty()) {
      if (!fallback) {
        report(std::string(input.question) + ": an answer is needed (there is no default)");
        continue;
      }
      value = fallback;
    } else {
      const ParsedNumber parsed = parse_number(line.text, input.kind);
      if (!parsed.value) {
        report(std::string(input.question) + ": " + parsed.error);
        continue;
      }
      value = parsed.value;
    }
    if (const auto reason = check(index, *value)) {
      report(*reason);
      continue;
    }
    if (last) {
      values_.push_back(*value);
      Outcome outcome = tool_.compute(values_);
      values_.pop_back();
      if (!outcome.ok()) {
        report(outcome.error);
        continue;
      }
      // Kept for the results, so a long list (room modes) is not computed twice.
      final_outcome_ = std::move(outcome);
    }
    return value;
  }
}

int Run::finish_with_defaults(std::size_t first_unanswered) {
  out_ << '\n';
  for (std::size_t i = first_unanswered; i < tool_.inputs.size(); ++i) {
    const std::optional<double> fallback = default_for(i);
    if (!fallback) {
      report(std::string("input ended before ") + tool_.inputs[i].name +
             " was given, and it has no default");
      return kExitInputEnded;
    }
    if (const auto reason = check(i, *fallback)) {
      report(*reason + " (input ended before another " + tool_.inputs[i].name + " was given)");
      return kExitInputEnded;
    }
    values_.push_back(*fallback);
  }
  const Outcome outcome = tool_.compute(values_);
  if (!outcome.ok()) {
    report(outcome.error + " (input ended before other values were given)");
    return kExitInputEnded;
  }
  return finish(outcome);
}

int Run::interactively() {
  out_ << tool_.label << " - " << tool_.description << '\n';
  for (std::size_t i = 0; i < tool_.inputs.size(); ++i) {
    bool input_ended = false;
    const std::optional<double> value = ask(i, input_ended);
    if (input_ended)
      return finish_with_defaults(i);
    values_.push_back(*value);
  }
  out_ << '\n';
  return finish(final_outcome_ ? *final_outcome_ : tool_.compute(values_));
}

std::string bracketed_default(const Input& input) {
  std::string text = std::string("[") + input.name;
  if (input.default_value)
    text += "=" + format_short(*input.default_value);
  return text + "]";
}

}  // namespace

// ---------------------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------------------

ParsedNumber parse_number(std::string_view text, ValueKind kind) {
  const std::string_view trimmed = trim(text);
  if (trimmed.empty())
    return refused("a number is needed here");
  return kind == ValueKind::kInteger ? parse_integer_text(trimmed) : parse_real_text(trimmed);
}

std::optional<double> parse_real(std::string_view text) {
  return parse_number(text, ValueKind::kReal).value;
}

std::optional<long long> parse_integer(std::string_view text) {
  const std::string_view trimmed = trim(text);
  if (trimmed.empty() || !parse_integer_text(trimmed).value)
    return std::nullopt;
  // Read again as long long: the double in ParsedNumber may have rounded it.
  const std::string_view digits = trimmed[0] == '+' ? trimmed.substr(1) : trimmed;
  long long value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

std::string format_number(double value) {
  if (!std::isfinite(value))
    return "?";
  if (value == 0)
    return "0.00000";
  const Scientific parts = to_scientific(value);
  std::string text = parts.negative ? "-" : "";
  if (parts.exponent < -4 || parts.exponent >= 6) {
    text += parts.digits.substr(0, 1) + "." + parts.digits.substr(1) + "e";
    text += parts.exponent < 0 ? "-" : "+";
    const int magnitude = std::abs(parts.exponent);
    if (magnitude < 10)
      text += '0';
    return text + std::to_string(magnitude);
  }
  if (parts.exponent < 0) {
    return text + "0." + std::string(static_cast<std::size_t>(-parts.exponent - 1), '0') +
           parts.digits;
  }
  const std::size_t point = static_cast<std::size_t>(parts.exponent) + 1;
  text += parts.digits.substr(0, point);
  if (point < parts.digits.size())
    text += "." + parts.digits.substr(point);
  return text;
}

std::string format_integer(long long value) {
  return std::to_string(value);
}

std::string format_short(double value) {
  if (!std::isfinite(value))
    return "?";
  const std::string shortest = chars_to_string(value);
  return significant_digit_count(shortest) <= 6 ? shortest : format_number(value);
}

// ---------------------------------------------------------------------------------------
// Table, Outcome, Results
// ---------------------------------------------------------------------------------------

void Table::add_column(std::string header, Align align) {
  headers_.push_back(std::move(header));
  aligns_.push_back(align);
}

void Table::add_row(std::vector<std::string> cells) {
  cells.resize(headers_.size());
  rows_.push_back(std::move(cells));
}

std::string Table::render() const {
  std::vector<std::size_t> widths;
  for (const std::string& header : headers_)
    widths.push_back(header.size());
  for (const auto& row : rows_) {
    for (std::size_t i = 0; i < row.size(); ++i)
      widths[i] = std::max(widths[i], row[i].size());
  }
  std::string text;
  const auto add_line = [&](const std::vector<std::string>& cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i > 0)
        line += "  ";
      const std::string padding(widths[i] - cells[i].size(), ' ');
      line += aligns_[i] == Align::kRight ? padding + cells[i] : cells[i] + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + '\n';
  };
  add_line(headers_);
  for (const auto& row : rows_)
    add_line(row);
  return text;
}

Outcome Outcome::success(std::string text) {
  return {std::move(text), {}};
}

Outcome Outcome::failure(std::string error) {
  if (error.empty())
    error = "the result cannot be computed";
  return {{}, std::move(error)};
}

Results& Results::add(std::string_view label, double value, std::string_view unit) {
  if (!std::isfinite(value)) {
    return fail("the result (" + std::string(label) +
                ") is too large to show: its magnitude would exceed 1.79769e+308");
  }
  std::string line = std::string(label) + ": " + format_number(value);
  if (!unit.empty())
    line += " " + std::string(unit);
  text_ += line + '\n';
  return *this;
}

Results& Results::add_magnitude(std::string_view label, double value, std::string_view unit) {
  if (std::isfinite(value) && std::fabs(value) < std::numeric_limits<double>::min()) {
    return fail("the result (" + std::string(label) +
                ") is too small to show: its magnitude would be below 2.22507e-308");
  }
  return add(label, value, unit);
}

Results& Results::add_text(std::string_view label, std::string_view text) {
  text_ += std::string(label) + ": " + std::string(text) + '\n';
  return *this;
}

Results& Results::add_block(std::string_view text) {
  text_ += text;
  return *this;
}

Results& Results::fail(std::string error) {
  if (error_.empty())
    error_ = std::move(error);
  return *this;
}

Outcome Results::finish() const {
  return error_.empty() ? Outcome::success(text_) : Outcome::failure(error_);
}

// ---------------------------------------------------------------------------------------
// Inputs and tools
// ---------------------------------------------------------------------------------------

Input& Input::defaults_to(double value) {
  default_value = value;
  return *this;
}

Input& Input::defaults_from(DefaultFn fn) {
  computed_default = std::move(fn);
  return *this;
}

Input& Input::checked_by(CheckFn fn) {
  check = std::move(fn);
  return *this;
}

Input real_input(const char* name, const char* question) {
  Input input;
  input.name = name;
  input.question = question;
  return input;
}

Input integer_input(const char* name, const char* question) {
  Input input = real_input(name, question);
  input.kind = ValueKind::kInteger;
  return input;
}

CheckFn must_be_positive(std::string message) {
  return [message = std::move(message)](double value,
                                        const std::vector<double>&) -> std::optional<std::string> {
    if (value > 0)
      return std::nullopt;
    return message;
  };
}

CheckFn must_not_be_zero(std::string message) {
  return [message = std::move(message)](double value,
                                        const std::vector<double>&) -> std::optional<std::string> {
    if (value != 0)
      return std::nullopt;
    return message;
  };
}

CheckFn must_be_within(double low, double high, std::string message) {
  return [low, high, message = std::move(message)](
             double value, const std::vector<double>&) -> std::optional<std::string> {
    if (value >= low && value <= high)
      return std::nullopt;
    return message;
  };
}

std::string usage_line(const Tool& tool) {
  std::string line = std::string("usage: ") + tool.command;
  for (const Input& input : tool.inputs) {
    line += ' ';
    line += input.optional() ? bracketed_default(input) : std::string(input.name);
  }
  return line;
}

int run_tool(const Tool& tool, const std::vector<std::string>& args, std::istream& in,
             std::ostream& out, std::ostream& err) {
  Run run(tool, in, out, err);
  return args.empty() ? run.interactively() : run.with_arguments(args);
}

int run_tool(const Tool& tool, int argc, char** argv) {
#ifdef SIGPIPE
  // A reader that went away must not kill the tool mid-write: the write fails instead and
  // the tool says so and exits with kExitOutputFailed.
  std::signal(SIGPIPE, SIG_IGN);
#endif
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i)
    args.emplace_back(argv[i]);
  return run_tool(tool, args, std::cin, std::cout, std::cerr);
}

}  // namespace quesdral::cli
