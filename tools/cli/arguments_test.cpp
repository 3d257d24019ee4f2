#include "cli/arguments.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quesdral::cli {
namespace {

TEST(ParseArguments, SeparatesOptionsFromValues) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> values;
    Format format;
    bool batch;
    const char* error;
  };
  const Case cases[] = {
      {{"0.5", "2"}, {"0.5", "2"}, Format::kText, false, ""},
      // A minus sign before a digit or a point starts a number, not an option.
      {{"-3", "-.5"}, {"-3", "-.5"}, Format::kText, false, ""},
      {{"--", "-x", "--batch"}, {"-x", "--batch"}, Format::kText, false, ""},
      {{"--format", "csv", "1"}, {"1"}, Format::kCsv, false, ""},
      {{"1", "--format=json"}, {"1"}, Format::kJson, false, ""},
      {{"--batch", "--format=text"}, {}, Format::kText, true, ""},
      {{"-"}, {}, Format::kText, false, "unknown option '-'"},
      {{"1", "-x", "--y"}, {"1"}, Format::kText, false, "unknown option '-x'"},
      {{"--format"}, {}, Format::kText, false, "--format needs a value: text, csv or json"},
      {{"--format=xml"}, {}, Format::kText, false, "unknown format 'xml'; use text, csv or json"},
      {{"--format", "--help"}, {}, Format::kText, false, "unknown format '--help'"},
  };
  for (const Case& c : cases) {
    const Arguments parsed = parse_arguments(c.args);
    SCOPED_TRACE(c.args.empty() ? "" : c.args.front());
    EXPECT_EQ(parsed.values, c.values);
    EXPECT_EQ(parsed.format, c.format);
    EXPECT_EQ(parsed.batch, c.batch);
    EXPECT_EQ(parsed.error.rfind(c.error, 0), 0u) << parsed.error;
    EXPECT_EQ(parsed.error.empty(), *c.error == '\0');
  }
}

TEST(ParseArguments, ReadsTheToolsOwnOptions) {
  const std::vector<ToolOption> own = {{"--flats", "", {}, ""},
                                       {"--middle-c", "C3|C4", {"C3", "C4"}, ""}};
  struct Case {
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> options;
    const char* error;
  };
  const Case cases[] = {
      {{"440", "--flats"}, {{"--flats", ""}}, ""},
      {{"--middle-c", "C3", "60"}, {{"--middle-c", "C3"}}, ""},
      {{"--middle-c=C4"}, {{"--middle-c", "C4"}}, ""},
      {{"--middle-c", "C5"}, {}, "--middle-c takes C3 or C4, not 'C5'"},
      {{"--middle-c"}, {}, "--middle-c needs a value"},
      {{"--flats=yes"}, {}, "unknown option '--flats=yes'"},
      {{"--middle-cC3"}, {}, "unknown option '--middle-cC3'"},
  };
  for (const Case& c : cases) {
    const Arguments parsed = parse_arguments(c.args, own);
    SCOPED_TRACE(c.args.front());
    EXPECT_EQ(parsed.tool_options, c.options);
    EXPECT_EQ(parsed.error, c.error);
  }
  EXPECT_EQ(parse_arguments({"--flats"}).error, "unknown option '--flats'");
}

// The environment a case of TakeEnvironment sees: name=value pairs.
std::vector<std::pair<std::string, std::string>> fake_environment;

const char* fake_lookup(const char* name) {
  for (const auto& [variable, value] : fake_environment) {
    if (variable == name)
      return value.c_str();
  }
  return nullptr;
}

// Defaults from the environment come before the options given, which therefore win.
TEST(TakeEnvironment, SetsDefaultsTheOptionsGivenOverride) {
  const std::vector<ToolOption> own = {{"--flats", "", {}, ""},
                                       {"--middle-c", "C3|C4", {"C3", "C4"}, ""}};
  const std::vector<OptionVariable> variables = {{"NOTE_NAMES", "--flats", {"sharps", "flats"}},
                                                 {"MIDDLE_C", "--middle-c", {"C3", "C4"}}};
  struct Case {
    std::vector<std::pair<std::string, std::string>> environment;
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> options;
    const char* error;
  };
  const Case cases[] = {
      {{{"NOTE_NAMES", "flats"}, {"MIDDLE_C", "C3"}},
       {"60"},
       {{"--flats", ""}, {"--middle-c", "C3"}},
       ""},
      {{{"NOTE_NAMES", "sharps"}, {"MIDDLE_C", ""}}, {"60"}, {}, ""},
      {{{"MIDDLE_C", "C3"}},
       {"--middle-c", "C4", "60"},
       {{"--middle-c", "C3"}, {"--middle-c", "C4"}},
       ""},
      // A bad value is reported even when the option given would override it.
      {{{"MIDDLE_C", "C5"}}, {"--middle-c", "C3"}, {}, "MIDDLE_C must be C3 or C4, not 'C5'"},
      {{{"NOTE_NAMES", "flat"}}, {"60"}, {}, "NOTE_NAMES must be sharps or flats, not 'flat'"},
  };
  for (const Case& c : cases) {
    fake_environment = c.environment;
    Arguments parsed = parse_arguments(c.args, own);
    SCOPED_TRACE(c.args.front());
    EXPECT_EQ(take_environment(variables, own, parsed, fake_lookup), c.error);
    if (*c.error == '\0') {
      EXPECT_EQ(parsed.tool_options, c.options);
    }
  }
}

TEST(ParseArguments, HelpAndVersionWinOverMistakes) {
  EXPECT_TRUE(parse_arguments({"-x", "1", "-h"}).help);
  EXPECT_EQ(parse_arguments({"-x", "--help"}).error, "");
  EXPECT_TRUE(parse_arguments({"--format=xml", "--version"}).version);
  // After "--" they are values like any other.
  const Arguments after_end = parse_arguments({"--", "--help"});
  EXPECT_FALSE(after_end.help);
  EXPECT_EQ(after_end.values, std::vector<std::string>{"--help"});
}

}  // namespace
}  // namespace quesdral::cli
