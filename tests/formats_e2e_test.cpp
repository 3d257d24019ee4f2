// Every tool's machine-readable output, checked against its text output: json that a real
// parser reads and whose numbers are the ones the text shows, csv with a header and rows of
// equal width, batches with one result per line, and --version.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

#include "catalogue_rows.hpp"
#include "run_program.hpp"

namespace quesdral::testing {
namespace {

// What each tool is run with, by command; the tools run are the catalogue's rows.
struct ToolRun {
  const char* command;
  std::vector<std::string> args;
};

const ToolRun kRuns[] = {
    {"vorlix.exe", {"0.5"}},
    {"truska.exe", {"-6"}},
    {"quilbern.exe", {"16384"}},
    {"noskarte.exe", {"-6"}},
    {"pelundA.exe", {"0.01"}},
    {"zorivek.exe", {"90"}},
    {"fenzo.exe", {"90", "1", "2"}},
    {"braskel.exe", {"440"}},
    {"tolveni.exe", {"69"}},
    {"lipra.exe", {"100", "3"}},
    {"quav.exe", {"1000", "100"}},
    {"zirr.exe", {"100", "100", "2", "3"}},
    {"rumbeldv.exe", {"12"}},
    {"hopri.exe", {"440", "442"}},
    {"salduven.exe", {"100", "200"}},
    {"wirn.exe", {"10"}},
    {"grendax.exe", {"440", "10", "0"}},
    {"yombric.exe", {"5", "4", "3", "60"}},
};

std::vector<std::string> with(std::vector<std::string> args, std::vector<std::string> more) {
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::vector<std::string> lines_of(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, stop; (stop = text.find(end, start)) != std::string::npos;
       start = stop + end.size()) {
    lines.push_back(text.substr(start, stop - start));
  }
  return lines;
}

// The fields of one csv record whose quoted fields hold no line breaks.
std::size_t csv_width(const std::string& record) {
  std::size_t fields = 1;
  bool quoted = false;
  for (char c : record) {
    if (c == '"')
      quoted = !quoted;
    if (c == ',' && !quoted)
      ++fields;
  }
  return fields;
}

// How the text output shows a number that json writes in full: six significant digits, or
// exactly when it is whole (counts, table indices).
std::string as_text(const std::string& json_number) {
  const double value = std::strtod(json_number.c_str(), nullptr);
  if (json_number.find_first_of(".eE") == std::string::npos)
    return json_number;
  char buffer[64];
  const int exponent = value == 0 ? 0 : static_cast<int>(std::floor(std::log10(std::fabs(value))));
  if (exponent < -4 || exponent >= 6) {
    std::snprintf(buffer, sizeof buffer, "%.5e", value);
  } else {
    std::snprintf(buffer, sizeof buffer, "%.*f", 5 - exponent, value);
  }
  return buffer;
}

// Results that add or multiply the typed values, next to a tie of six-digit rounding, where
// the double nearest the result lies across the tie from it. Each text is the exact result
// on the parsed values (Python's decimal module, 40 digits, in the comments) so rounded.
TEST(Formats, SumsAndProductsOfTypedValuesShowTheirExactDigits) {
  struct Case {
    const char* command;
    std::vector<std::string> args;
    const char* line;
  };
  const Case cases[] = {
      {"quav.exe", {"1000", "0.005"}, "Upper sideband: 1000.01 Hz\n"},  // 1000.005000...0104
      {"zirr.exe", {"440", "0.0005"}, "-1         439.999"},            // 439.99949999999999999999
      {"zirr.exe", {"440", "0.0005"}, "+1         440.001"},            // 440.00050000000000000001
      {"hopri.exe", {"440.0005", "0.001"}, "Beat frequency: 439.999 Hz\n"},  // 439.999499999999988
      {"salduven.exe",
       {"1000", "2000.01"},
       "Arithmetic mean: 1500.00 Hz\n"},                                 // 1500.00499999999999545
      {"lipra.exe", {"0.1234565", "3"}, "3         2        0.370369"},  // 0.37036949999999999039
      {"truska.exe", {"20", "1.000005"}, "Amplitude: 10.0001\n"},        // 10.0000500000000003276
      {"zorivek.exe", {"10", "8.000005"}, "Power: 80.0000 W\n"},         // 80.0000499999999981071
      {"yombric.exe", {"0.61319", "25", "18", "1", "20", "1"}, "Volume: 275.936 m^3\n"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = run_with_args(c.command, c.args);
    EXPECT_NE(run.out.find(c.line), std::string::npos) << c.command << "\n" << run.out;
  }
}

TEST(Formats, EveryToolIsCovered) {
  EXPECT_EQ(entries_for_every_row(kRuns).size(), kToolCount);
}

TEST(Formats, JsonIsOneObjectThatARealParserReads) {
  if (std::string(QUESDRAL_JQ).empty())
    GTEST_SKIP() << "jq is not installed (Debian: jq)";
  for (const ToolRun* tool : entries_for_every_row(kRuns)) {
    SCOPED_TRACE(tool->command);
    ProgramOptions parse;
    parse.args = {"-e", "type == \"object\""};
    parse.input = run_with_args(tool->command, with(tool->args, {"--format", "json"})).out;
    EXPECT_EQ(run_program(QUESDRAL_JQ, parse).exit_code, 0) << parse.input;
  }
}

// The json of a case without the fields it begins with (line, input, then one per input
// the usage line names, two for an input that may be given by name), which the text does not
// repeat.
std::string results_of(const char* command, const std::string& json) {
  const std::string help = run_with_args(command, {"--help"}).out;
  const std::string usage = help.substr(0, help.find('\n'));
  std::size_t leading = 2;
  for (std::size_t at = usage.find(' ', 7); at != std::string::npos; at = usage.find(' ', at + 1))
    leading += usage.find('|', at) < usage.find(' ', at + 1) ? 2u : 1u;
  std::size_t start = 0;
  for (std::size_t i = 0; i < leading; ++i)
    start = json.find(',', start) + 1;
  return json.substr(start);
}

TEST(Formats, JsonHoldsTheNumbersTheTextShows) {
  for (const ToolRun* tool : entries_for_every_row(kRuns)) {
    SCOPED_TRACE(tool->command);
    const ProgramRun text = run_with_args(tool->command, tool->args);
    const ProgramRun json = run_with_args(tool->command, with(tool->args, {"--format", "json"}));
    ASSERT_EQ(json.exit_code, 0) << json.err;
    ASSERT_EQ(lines_of(json.out, "\n").size(), 1u) << json.out;
    const std::string results = results_of(tool->command, json.out);
    // A note's MIDI number shows as its name in the tables; a band's centre, a preferred
    // number, shows as itself.
    const std::regex number(R"(\"([a-z0-9_]+)\":(-?[0-9][0-9.eE+-]*))");
    for (auto it = std::sregex_iterator(results.begin(), results.end(), number);
         it != std::sregex_iterator(); ++it) {
      if ((*it)[1] == "midi")
        continue;
      const std::string shown = (*it)[1] == "band_hz" ? (*it)[2].str() : as_text((*it)[2]);
      EXPECT_NE(text.out.find(shown), std::string::npos) << shown << " in\n" << text.out;
    }
  }
}

TEST(Formats, CsvHasAHeaderAndRowsOfEqualWidth) {
  for (const ToolRun* tool : entries_for_every_row(kRuns)) {
    SCOPED_TRACE(tool->command);
    const ProgramRun csv = run_with_args(tool->command, with(tool->args, {"--format=csv"}));
    ASSERT_EQ(csv.exit_code, 0) << csv.err;
    const std::vector<std::string> records = lines_of(csv.out, "\r\n");
    ASSERT_GE(records.size(), 2u) << csv.out;
    EXPECT_EQ(records[0].find_first_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ ("), std::string::npos)
        << records[0];
    for (const std::string& record : records)
      EXPECT_EQ(csv_width(record), csv_width(records[0])) << record;
  }
}

TEST(Formats, BatchGivesOneResultPerLineAndVersionOneLine) {
  for (const ToolRun* tool : entries_for_every_row(kRuns)) {
    SCOPED_TRACE(tool->command);
    std::string line;
    for (const std::string& arg : tool->args)
      line += arg + " ";
    ProgramOptions batch;
    batch.args = {"--batch", "--format", "json"};
    batch.input = line + "\n\n" + line + "\n";
    const ProgramRun run = run_program(program_path(tool->command), batch);
    EXPECT_EQ(run.exit_code, 0) << run.err;
    EXPECT_EQ(lines_of(run.out, "\n").size(), 2u) << run.out;

    const ProgramRun version = run_with_args(tool->command, {"--version"});
    EXPECT_EQ(version.exit_code, 0);
    EXPECT_EQ(version.out.rfind(std::string(tool->command) + " (Quesdral) ", 0), 0u);
    EXPECT_EQ(lines_of(version.out, "\n").size(), 1u);
  }
}

}  // namespace
}  // namespace quesdral::testing
