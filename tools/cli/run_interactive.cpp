#include <iostream>

#include "cli/number_format.hpp"
#include "cli/run.hpp"

namespace quesdral::cli::internal {

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
    err_ << ": ";
    err_.flush();
    const Line line = read_line(in_);
    if (line.ended)
      return false;
    if (const std::optional<TypedValue> typed = answer(index, line, fallback)) {
      set_value(index, *typed->value, typed->name);
      return true;
    }
  }
}

// The value of one answer, or nothing after reporting why it is refused.
std::optional<TypedValue> Run::answer(std::size_t index, const Line& line,
                                      const std::optional<double>& fallback) {
  const Input& input = tool_.inputs[index];
  TypedValue typed{fallback, {}, {}};
  if (line.too_long) {
    report(std::string(input.question) + ": the answer is too long to be a number");
    return std::nullopt;
  }
  if (trim(line.text).empty()) {
    if (!fallback)
      report(std::string(input.question) + ": an answer is needed (there is no default)");
  } else {
    typed = parse_value(input, line.text);
    if (!typed.value)
      report(std::string(input.question) + ": " + typed.error);
  }
  if (!typed.value)
    return std::nullopt;
  if (const auto reason = own_problem(index, *typed.value)) {
    report(*reason);
    return std::nullopt;
  }
  return typed;
}

// Input ended before input `first` was answered: it and every later input take their
// defaults, and any refusal then ends the run with kExitInputEnded.
int Run::end_of_input(std::size_t first) {
  err_ << '\n';
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
  if (fallback && !own_problem(index, *fallback)) {
    set_value(index, *fallback);
    const std::optional<Problem> left = evaluate();
    if (!left)
      return finish();
    problem = *left;
  }
  report(problem.reason + " (input ended before another " + tool_.inputs[index].name +
         " was given)");
  return kExitInputEnded;
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

}  // namespace quesdral::cli::internal
