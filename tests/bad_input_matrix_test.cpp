// Hostile input against every program of the suite: each tool and the launcher meets the
// same table of inputs a careless user or a broken script may send (nothing at all, blank
// lines, a megabyte on one line, NUL bytes, bytes above 127, nan, inf, 1e400, -0, too many
// arguments, a closed standard input, standard output to a pipe nobody reads). A tool must
// end with the status the input calls for, say on stderr what is wrong, and never show a
// result it did not compute, nor nan, inf or a negative zero. The launcher must run nothing
// for input that selects nothing, and still end with status 0.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cctype>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "catalogue_rows.hpp"
#include "run_program.hpp"

namespace quesdral::testing {
namespace {

// What each tool is run with, by command; the tools run are the catalogue's rows.
struct ToolRow {
  const char* command;
  std::vector<std::string> valid_args;  // a run that succeeds and prints a result
  int negative_zero_args_status;        // "-0" in place of the first valid argument
  int negative_zero_answer_status;      // "-0" as the only answer, then end of input
};

// Where -0 is a fine first value (a level of 0 dB, MIDI note 0, ...) the run succeeds; where
// the value must be above 0 or non-zero it is refused like 0.
const ToolRow kToolInputs[] = {
    {"vorlix.exe", {"0.5"}, 2, 1},
    {"truska.exe", {"-6"}, 0, 0},
    {"quilbern.exe", {"16384"}, 2, 1},
    {"noskarte.exe", {"-6"}, 0, 0},
    {"pelundA.exe", {"0.01"}, 2, 1},
    {"zorivek.exe", {"90"}, 0, 0},
    {"fenzo.exe", {"90", "1", "2"}, 0, 1},
    {"braskel.exe", {"440"}, 2, 1},
    {"tolveni.exe", {"69"}, 0, 0},
    {"lipra.exe", {"100"}, 2, 1},
    {"quav.exe", {"1000", "100"}, 2, 1},
    {"zirr.exe", {"1000", "100"}, 2, 1},
    {"rumbeldv.exe", {"12"}, 2, 1},
    {"hopri.exe", {"440", "442"}, 2, 1},
    {"salduven.exe", {"100", "200"}, 2, 1},
    {"wirn.exe", {"10"}, 2, 1},
    {"grendax.exe", {"440", "10", "0"}, 2, 1},
    {"yombric.exe", {"5", "4", "3"}, 2, 1},
};

enum class Expect {
  kInputEnded,          // status 1
  kInvalid,             // status 2
  kNegativeZeroArgs,    // the row's negative_zero_args_status
  kNegativeZeroAnswer,  // the row's negative_zero_answer_status
  kOutputFailed,        // death by SIGPIPE, or a non-zero status and a reason on stderr
};

using OptionsFn = ProgramOptions (*)(const ToolRow&);

struct HostileCase {
  const char* name;
  OptionsFn options;
  Expect expect;
};

void PrintTo(const HostileCase& hostile, std::ostream* os) {
  *os << hostile.name;
}

ProgramOptions answers(std::string input) {
  ProgramOptions options;
  options.input = std::move(input);
  return options;
}

ProgramOptions first_argument(const ToolRow& row, std::string first) {
  ProgramOptions options;
  options.args = row.valid_args;
  options.args[0] = std::move(first);
  return options;
}

const std::string kMegabyteOfDigits(std::size_t{1} << 20, '7');

const HostileCase kCases[] = {
    {"EmptyInput", [](const ToolRow&) { return answers(""); }, Expect::kInputEnded},
    {"OnlyBlankLines", [](const ToolRow&) { return answers("\n \n\t\n\r\n  \t \n"); },
     Expect::kInputEnded},
    {"MegabyteLine", [](const ToolRow&) { return answers(kMegabyteOfDigits + "\n"); },
     Expect::kInputEnded},
    {"NulBytes",
     [](const ToolRow&) {
       return answers(
           std::string("\0\0"
                       "5\0\n\0",
                       6));
     },
     Expect::kInputEnded},
    {"BytesAbove127", [](const ToolRow&) { return answers("\xc3\xa9\xff\x80 5\n\xfe\n"); },
     Expect::kInputEnded},
    {"NanAnswer", [](const ToolRow&) { return answers("nan\nNaN\n"); }, Expect::kInputEnded},
    {"InfAnswer", [](const ToolRow&) { return answers("inf\n-infinity\n"); }, Expect::kInputEnded},
    {"OverflowAnswer", [](const ToolRow&) { return answers("1e400\n-1e400\n"); },
     Expect::kInputEnded},
    {"NegativeZeroAnswer", [](const ToolRow&) { return answers("-0\n"); },
     Expect::kNegativeZeroAnswer},
    {"NanArgument", [](const ToolRow& row) { return first_argument(row, "nan"); },
     Expect::kInvalid},
    {"InfArgument", [](const ToolRow& row) { return first_argument(row, "inf"); },
     Expect::kInvalid},
    {"OverflowArgument", [](const ToolRow& row) { return first_argument(row, "1e400"); },
     Expect::kInvalid},
    {"BytesAbove127Argument", [](const ToolRow& row) { return first_argument(row, "\xff\xfe"); },
     Expect::kInvalid},
    {"LongArgument",
     [](const ToolRow& row) { return first_argument(row, kMegabyteOfDigits.substr(0, 100000)); },
     Expect::kInvalid},
    {"NegativeZeroArgument", [](const ToolRow& row) { return first_argument(row, "-0"); },
     Expect::kNegativeZeroArgs},
    {"TooManyArguments",
     [](const ToolRow&) {
       ProgramOptions options;
       options.args.assign(7, "1");  // one more than the most any tool takes
       return options;
     },
     Expect::kInvalid},
    {"ClosedStdin",
     [](const ToolRow&) {
       ProgramOptions options;
       options.stdin_closed = true;
       return options;
     },
     Expect::kInputEnded},
    {"StdoutToClosedPipe",
     [](const ToolRow& row) {
       ProgramOptions options;
       options.args = row.valid_args;
       options.stdout_closed_pipe = true;
       return options;
     },
     Expect::kOutputFailed},
};

bool is_letter(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// A word "nan" or "inf" in any case, as a non-finite double prints; "infinity" in a sentence
// is a word of its own and passes.
bool shows_non_finite(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    if (!is_letter(text[i])) {
      ++i;
      continue;
    }
    std::string word;
    for (; i < text.size() && is_letter(text[i]); ++i)
      word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
    if (word == "nan" || word == "inf")
      return true;
  }
  return false;
}

bool is_number_char(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '.';
}

// "-0", "-0.00000" or "-0e+00" standing alone: a zero shown with a sign.
bool shows_negative_zero(const std::string& text) {
  for (std::size_t at = text.find("-0"); at != std::string::npos; at = text.find("-0", at + 1)) {
    if (at > 0 && is_number_char(text[at - 1]))
      continue;
    std::size_t end = at + 2;
    while (end < text.size() && (text[end] == '0' || text[end] == '.'))
      ++end;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
      end = text.find_first_not_of("+-0123456789", end + 1);
      end = end == std::string::npos ? text.size() : end;
    }
    const bool zero = text.find_first_of("123456789", at) >= end;
    if (zero && (end == text.size() || !is_number_char(text[end])))
      return true;
  }
  return false;
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  if (start < text.size())
    lines.push_back(text.substr(start));
  return lines;
}

// Standard output holds only results, in the interactive mode as with arguments.
bool holds_a_result(const std::string& out) {
  return out.find_first_not_of('\n') != std::string::npos;
}

bool ends_with_question(const std::string& text) {
  return text.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, ": ") == 0);
}

