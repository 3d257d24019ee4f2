#include "cli/tool.hpp"

#include <csignal>
#include <iostream>
#include <utility>

#include "cli/number_format.hpp"
#include "tool_catalogue.hpp"

namespace quesdral::cli {
namespace {

// An answer longer than this is no number anyone typed; it is refused without being kept,
// so a line of any length costs no more memory than this.
constexpr std::size_t kMaxAnswerLength = 4096;

// One line of standard input.
struct Line {
  bool ended = false;     // no line at all: the input has ended
  bool too_long = false;  // longer than kMaxAnswerLength; text holds only its start
  std::string text;
};

Line read_line(std::istream& in);
bool is_option_like(const std::string& arg);
std::string bracketed_default(const Input& input);

// A refusal of the values as they stand, and the input whose new value can mend it.
struct Problem {
  std::string reason;
  std::size_t mended_by;
};

// One run of a tool. Values are kept one per input, in argument order.
class Run {
 public:
  Run(const Tool& tool, std::istream& in, std::ostream& out, std::ostream& err)
      : tool_(tool), in_(in), out_(out), err_(err), values_(tool.inputs.size(), 0.0) {}

  int with_arguments(const std::vector<std::string>& args);
  int interactively();
  int help();

 private:
  // Argument mode.
  std::optional<std::string> argument_problem(const std::vector<std::string>& args) const;
  bool take_argument(std::size_t index, const std::string* arg);

  // Interactive mode.
  bool ask(std::size_t index);
  std::optional<double> answer(std::size_t index, const Line& line,
                               const std::optional<double>& fallback);
  int end_of_input(std::size_t first);
  int end_while_mending(Problem problem);

  // Both modes.
  std::optional<double> default_for(std::size_t index) const;
  std::optional<std::string> own_problem(std::size_t index, double value) const;
  // The cross checks in order, then the computation: the first refusal, or the results.
  std::optional<Problem> evaluate();
  int usage_error(const std::string& reason);
  void report(const std::string& reason) { err_ << tool_.command << ": " << reason << '\n'; }
  int finish();

  const Tool& tool_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  Values values_;
  Outcome outcome_;  // set by evaluate() when it finds no problem
};

int Run::help() {
  out_ << usage_line(tool_) << "\n\n"
       << tool_.label << " - " << tool_.description << "\n\n"
       << tool_.help;
  out_.flush();
  return out_ ? kExitOk : kExitOutputFailed;
}

// ---------------------------------------------------------------------------------------
// Argument mode: every value at once; the first problem ends the run with kExitInvalid.
// ---------------------------------------------------------------------------------------

int Run::with_arguments(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "-h" || arg == "--help")
      return help();
  }
  if (const auto reason = argument_problem(args))
    return usage_error(*reason);
  for (std::size_t i = 0; i < tool_.inputs.size(); ++i) {
    if (!take_argument(i, i < args.size() ? &args[i] : nullptr))
      return kExitInvalid;
  }
  if (const auto problem = evaluate()) {
    report(problem->reason);
    return kExitInvalid;
  }
  return finish();
}

// What makes the arguments unusable as a whole: an unknown option, too many, too few.
std::optional<std::string> Run::argument_problem(const std::vector<std::string>& args) const {
  for (const std::string& arg : args) {
    if (is_option_like(arg))
      return "unknown option " + quote(arg);
  }
  const std::size_t input_count = tool_.inputs.size();
  if (args.size() > input_count)
    return "too many arguments (at most " + std::to_string(input_count) + ")";
  for (std::size_t i = args.size(); i < input_count; ++i) {
    if (!tool_.inputs[i].optional())
      return std::string("missing ") + tool_.inputs[i].name;
  }
  return std::nullopt;
}

// Sets the value of input `index` from its argument, or from its default when there is
// none. Reports the reason and returns false when the value is refused.
bool Run::take_argument(std::size_t index, const std::string* arg) {
  const Input& input = tool_.inputs[index];
  double value = 0;
  if (arg != nullptr) {
    const ParsedNumber parsed = parse_number(*arg, input.kind);
    if (!parsed.value) {
      report(std::string(input.name) + ": " + parsed.error);
      return false;
    }
    value = *parsed.value;
  } else if (const std::optional<double> fallback = default_for(index)) {
    value = *fallback;
  } else {
    usage_error(std::string("missing ") + input.name);
    return false;
  }
  if (const auto reason = own_problem(index, value)) {
    report(*reason);
    return false;
  }
  values_[index] = value;
  return true;
}

// ---------------------------------------------------------------------------------------
// Interactive mode: one question per value, each asked until its answer passes the value's
// own checks. Once every value is known, a refusal asks again the question that can mend
// it, never one whose answer cannot help.
// ---------------------------------------------------------------------------------------

int Run::interactively() {
  out_ << tool_.label << " - " << tool_.description << '\n';
  const std::size_t count = tool_.inputs.size();
  for (std::size_t i = 0; i < count; ++i) {
    if (!ask(i))
      return end_of_input(i);
  }
  while (const auto problem = evaluate()) {
    report(problem->reason);
    if (!ask(problem->mended_by))
      return end_while_mending(*problem);
  }
  out_ << '\n';
  return finish();
}

