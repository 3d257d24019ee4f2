// The run of one tool (arguments, batches, the questions, help and what the modes share),
// implemented in run.cpp and started by run_tool. Not part of the cli library's interface:
// include cli/tool.hpp.
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.hpp"
#include "cli/report_format.hpp"
#include "cli/tool.hpp"
#include "cli/typed_input.hpp"

namespace quesdral::cli::internal {

// A refusal of the values as they stand, and the input whose new value can mend it.
struct Problem {
  std::string reason;
  std::size_t mended_by;
};

// One run of a tool. Values are kept one per input, in argument order. Questions and the
// heading go to the error stream, so the output stream holds only results.
class Run {
 public:
  Run(const Tool& tool, std::istream& in, std::ostream& out, std::ostream& err,
      const Arguments& arguments)
      : tool_(tool),
        in_(in),
        out_(out),
        err_(err),
        values_(tool.inputs.size()),
        writer_(tool, arguments.format, table_option(arguments)) {
    for (const auto& [name, value] : arguments.tool_options)
      values_.set_option(name, value);
  }

  int with_arguments(const std::vector<std::string>& args);
  int in_batch();
  int interactively();
  int help();
  int version();
  int usage_error(const std::string& reason);
  // Why the options of --wav or --svg cannot be used, before any case is computed: a value
  // refused, or (outside a batch, whose files are numbered) a file that cannot be written.
  std::optional<std::string> target_problem(bool batch) const;
  int refuse(const std::string& reason) {
    report(reason);
    return kExitInvalid;
  }

 private:
  // Argument mode, and each line of a batch.
  bool compute_case(const std::vector<std::string>& args);
  std::optional<std::string> argument_problem(const std::vector<std::string>& args) const;
  bool take_argument(std::size_t index, const std::string* arg);

  // Interactive mode.
  bool ask(std::size_t index);
  bool answer(std::size_t index, const Line& line, const std::optional<double>& fallback);
  int end_of_input(std::size_t first);
  int end_while_mending(Problem problem);

  // Both modes.
  std::optional<double> default_for(std::size_t index) const;
  void set_value(std::size_t index, double value, std::string_view name = {},
                 std::optional<double> note = std::nullopt) {
    values_[index] = value;
    values_.set_name(index, name);
    values_.set_note(index, note);
    values_.set_left_out(index, false);
  }
  // Leaves out input `index` when it has no default (`fallback`) and may be skipped: it
  // then has no value. True when it was left out.
  bool skip_without_default(std::size_t index, const std::optional<double>& fallback) {
    if (fallback || !tool_.inputs[index].skippable)
      return false;
    set_value(index, 0.0);
    values_.set_left_out(index, true);
    return true;
  }
  // Sets input `index` from a value typed for it, reporting why it is refused, if it is.
  // A note whose value reads a later input is checked once every value is known.
  bool take_typed(std::size_t index, const TypedValue& typed);
  // The value of the note input `index` was given as, or why it cannot be used.
  std::optional<std::string> read_note(std::size_t index);
  std::optional<std::string> own_problem(std::size_t index, double value) const;
  // The cross checks in order, then the computation: the first refusal, or the results.
  std::optional<Problem> evaluate();
  void report(const std::string& reason) {
    err_ << tool_.command << ": " << where_ << reason << '\n';
    last_reason_ = reason;
  }
  static std::string table_option(const Arguments& arguments) {
    for (const auto& [name, value] : arguments.tool_options) {
      if (name == kTableOption)
        return value;
    }
    return {};
  }
  bool write_results(const std::string& error = {});
  // The files of the case just computed (run_rendering.cpp): made in memory, then written.
  std::optional<Problem> render_files();
  bool write_rendered_files();
  bool flush_output();
  int finish();

  const Tool& tool_;
  std::istream& in_;
  std::ostream& out_;
  std::ostream& err_;
  Values values_;
  Outcome outcome_;  // set by evaluate() when it finds no problem
  ReportWriter writer_;
  std::size_t line_number_ = 0;       // the line of input a batch computes, else 0
  std::string where_;                 // "line 3: " while a batch computes its third line
  std::optional<std::string> typed_;  // the case's values as typed; nothing when asked
  std::string last_reason_;           // the last refusal reported, for a batch line's record
  struct RenderedFile {
    std::string path;
    const char* what;
    std::string bytes;
  };
  std::vector<RenderedFile> rendered_;  // by render_files(), for write_rendered_files()
};

}  // namespace quesdral::cli::internal