// Every line on stderr names the tool and says what is wrong, or is the usage line. In the
// interactive mode stderr also holds the title, then the questions: a reason follows the
// question it answers on the same line, since the answers are not echoed.
void expect_reasons_on_stderr(const std::string& command, const std::string& err,
                              bool interactive) {
  ASSERT_NE(err.find(command + ": "), std::string::npos) << "no reason given:\n" << err;
  const std::vector<std::string> lines = lines_of(err);
  for (std::size_t i = interactive ? 1 : 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    const std::size_t named = line.find(command + ": ");
    const std::string questions = line.substr(0, named);
    const bool reason = named != std::string::npos && line.size() > named + command.size() + 2;
    const bool usage = line.rfind("usage: " + command, 0) == 0;
    EXPECT_TRUE(usage || (ends_with_question(questions) && (reason || interactive))) << line;
  }
}

int expected_status(const ToolRow& row, Expect expect) {
  switch (expect) {
    case Expect::kInputEnded:
      return 1;
    case Expect::kInvalid:
      return 2;
    case Expect::kNegativeZeroArgs:
      return row.negative_zero_args_status;
    case Expect::kNegativeZeroAnswer:
      return row.negative_zero_answer_status;
    case Expect::kOutputFailed:
      break;
  }
  return -1;
}

