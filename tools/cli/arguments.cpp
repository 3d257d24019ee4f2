#include "cli/arguments.hpp"

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

// Takes the option at args[i], advancing i past a value given as the next argument. Returns
// why the option cannot be used, or an empty text.
std::string take_option(const std::vector<std::string>& args, std::size_t& i, Arguments& parsed) {
  const std::string& arg = args[i];
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

Arguments parse_arguments(const std::vector<std::string>& args) {
  Arguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (options_ended || !is_option(args[i])) {
      parsed.values.push_back(args[i]);
    } else if (args[i] == "--") {
      options_ended = true;
    } else if (std::string error = take_option(args, i, parsed); parsed.error.empty()) {
      parsed.error = std::move(error);
    }
  }
  if (parsed.help || parsed.version)
    parsed.error.clear();
  return parsed;
}

}  // namespace quesdral::cli
