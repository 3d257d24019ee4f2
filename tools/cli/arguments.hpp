// What a tool's command line asks for: the common options and the values.
//
// An argument that starts with '-' followed by a digit or a point is a number (-3, -.5);
// "--" ends the options, so every argument after it is a value; any other argument that
// starts with '-' is an option, and one not listed here is unknown.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "cli/input.hpp"

namespace quesdral::cli {

enum class Format { kText, kCsv, kJson };

struct Arguments {
  bool help = false;              // -h, --help
  bool version = false;           // --version
  bool batch = false;             // --batch: one case per line of standard input
  Format format = Format::kText;  // --format text|csv|json, or --format=...
  std::vector<std::pair<std::string, std::string>> tool_options;  // name, value ("" for a flag)
  std::vector<std::string> values;
  std::string error;  // why the command line cannot be used; empty when it can
};

// Reads argv[1...], knowing the options of the tool's own (a value is given as the next
// argument or after '='). Help and version win over everything else on the line, as a user
// who asks for them wants them whatever else was typed.
Arguments parse_arguments(const std::vector<std::string>& args,
                          const std::vector<ToolOption>& tool_options = {});

// Puts before the options given the defaults that `variables` set, so that an option given
// wins: a flag that its variable turns on, an option's value. A variable that is unset or
// empty sets nothing. Returns why a variable's value cannot be used ("QUESDRAL_MIDDLE_C must
// be C3 or C4, not 'C5'"), whether or not its option is given, so that a bad value never
// goes unnoticed; otherwise an empty text. `lookup` reads a variable, as std::getenv does.
// REQUIRES: every variable's option is one of `tool_options`.
std::string take_environment(const std::vector<OptionVariable>& variables,
                             const std::vector<ToolOption>& tool_options, Arguments& parsed,
                             const char* (*lookup)(const char* name));

}  // namespace quesdral::cli