bool is_built(const std::string& path) {
  return access(path.c_str(), X_OK) == 0;
}

class ToolHostileInput : public ::testing::TestWithParam<std::tuple<const char*, HostileCase>> {};

TEST_P(ToolHostileInput, EndsCleanlyWithoutAResult) {
  const auto& [command, hostile] = GetParam();
  const ToolRow* found = find_entry(kToolInputs, command);
  ASSERT_NE(found, nullptr) << "kToolInputs has no entry for " << command;
  const ToolRow& row = *found;
  const std::string path = program_path(row.command);
  ASSERT_TRUE(is_built(path)) << row.command << " was not built";
  const ProgramOptions options = hostile.options(row);
  const bool interactive = options.args.empty();
  const ProgramRun run = run_program(path, options);
  ASSERT_FALSE(run.timed_out);
  EXPECT_FALSE(shows_non_finite(run.out)) << run.out;
  EXPECT_FALSE(shows_negative_zero(run.out)) << run.out;

  if (hostile.expect == Expect::kOutputFailed) {
    // The conventional death of a console program writing to a closed pipe: quiet, and
    // never a success.
    EXPECT_EQ(run.signal, SIGPIPE) << "status " << run.exit_code << "\n" << run.err;
    EXPECT_EQ(run.err.find("cannot write"), std::string::npos) << run.err;
    return;
  }
  EXPECT_EQ(run.signal, 0);
  const int status = expected_status(row, hostile.expect);
  ASSERT_EQ(run.exit_code, status) << "stdout:\n" << run.out << "stderr:\n" << run.err;
  if (status == 0) {
    EXPECT_TRUE(holds_a_result(run.out)) << run.out;
    return;
  }
  expect_reasons_on_stderr(row.command, run.err, interactive);
  EXPECT_EQ(run.out, "");
}

std::string case_name(const ::testing::TestParamInfo<ToolHostileInput::ParamType>& param) {
  const auto& [command, hostile] = param.param;
  std::string name;
  for (const char* c = command; *c != '\0' && *c != '.'; ++c)
    name += *c;
  name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
  return name + hostile.name;
}

TEST(ToolHostileInputTable, HasOneEntryPerCatalogueRow) {
  EXPECT_EQ(entries_for_every_row(kToolInputs).size(), kToolCount);
}

INSTANTIATE_TEST_SUITE_P(AllTools, ToolHostileInput,
                         ::testing::Combine(::testing::ValuesIn(catalogue_commands()),
                                            ::testing::ValuesIn(kCases)),
                         case_name);

// The launcher: input that selects no row runs nothing, so nothing follows the prompt; the
// status is 0 whatever the reply.
struct LauncherCase {
  const char* name;
  ProgramOptions options;
  const char* tool_title;  // the title of the tool the reply runs, or nullptr for none
};

