// A tool's definition and its whole run: values from the arguments or from questions,
// --help, error messages and exit statuses, so that all tools behave alike.
//
// A tool describes itself (its Inputs, the checks that involve several of them, and a
// compute function) and its main is one call: `return run_tool(vorlix_tool(), argc, argv);`.
// The run decides the rest: the usage line, the questions with their defaults, asking again
// after a bad answer, and what happens when input ends.
//
// Error texts are phrases without the command name ("amplitude must not be 0"); the run
// prefixes "<command>: " when it prints them.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "cli/input.hpp"
#include "cli/rendering.hpp"
#include "cli/results.hpp"
#include "cli/schema.hpp"

namespace quesdral::cli {

// Exit statuses of every tool.
constexpr int kExitOk = 0;
constexpr int kExitInputEnded = 1;    // standard input ended before all values were given
constexpr int kExitInvalid = 2;       // invalid arguments, or a refused value in argument mode
constexpr int kExitOutputFailed = 3;  // the results could not be written, or memory ran out

// The reason a combination of values is refused, or nothing.
using CrossCheckFn = std::function<std::optional<std::string>(const Values& values)>;
using ComputeFn = std::function<Outcome(const Values& values)>;

// A check of several values, made once all of them are known. `mended_by` is the input
// whose new value can always mend it: the question asked again in the interactive mode.
struct CrossCheck {
  std::size_t mended_by;
  CrossCheckFn check;
};

struct Tool {
  const char* command = "";      // "vorlix.exe": the program's name and the error prefix
  const char* label = "";        // "VORLIX"
  const char* description = "";  // "It converts raw amplitude to dBs"
  // For --help: what is computed and how (the formula in words), the defaults and one
  // example; several lines, the last ending with '\n'.
  const char* help = "";
  std::vector<Input> inputs;
  std::vector<ToolOption> options;        // options of this tool's own, beside the common ones
  std::vector<OptionVariable> variables;  // the environment's defaults of those options
  std::vector<CrossCheck> cross_checks;   // made in order, after each value's own checks
  // Computes from one value per input, once every check has passed. A refusal is reported
  // like a refused value: exit 2 with arguments; in the interactive mode the question that
  // Outcome::mended_by names (the last one by default) is asked again.
  ComputeFn compute;
  // The results csv and json write, beside the inputs: one fixed shape for every case.
  OutputSpec output;
  // Files the tool renders from a case when their options are given (--wav, --svg).
  std::vector<Rendering> renderings;

  Tool& check_across(std::size_t mended_by, CrossCheckFn check);
};

// A tool with the command, label and description of the launcher's catalogue row whose
// command is `command` ("vorlix.exe"); the tool finds its row by name, so the order of the
// rows is stated in the catalogue alone. For a command that no row has, the tool keeps
// `command` with an empty label and description.
// REQUIRES: command is a catalogue row's command.
Tool catalogued_tool(const char* command);

inline constexpr const char* kTableOption = "--table";

// The tool's own options, and --table NAME when csv can write more than one table.
std::vector<ToolOption> all_options(const Tool& tool);

// "usage: vorlix.exe AMPLITUDE [REFERENCE=1]" (a computed default shows as "[COUNT]").
std::string usage_line(const Tool& tool);

// The whole main of a tool: argument mode, interactive mode or help, on the process's
// standard streams. Returns the exit status.
int run_tool(const Tool& tool, int argc, char** argv);

// The same for the tool that make_tool defines, made here so that running out of memory
// while it is made is reported like running out during the run.
using MakeTool = Tool (*)();
int run_tool(MakeTool make_tool, int argc, char** argv);

// The same on explicit streams; args are argv[1...]. Never loops without reading input,
// bounds the length of an answer it keeps, and reports a failed write to `out` as
// kExitOutputFailed. Running out of memory is reported on `err` ("<command>: not enough
// memory") and ends the run with kExitOutputFailed too.
int run_tool(const Tool& tool, const std::vector<std::string>& args, std::istream& in,
             std::ostream& out, std::ostream& err);

}  // namespace quesdral::cli