// Asks question `index` until it is answered; false when the input ended first.
bool Run::ask(std::size_t index) {
  const Input& input = tool_.inputs[index];
  for (;;) {
    const std::optional<double> fallback = default_for(index);
    out_ << input.question;
    if (fallback)
      out_ << " [" << format_short(*fallback) << ']';
    out_ << ": ";
    out_.flush();
    const Line line = read_line(in_);
    if (line.ended)
      return false;
    if (const std::optional<double> value = answer(index, line, fallback)) {
      values_[index] = *value;
      return true;
    }
  }
}

// The value of one answer, or nothing after reporting why it is refused.
std::optional<double> Run::answer(std::size_t index, const Line& line,
                                  const std::optional<double>& fallback) {
  const Input& input = tool_.inputs[index];
  std::optional<double> value = fallback;
  if (line.too_long) {
    report(std::string(input.question) + ": the answer is too long to be a number");
    return std::nullopt;
  }
  if (trim(line.text).empty()) {
    if (!fallback)
      report(std::string(input.question) + ": an answer is needed (there is no default)");
  } else {
    const ParsedNumber parsed = parse_number(line.text, input.kind);
    if (!parsed.value)
      report(std::string(input.question) + ": " + parsed.error);
    value = parsed.value;
  }
  if (!value)
    return std::nullopt;
  if (const auto reason = own_problem(index, *value)) {
    report(*reason);
    return std::nullopt;
  }
  return value;
}

// Input ended before input `first` was answered: it and every later input take their
// defaults, and any refusal then ends the run with kExitInputEnded.
int Run::end_of_input(std::size_t first) {
  out_ << '\n';
  for (std::size_t i = first; i < tool_.inputs.size(); ++i) {
    const char* name = tool_.inputs[i].name;
    const std::optional<double> fallback = default_for(i);
    if (!fallback) {
      report(std::string("input ended before ") + name + " was given, and it has no default");
      return kExitInputEnded;
    }
    if (const auto reason = own_problem(i, *fallback)) {
      report(*reason + " (input ended before another " + name + " was given)");
      return kExitInputEnded;
    }
    values_[i] = *fallback;
  }
  if (const auto problem = evaluate()) {
    report(problem->reason + " (input ended before other values were given)");
    return kExitInputEnded;
  }
  return finish();
}

// Input ended while the question that can mend `problem` was asked again: its default is
// the last chance, and the answers after it stay as they were.
int Run::end_while_mending(Problem problem) {
  out_ << '\n';
  const std::size_t index = problem.mended_by;
  const std::optional<double> fallback = default_for(index);
  if (fallback && !own_problem(index, *fallback)) {
    values_[index] = *fallback;
    const std::optional<Problem> left = evaluate();
    if (!left)
      return finish();
    problem = *left;
  }
  report(problem.reason + " (input ended before another " + tool_.inputs[index].name +
         " was given)");
  return kExitInputEnded;
}

// ---------------------------------------------------------------------------------------
// Both modes
// ---------------------------------------------------------------------------------------

std::optional<double> Run::default_for(std::size_t index) const {
  const Input& input = tool_.inputs[index];
  if (input.default_value)
    return input.default_value;
  if (input.computed_default)
    return input.computed_default(values_);
  return std::nullopt;
}

std::optional<std::string> Run::own_problem(std::size_t index, double value) const {
  for (const CheckFn& check : tool_.inputs[index].checks) {
    if (auto reason = check(value))
      return reason;
  }
  return std::nullopt;
}

std::optional<Problem> Run::evaluate() {
  for (const CrossCheck& cross : tool_.cross_checks) {
    if (auto reason = cross.check(values_))
      return Problem{std::move(*reason), cross.mended_by};
  }
  outcome_ = tool_.compute(values_);
  if (outcome_.ok())
    return std::nullopt;
  return Problem{outcome_.error, outcome_.mended_by.value_or(tool_.inputs.size() - 1)};
}

int Run::usage_error(const std::string& reason) {
  report(reason);
  err_ << usage_line(tool_) << '\n';
  return kExitInvalid;
}

int Run::finish() {
  out_ << outcome_.text;
  out_.flush();
  if (!out_) {
    report("cannot write the results to standard output");
    return kExitOutputFailed;
  }
  return kExitOk;
}

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

// A lone "-", or "-" followed by anything but a digit or a point: not a negative number.
bool is_option_like(const std::string& arg) {
  if (arg.size() < 2 || arg[0] != '-')
    return arg == "-";
  return !((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
}

std::string bracketed_default(const Input& input) {
  std::string text = std::string("[") + input.name;
  if (input.default_value)
    text += "=" + format_short(*input.default_value);
  return text + "]";
}

}  // namespace

Tool& Tool::check_across(std::size_t mended_by, CrossCheckFn check) {
  cross_checks.push_back({mended_by, std::move(check)});
  return *this;
}

Tool catalogued_tool(int number) {
  const ToolEntry& entry = kToolCatalogue[static_cast<std::size_t>(number - 1)];
  Tool tool;
  tool.command = entry.command;
  tool.label = entry.label;
  tool.description = entry.description;
  return tool;
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
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return run_tool(tool, args, std::cin, std::cout, std::cerr);
}

}  // namespace quesdral::cli