ProgramOptions launcher_input(std::string input) {
  ProgramOptions options;
  options.input = std::move(input);
  return options;
}

const char kPrompt[] = "==> ";

std::vector<LauncherCase> launcher_cases() {
  ProgramOptions too_many;
  too_many.args = {"1", "2", "3", "4", "5", "6"};
  ProgramOptions closed_stdin;
  closed_stdin.stdin_closed = true;
  return {
      {"EmptyInput", launcher_input(""), nullptr},
      {"OnlyBlankLines", launcher_input("\n \n\t\n\r\n\v\f\n"), nullptr},
      {"MegabyteLine", launcher_input(kMegabyteOfDigits + "\n"), nullptr},
      {"MegabyteOfBlanks", launcher_input(std::string(std::size_t{1} << 20, ' ')), nullptr},
      {"NulBytes",
       launcher_input(std::string("\0"
                                  "5\n",
                                  3)),
       nullptr},
      {"BytesAbove127",
       launcher_input("\xff"
                      "5\n"),
       nullptr},
      {"Nan", launcher_input("nan\n"), nullptr},
      {"Inf", launcher_input("inf\n"), nullptr},
      {"NegativeZero", launcher_input("-0\n"), nullptr},
      // The reply is read as a whole number up to the first other character, so 1e400
      // chooses row 1; VORLIX then meets the end of input.
      {"Overflow", launcher_input("1e400\n"), "VORLIX - "},
      {"TooManyArguments", too_many, nullptr},
      {"ClosedStdin", closed_stdin, nullptr},
  };
}

void PrintTo(const LauncherCase& hostile, std::ostream* os) {
  *os << hostile.name;
}

class LauncherHostileInput : public ::testing::TestWithParam<LauncherCase> {};

TEST_P(LauncherHostileInput, RunsOnlyWhatTheReplySelects) {
  const LauncherCase& hostile = GetParam();
  const ProgramRun run = run_program(program_path("quesdral"), hostile.options);
  ASSERT_FALSE(run.timed_out);
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_code, 0);
  const std::string::size_type prompt = run.out.find(kPrompt);
  ASSERT_NE(prompt, std::string::npos) << run.out;
  const std::string after = run.out.substr(prompt + sizeof kPrompt - 1);
  if (hostile.tool_title == nullptr) {
    EXPECT_EQ(after, "");
    EXPECT_EQ(run.err, "");
  } else {
    EXPECT_EQ(run.err.rfind(hostile.tool_title, 0), 0u) << run.err;
    EXPECT_FALSE(shows_non_finite(after)) << after;
  }
}

std::string launcher_case_name(const ::testing::TestParamInfo<LauncherCase>& param) {
  return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Launcher, LauncherHostileInput, ::testing::ValuesIn(launcher_cases()),
                         launcher_case_name);

TEST(LauncherHostileOutput, ClosedPipeEndsTheLauncherQuietlyOrBySigpipe) {
  ProgramOptions options = launcher_input("1\n0.5\n");
  options.stdout_closed_pipe = true;
  const ProgramRun run = run_program(program_path("quesdral"), options);
  ASSERT_FALSE(run.timed_out);
  if (run.signal != SIGPIPE) {
    EXPECT_EQ(run.exit_code, 0) << "signal " << run.signal << "\n" << run.err;
  }
}

// The tools' one program runs the tool whose command it was started as. Started under its
// own name, it runs none and says how it is meant to be started.
TEST(ToolsProgramHostileName, RunsNoToolAndSaysWhy) {
  const std::string path = program_path("quesdral-tools");
  ASSERT_TRUE(is_built(path)) << path << " was not built";
  const ProgramRun run = run_program(path, answers("1\n"));
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err,
            "quesdral-tools: start this program through one of its links, named as the tools' "
            "commands (vorlix.exe ... yombric.exe)\n");
}

}  // namespace
}  // namespace quesdral::testing
