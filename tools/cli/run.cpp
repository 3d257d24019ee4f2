#include "cli/run.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <iostream>
#include <utility>

#include "cli/number_format.hpp"

namespace quesdral::cli::internal {
namespace {

// The options every tool takes, and how every tool behaves, for --help.
constexpr const char* kCommonOptions =
    "\n"
    "Options:\n"
    "  -h, --help            show this help and exit\n"
    "  --version             show the version and exit\n"
    "  --format FORMAT       write the results as text (the default), csv or json\n"
    "  --batch               read one case per line of standard input, its values\n"
    "                        separated by blanks, and compute each in turn\n"
    "  --                    end the options: every argument after it is a value\n";
constexpr const char* kCommonBehaviour =
    "\n"
    "Without values the tool asks for each one in turn; the questions go to standard\n"
    "error, so standard output holds only results. Exit status: 0 success, 1 input\n"
    "ended before every value was given, 2 invalid arguments, 3 the results could not\n"
    "be written, the cases of a batch could not be read, or memory ran out.\n";

}  // namespace

int Run::help() {
  out_ << usage_line(tool_) << "\n\n"
       << tool_.label << " - " << tool_.description << "\n\n"
       << tool_.help << kCommonOptions;
  for (const ToolOption& option : all_options(tool_)) {
    std::string name = std::string("  ") + option.name;
    if (*option.value_name != '\0')
      name += std::string(" ") + option.value_name;
    out_ << name << std::string(name.size() < 24 ? 24 - name.size() : 1, ' ') << option.help
         << '\n';
  }
  std::string environment;
  for (const OptionVariable& variable : tool_.variables) {
    std::string name = std::string("  ") + variable.variable + "=";
    for (std::size_t i = 0; i < variable.values.size(); ++i)
      name += (i == 0 ? "" : "|") + variable.values[i];
    environment += name + "\n" + std::string(24, ' ') + "the default of " + variable.option;
    const bool flag = std::any_of(tool_.options.begin(), tool_.options.end(), [&](const auto& o) {
      return o.name == std::string_view(variable.option) && *o.value_name == '\0';
    });
    if (flag && variable.values.size() == 2)
      environment += " (" + variable.values[1] + ": on)";
    environment += "; the options win\n";
  }
  if (!environment.empty())
    out_ << "\nEnvironment:\n" << environment;
  out_ << kCommonBehaviour << "\nThe fields of csv and json are described in " << schema_file(tool_)
       << ",\nin share/quesdral/schemas where the suite is installed.\n";
  return flush_output() ? kExitOk : kExitOutputFailed;
}

int Run::version() {
  out_ << tool_.command << " (Quesdral) " << QUESDRAL_VERSION << '\n';
  return flush_output() ? kExitOk : kExitOutputFailed;
}

// ---------------------------------------------------------------------------------------
// Argument mode: every value at once; the first problem ends the run with kExitInvalid.
// ---------------------------------------------------------------------------------------

int Run::with_arguments(const std::vector<std::string>& args) {
  if (const auto reason = argument_problem(args))
    return usage_error(*reason);
  typed_ = join(args);
  if (!compute_case(args))
    return kExitInvalid;
  return finish();
}

// Batch mode: each line of input is one case, its values as they would be given as
// arguments. A refused line is reported with its number and the batch goes on.
int Run::in_batch() {
  int status = kExitOk;
  Line line;
  for (line = read_line(in_); !line.ended; line = read_line(in_)) {
    where_ = "line " + std::to_string(++line_number_) + ": ";
    const std::vector<std::string> args = split_blanks(line.text);
    if (args.empty() && !line.too_long)
      continue;
    typed_ = join(args);
    std::optional<std::string> problem = argument_problem(args);
    if (line.too_long)
      problem = "the line is too long to be a case";
    if (problem)
      report(*problem);
    const bool computed = !problem && compute_case(args);
    if (!computed)
      status = kExitInvalid;
    if (!write_results(computed ? std::string() : last_reason_))
      return kExitOutputFailed;
  }
  if (line.failed) {
    where_.clear();
    report("cannot read the cases: " + line.failure);
    return kExitOutputFailed;
  }
  return status;
}

// Computes one case from its arguments, the values left off taking their defaults.
// Reports the first problem and returns false when the case is refused.
// REQUIRES: !argument_problem(args).
bool Run::compute_case(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < tool_.inputs.size(); ++i) {
    if (!take_argument(i, i < args.size() ? &args[i] : nullptr))
      return false;
  }
  if (const auto problem = evaluate()) {
    report(problem->reason);
    return false;
  }
  return true;
}

// What makes the arguments unusable as a whole: too many, too few.
std::optional<std::string> Run::argument_problem(const std::vector<std::string>& args) const {
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
  if (arg != nullptr) {
    const TypedValue parsed = parse_value(input, *arg, values_);
    if (!parsed.value) {
      report(std::string(input.name) + ": " + parsed.error);
      return false;
    }
    return take_typed(index, parsed);
  }
  const std::optional<double> fallback = default_for(index);
  if (skip_without_default(index, fallback))
    return true;
  if (!fallback) {
    report(std::string("missing ") + input.name);
    return false;
  }
  return take_typed(index, {fallback, {}, {}});
}

