#include "cli/tool.hpp"

#include <cstdlib>
#include <iostream>
#include <new>
#include <optional>
#include <utility>

#include "cli/arguments.hpp"
#include "cli/number_format.hpp"
#include "cli/run.hpp"
#include "tool_catalogue.hpp"

namespace quesdral::cli {
namespace {

// "[REFERENCE=1|SPL|dBu|dBV]": the default, then the names the value may be given by.
std::string bracketed_default(const Input& input) {
  std::string text = std::string("[") + input.name;
  if (input.default_value)
    text += "=" + format_short(*input.default_value);
  for (const NamedValue& named : input.named_values)
    text += std::string("|") + named.name;
  return text + "]";
}

}  // namespace

using internal::Run;

Tool& Tool::check_across(std::size_t mended_by, CrossCheckFn check) {
  cross_checks.push_back({mended_by, std::move(check)});
  return *this;
}

Tool catalogued_tool(const char* command) {
  Tool tool;
  tool.command = command;
  if (const ToolEntry* entry = find_command(command)) {
    tool.label = entry->label;
    tool.description = entry->description;
  }
  return tool;
}

std::vector<ToolOption> all_options(const Tool& tool) {
  std::vector<ToolOption> options = tool.options;
  const std::vector<std::string> tables = csv_tables(tool.output);
  if (tables.size() > 1) {
    std::string help = "csv table: " + tables[0] + " (default)";
    for (std::size_t i = 1; i < tables.size(); ++i)
      help += (i + 1 == tables.size() ? " or " : ", ") + tables[i];
    options.push_back({kTableOption, "NAME", tables, std::move(help)});
  }
  return options;
}

std::string usage_line(const Tool& tool) {
  std::string line = std::string("usage: ") + tool.command;
  for (const Input& input : tool.inputs) {
    line += ' ';
    line += input.optional() ? bracketed_default(input) : std::string(input.name);
  }
  return line;
}

namespace {

// Says that memory ran out, without asking for more: a text to an unbuffered stream.
int out_of_memory(const char* command, std::ostream& err) {
  err << command << ": not enough memory\n";
  err.flush();
  return kExitOutputFailed;
}

const char* read_variable(const char* name) {
  return std::getenv(name);
}

int run_parsed(const Tool& tool, const std::vector<std::string>& args, std::istream& in,
               std::ostream& out, std::ostream& err) {
  const std::vector<ToolOption> options = all_options(tool);
  Arguments parsed = parse_arguments(args, options);
  // Read only when the tool computes, so that --help never depends on the environment.
  std::string environment_problem;
  if (!parsed.help && !parsed.version && parsed.error.empty())
    environment_problem = take_environment(tool.variables, options, parsed, read_variable);
  Run run(tool, in, out, err, parsed);
  if (parsed.help)
    return run.help();
  if (parsed.version)
    return run.version();
  if (!parsed.error.empty())
    return run.usage_error(parsed.error);
  if (!environment_problem.empty())
    return run.refuse(environment_problem);
  if (const auto problem = run.target_problem(parsed.batch))
    return run.refuse(*problem);
  if (parsed.batch) {
    if (!parsed.values.empty())
      return run.usage_error("--batch reads its cases from standard input, not from arguments");
    return run.in_batch();
  }
  return parsed.values.empty() ? run.interactively() : run.with_arguments(parsed.values);
}

// The program's name as it was started, without its folder: the command a user typed.
const char* program_name(int argc, char** argv) {
  if (argc < 1 || argv[0] == nullptr)
    return "quesdral-tools";
  const char* name = argv[0];
  for (const char* c = argv[0]; *c != '\0'; ++c) {
    if (*c == '/' || *c == '\\')
      name = c + 1;
  }
  return name;
}

}  // namespace

// Memory runs out only where a case asks for much of it (a long listing, its text and its
// json); the run ends there as it ends when results cannot be written, never by abort.
int run_tool(const Tool& tool, const std::vector<std::string>& args, std::istream& in,
             std::ostream& out, std::ostream& err) {
  try {
    return run_parsed(tool, args, in, out, err);
  } catch (const std::bad_alloc&) {
    return out_of_memory(tool.command, err);
  }
}

int run_tool(const Tool& tool, int argc, char** argv) {
  // A reader that closes the pipe early ends the tool by SIGPIPE where there is one, quietly
  // and with a status that is not 0, as the standard utilities end; elsewhere the failed
  // write does.
  try {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    return run_tool(tool, args, std::cin, std::cout, std::cerr);
  } catch (const std::bad_alloc&) {
    return out_of_memory(tool.command, std::cerr);
  }
}

int run_tool(MakeTool make_tool, int argc, char** argv) {
  std::optional<Tool> tool;
  try {
    tool.emplace(make_tool());
  } catch (const std::bad_alloc&) {
    return out_of_memory(program_name(argc, argv), std::cerr);
  }
  return run_tool(*tool, argc, argv);
}

}  // namespace quesdral::cli
