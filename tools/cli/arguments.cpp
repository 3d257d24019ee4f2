#include "cli/arguments.hpp"

#include <algorithm>
#include <optional>
#include <string_view>

#include "cli/number_parse.hpp"

namespace quesdral::cli {
namespace {

bool is_option(std::string_view arg) {
  if (arg.size() < 2 || arg[0] != '-')
    return arg == "-";
  return !((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.');
}

std::optional<Format> format_named(std::string_view name) {
  if (name == "text")
    return Format::kText;
  if (name == "csv")
    return Format::kCsv;
  if (name == "json")
    return Format::kJson;
  return std::nullopt;
}

// The value of option `name` at args[i], given as "--name=value" or as the next argument
// (advancing i); nothing when args[i] is not that option.
std::optional<std::string> value_of(std::string_view name, const std::vector<std::string>& args,
                                    std::size_t& i, std::string& error) {
  const std::string& arg = args[i];
  if (arg.size() > name.size() && arg.compare(0, name.size(), name) == 0 &&
      arg[name.size()] == '=') {
    return arg.substr(name.size() + 1);
  }
  if (arg != name)
    return std::nullopt;
  if (i + 1 == args.size()) {
    error = std::string(name) + " needs a value";
    return std::string();
  }
  return args[++i];
}

std::string quoted_choices(const std::vector<std::string>& choices) {
  std::string text;
  for (std::size_t i = 0; i < choices.size(); ++i)
    text += (i == 0 ? "" : i + 1 == choices.size() ? " or " : ", ") + choices[i];
  return text;
}

// Takes the tool's own option at args[i], if it is one. Returns whether it was, with the
// reason it cannot be used in `error`.
bool take_tool_option(const std::vector<std::string>& args, std::size_t& i,
                      const std::vector<ToolOption>& tool_options, Arguments& parsed,
                      std::string& error) {
  for (const ToolOption& option : tool_options) {
    if (*option.value_name == '\0') {
      if (args[i] != option.name)
        continue;
      parsed.tool_options.emplace_back(option.name, "");
      return true;
    }
    const std::optional<std::string> value = value_of(option.name, args, i, error);
    if (!value)
      continue;
    if (error.empty() && !option.choices.empty() &&
        std::find(option.choices.begin(), option.choices.end(), *value) == option.choices.end()) {
      error = std::string(option.name) + " takes " + quoted_choices(option.choices) + ", not " +
              quote(*value);
    }
    if (error.empty())
      parsed.tool_options.emplace_back(option.name, *value);
    return true;
  }
  return false;
}

// Takes the option at args[i], advancing i past a value given as the next argument. Returns
// why the option cannot be used, or an empty text.
std::string take_option(const std::vector<std::string>& args, std::size_t& i,
                        const std::vector<ToolOption>& tool_options, Arguments& parsed) {
  const std::string& arg = args[i];
  std::string error;
  if (take_tool_option(args, i, tool_options, parsed, error))
    return error;
  if (arg == "-h" || arg == "--help") {
    parsed.help = true;
  } else if (arg == "--version") {
    parsed.version = true;
  } else if (arg == "--batch") {
    parsed.batch = true;
  } else if (arg == "--format" || arg.rfind("--format=", 0) == 0) {
    const bool separate = arg == "--format";
    if (separate && i + 1 == args.size())
      return "--format needs a value: text, csv or json";
    const std::string name = separate ? args[++i] : arg.substr(9);
    const std::optional<Format> format = format_named(name);
    if (!format)
      return "unknown format " + quote(name) + "; use text, csv or json";
    parsed.format = *format;
  } else {
    return "unknown option " + quote(arg);
  }
  return {};
}

}  // namespace

Arguments parse_arguments(const std::vector<std::string>& args,
                          const std::vector<ToolOption>& tool_options) {
  Arguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (options_ended || !is_option(args[i])) {
      parsed.values.push_back(args[i]);
    } else if (args[i] == "--") {
      options_ended = true;
    } else if (std::string error = take_option(args, i, tool_options, parsed);
               parsed.error.empty()) {
      parsed.error = std::move(error);
    }
  }
  if (parsed.help || parsed.version)
    parsed.error.clear();
  return parsed;
}

std::string take_environment(const std::vector<OptionVariable>& variables,
                             const std::vector<ToolOption>& tool_options, Arguments& parsed,
                             const char* (*lookup)(const char* name)) {
  std::vector<std::pair<std::string, std::string>> defaults;
  for (const OptionVariable& variable : variables) {
    const std::string_view name = variable.option;
    const char* value = lookup(variable.variable);
    if (value == nullptr || *value == '\0')
      continue;
    const auto& allowed = variable.values;
    const auto found = std::find(allowed.begin(), allowed.end(), value);
    if (found == allowed.end()) {
      return std::string(variable.variable) + " must be " + quoted_choices(allowed) + ", not " +
             quote(value);
    }
    const bool flag = std::any_of(tool_options.begin(), tool_options.end(), [name](const auto& o) {
      return o.name == name && *o.value_name == '\0';
    });
    if (!flag)
      defaults.emplace_back(variable.option, *found);
    else if (found != allowed.begin())
      defaults.emplace_back(variable.option, "");
  }
  parsed.tool_options.insert(parsed.tool_options.begin(), defaults.begin(), defaults.end());
  return {};
}

}  // namespace quesdral::cli