bool Run::take_typed(std::size_t index, const TypedValue& typed) {
  if (typed.note) {
    set_value(index, 0.0, {}, typed.value);
    if (tool_.inputs[index].notes->reads_later)
      return true;
    if (const auto reason = read_note(index)) {
      report(*reason);
      return false;
    }
    return true;
  }
  if (const auto reason = own_problem(index, *typed.value)) {
    report(*reason);
    return false;
  }
  set_value(index, *typed.value, typed.name);
  return true;
}

std::optional<std::string> Run::read_note(std::size_t index) {
  const Input& input = tool_.inputs[index];
  const double value = input.notes->value_of(*values_.note(index), values_);
  if (!std::isfinite(value))
    return "the note given as " + input.called() + " is too high for its value to be shown";
  values_[index] = value;
  return own_problem(index, value);
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
  // Notes read under a later value (the tuning of A4) are read now that it is known; a
  // refusal asks again for the note, which a number or another note can always mend.
  for (std::size_t i = 0; i < tool_.inputs.size(); ++i) {
    if (values_.note(i) && tool_.inputs[i].notes->reads_later) {
      if (auto reason = read_note(i))
        return Problem{std::move(*reason), i};
    }
  }
  for (const CrossCheck& cross : tool_.cross_checks) {
    if (auto reason = cross.check(values_))
      return Problem{std::move(*reason), cross.mended_by};
  }
  outcome_ = tool_.compute(values_);
  if (outcome_.ok())
    return render_files();
  return Problem{outcome_.error, outcome_.mended_by.value_or(tool_.inputs.size() - 1)};
}

int Run::usage_error(const std::string& reason) {
  report(reason);
  err_ << usage_line(tool_) << '\n';
  return kExitInvalid;
}

int Run::finish() {
  return write_results() ? kExitOk : kExitOutputFailed;
}

// Writes the record of the case just computed, or of the batch line refused for `error`.
bool Run::write_results(const std::string& error) {
  if (error.empty() && !write_rendered_files())
    return false;
  CaseHead head;
  if (line_number_ != 0)
    head.line = line_number_;
  head.typed = typed_;
  head.values = error.empty() ? &values_ : nullptr;
  head.error = error;
  out_ << writer_.write(error.empty() ? outcome_.report : Report(), head);
  return flush_output();
}

// A reader that closed the pipe early is no error to report (the standard utilities end
// quietly then); any other failed write, such as a full disk, is.
bool Run::flush_output() {
  out_.flush();
  if (out_)
    return true;
  if (errno != EPIPE)
    report("cannot write the results to standard output");
  return false;
}

// ---------------------------------------------------------------------------------------
// Interactive mode: one question per value, each asked until its answer passes the value's
// own checks. Once every value is known, a refusal asks again the question that can mend
// it, never one whose answer cannot help.
// ---------------------------------------------------------------------------------------

int Run::interactively() {
  err_ << tool_.label << " - " << tool_.description << '\n';
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
  err_ << '\n';
  return finish();
}

// Asks question `index` until it is answered; false when the input ended first.
bool Run::ask(std::size_t index) {
  const Input& input = tool_.inputs[index];
  for (;;) {
    const std::optional<double> fallback = default_for(index);
    err_ << input.question;
    if (fallback)
      err_ << " [" << format_short(*fallback) << ']';
    else if (input.skippable)
      err_ << " [leave empty to skip]";
    err_ << ": ";
    err_.flush();
    const Line line = read_line(in_);
    if (line.ended)
      return false;
    if (answer(index, line, fallback))
      return true;
  }
}

// Takes the value of one answer; false after reporting why it is refused.
bool Run::answer(std::size_t index, const Line& line, const std::optional<double>& fallback) {
  const Input& input = tool_.inputs[index];
  TypedValue typed{fallback, {}, {}};
  if (line.too_long) {
    report(std::string(input.question) + ": the answer is too long to be a number");
    return false;
  }
  if (trim(line.text).empty()) {
    if (skip_without_default(index, fallback))
      return true;
    if (!fallback)
      report(std::string(input.question) + ": an answer is needed (there is no default)");
  } else {
    typed = parse_value(input, line.text, values_);
    if (!typed.value)
      report(std::string(input.question) + ": " + typed.error);
  }
  return typed.value && take_typed(index, typed);
}

// Input ended before input `first` was answered: it and every later input take their
// defaults, and any refusal then ends the run with kExitInputEnded.
int Run::end_of_input(std::size_t first) {
  err_ << '\n';
  for (std::size_t i = first; i < tool_.inputs.size(); ++i) {
    const std::string called = tool_.inputs[i].called();
    const std::optional<double> fallback = default_for(i);
    if (skip_without_default(i, fallback))
      continue;
    if (!fallback) {
      report("input ended before " + called + " was given, and it has no default");
      return kExitInputEnded;
    }
    if (const auto reason = own_problem(i, *fallback)) {
      report(*reason + " (input ended before " + called + " was given)");
      return kExitInputEnded;
    }
    set_value(i, *fallback);
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
  err_ << '\n';
  const std::size_t index = problem.mended_by;
  const std::optional<double> fallback = default_for(index);
  const bool skipped = skip_without_default(index, fallback);
  if (skipped || (fallback && !own_problem(index, *fallback))) {
    if (!skipped)
      set_value(index, *fallback);
    const std::optional<Problem> left = evaluate();
    if (!left)
      return finish();
    problem = *left;
  }
  report(problem.reason + " (input ended before " + tool_.inputs[index].called() +
         " was given again)");
  return kExitInputEnded;
}

}  // namespace quesdral::cli::internal
