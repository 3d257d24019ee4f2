#include "cli/tool.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "cli/number_format.hpp"

namespace quesdral::cli {
namespace {

// ---------------------------------------------------------------------------------------
// run_tool on explicit streams, with a tool that exercises every kind of input: a required
// value, a fixed default with a check against the earlier value, and an integer whose
// default is computed from the values before it (and is absent for a HIGH above 1000).
// ---------------------------------------------------------------------------------------

enum Value { kLow, kHigh, kCount };

Tool make_test_tool() {
  Tool tool;
  tool.command = "test.exe";
  tool.label = "TEST";
  tool.description = "It multiplies";
  tool.help = "Multiplies LOW by HIGH.\n";
  tool.inputs = {
      real_input("LOW", "Low value").checked_by(must_be_positive("low must be above 0")),
      real_input("HIGH", "High value").defaults_to(10),
      integer_input("COUNT", "Count")
          .defaults_from([](const Values& earlier) -> std::optional<double> {
            if (earlier[kHigh] > 1000)
              return std::nullopt;
            return std::floor(earlier[kHigh]) + 2;
          })
          .checked_by(must_be_positive("count must be above 0"))
          .checked_by(must_be_within(1, 100, "count must be from 1 to 100")),
  };
  tool.check_across(kHigh, [](const Values& values) -> std::optional<std::string> {
    if (values[kHigh] > values[kLow])
      return std::nullopt;
    return "high must be above low";
  });
  tool.compute = [](const Values& values) {
    if (values[kLow] * values[kHigh] * values[kCount] > 1e5)
      return Outcome::failure("the product is too large to show");
    return Results()
        .add("Product", values[kLow] * values[kHigh], "")
        .add_text("Count", format_short(values[kCount]))
        .finish();
  };
  return tool;
}

struct Session {
  int status;
  std::string out;
  std::string err;
};

Session run(const std::vector<std::string>& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_tool(make_test_tool(), args, in, out, err);
  return {status, out.str(), err.str()};
}

TEST(RunTool, ArgumentMode) {
  struct Case {
    std::vector<std::string> args;
    int status;
    const char* out;
    const char* err_part;
  };
  const Case cases[] = {
      {{"2"}, kExitOk, "Product: 20.0000\nCount: 12\n", ""},
      {{"2", "3"}, kExitOk, "Product: 6.00000\nCount: 5\n", ""},
      {{"2", "3", "7"}, kExitOk, "Product: 6.00000\nCount: 7\n", ""},
      {{"--", "2", "3"}, kExitOk, "Product: 6.00000\nCount: 5\n", ""},
      {{"2", "3", "7.0"},
       kExitInvalid,
       "",
       "test.exe: COUNT: '7.0': whole numbers are written in digits (7)\n"},
      {{"2", "3", "200"}, kExitInvalid, "", "count must be from 1 to 100"},
      {{"2", "3", "0"}, kExitInvalid, "", "test.exe: count must be above 0\n"},
      {{"2", "2000"}, kExitInvalid, "", "test.exe: missing COUNT\n"},
      {{"5", "1"}, kExitInvalid, "", "test.exe: high must be above low\n"},
      {{"200", "300", "2"}, kExitInvalid, "", "test.exe: the product is too large to show\n"},
      {{"1", "2", "3", "4"},
       kExitInvalid,
       "",
       "test.exe: too many arguments (at most 3)\nusage: test.exe LOW [HIGH=10] [COUNT]\n"},
      {{"-"}, kExitInvalid, "", "test.exe: unknown option '-'\nusage: test.exe"},
      {{"1", "--batch"}, kExitInvalid, "", "--batch reads its cases from standard input"},
      {{"1", "-h"},
       kExitOk,
       "usage: test.exe LOW [HIGH=10] [COUNT]\n\nTEST - It multiplies\n\n",
       ""},
      {{"--version"}, kExitOk, "test.exe (Quesdral) ", ""},
  };
  for (const Case& c : cases) {
    const Session session = run(c.args, "5\n");
    SCOPED_TRACE(c.args[0]);
    EXPECT_EQ(session.status, c.status);
    EXPECT_EQ(session.out.rfind(c.out, 0), 0u) << session.out;
    if (c.status != kExitOk) {
      EXPECT_EQ(session.out, "");
    }
    EXPECT_NE(session.err.find(c.err_part), std::string::npos) << session.err;
    if (*c.err_part == '\0') {
      EXPECT_EQ(session.err, "");
    }
  }
}

TEST(RunTool, InteractiveMode) {
  struct Case {
    const char* name;
    std::string input;
    int status;
    const char* out;       // all of stdout: results only
    const char* err_part;  // "" when stderr holds only the heading and the questions
  };
  const Case cases[] = {
      {"all answered", "2\n3\n4\n", kExitOk, "Product: 6.00000\nCount: 4\n",
       "TEST - It multiplies\nLow value: High value [10]: Count [5]: \n"},
      {"empty answers take defaults", "2\n\n \t\n", kExitOk, "Product: 20.0000\nCount: 12\n", ""},
      {"windows line ends", "2\r\n3\r\n\r\n", kExitOk, "Product: 6.00000\nCount: 5\n", ""},
      {"bad then good", "abc\n2\n3\n4\n", kExitOk, "Product: 6.00000\nCount: 4\n",
       "Low value: test.exe: Low value: 'abc' is not a number"},
      {"no answer where no default", "\n2\n3\n4\n", kExitOk, "Product: 6.00000\nCount: 4\n",
       "test.exe: Low value: an answer is needed (there is no default)\n"},
      // The check across values is made once all are known, and asks again the question
      // that can mend it, not the last one; later answers are kept.
      {"check across values asks the mending question", "5\n1\n\n6\n", kExitOk,
       "Product: 30.0000\nCount: 3\n",
       "Count [3]: test.exe: high must be above low\nHigh value [10]: \n"},
      {"input ends while the mending question is asked", "5\n1\n\n", kExitOk,
       "Product: 50.0000\nCount: 3\n", "test.exe: high must be above low\n"},
      {"input ends while only defaults remain", "2\n", kExitOk, "Product: 20.0000\nCount: 12\n",
       ""},
      {"input ends without a line break", "2\n3", kExitOk, "Product: 6.00000\nCount: 5\n", ""},
      {"input ends before a value without default", "", kExitInputEnded, "",
       "test.exe: input ended before the low value was given, and it has no default\n"},
      {"input ends after only bad answers", "0\n-1\n", kExitInputEnded, "",
       "the low value was given"},
      {"a computed default may be absent", "2\n2000\n", kExitInputEnded, "",
       "Count: \ntest.exe: input ended before the count was given, and it has no default\n"},
      {"a default fails its own check when input ends", "200\n300\n", kExitInputEnded, "",
       "test.exe: count must be from 1 to 100 (input ended before the count was given)\n"},
      {"the asked-again question has no default", "2000\n3000\n1\n", kExitInputEnded, "",
       "test.exe: the product is too large to show (input ended before the count was "
       "given again)\n"},
      {"the asked-again question's default fails its own check", "200\n300\n5\n", kExitInputEnded,
       "",
       "test.exe: the product is too large to show (input ended before the count was "
       "given again)\n"},
      {"default fails its check when input ends", "20\n", kExitInputEnded, "",
       "high must be above low (input ended before other values were given)"},
      {"defaults pass their checks but the computation refuses them", "50\n60\n", kExitInputEnded,
       "",
       "test.exe: the product is too large to show (input ended before other values were "
       "given)\n"},
      {"the asked-again question's default does not mend", "50\n60\n62\n", kExitInputEnded, "",
       "test.exe: the product is too large to show (input ended before the count was "
       "given again)\n"},
      {"refused result asks the last question again", "200\n300\n5\n1\n", kExitOk,
       "Product: 60000.0\nCount: 1\n",
       "Count [302]: test.exe: the product is too large to show\nCount [302]: \n"},
      {"NUL bytes and high bytes are refused", std::string("\0\xff\n2\n", 6), kExitOk,
       "Product: 20.0000\nCount: 12\n",
       "Low value: '?"
       "?' is not a number"},
      {"a huge line is refused, not kept", std::string(1 << 20, '7') + "\n2\n", kExitOk,
       "Product: 20.0000\nCount: 12\n", "too long"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Session session = run({}, c.input);
    EXPECT_EQ(session.status, c.status) << session.err;
    EXPECT_EQ(session.out, c.out);
    EXPECT_EQ(session.err.rfind("TEST - It multiplies\nLow value: ", 0), 0u) << session.err;
    if (*c.err_part == '\0') {
      EXPECT_EQ(session.err.find("test.exe:"), std::string::npos) << session.err;
    } else {
      EXPECT_NE(session.err.find(c.err_part), std::string::npos) << session.err;
    }
  }
}

TEST(RunTool, BatchComputesEveryLineAndNamesTheBadOnes) {
  const Session session = run({"--batch"}, "2\n\n 2  3 \n0\n1 2 3 4\n2 3 4\r\n");
  EXPECT_EQ(session.status, kExitInvalid);
  EXPECT_EQ(session.out,
            "Product: 20.0000\nCount: 12\n\nProduct: 6.00000\nCount: 5\n\n"
            "Product: 6.00000\nCount: 4\n");
  EXPECT_EQ(session.err,
            "test.exe: line 4: low must be above 0\n"
            "test.exe: line 5: too many arguments (at most 3)\n");
  EXPECT_EQ(run({"--batch"}, "2\n").status, kExitOk);
}

// Every value that fails says so, but a run reports one reason: the first value's own
// checks in order, then the checks across values, then the computation.
TEST(RunTool, ReportsTheFirstReasonOnly) {
  struct Case {
    std::vector<std::string> args;
    const char* err;
  };
  const Case cases[] = {
      {{"0", "x", "0"}, "test.exe: low must be above 0\n"},
      {{"x", "y"},
       "test.exe: LOW: 'x' is not a number; write a decimal number such as 0.5, 1e-12 or 20\n"},
      {{"2", "3", "0"}, "test.exe: count must be above 0\n"},
      {{"5", "1", "200"}, "test.exe: count must be from 1 to 100\n"},
      {{"300", "200", "2"}, "test.exe: high must be above low\n"},
  };
  for (const Case& c : cases) {
    const Session session = run(c.args);
    EXPECT_EQ(session.status, kExitInvalid) << c.err;
    EXPECT_EQ(session.err, c.err);
  }
}

// An answer is kept up to 4,096 characters and read as a number; one character more and it
// is refused for its length alone, as is such a line in a batch, even a blank one.
// A message names a value as its question does, without the unit the question asks in.
TEST(Input, IsCalledByItsQuestion) {
  const std::pair<const char*, const char*> cases[] = {
      {"Second frequency (Hz)", "the second frequency"},
      {"Bit depth in bits", "the bit depth"},
      {"Frequency of A4 (Hz)", "the frequency of A4"},
      {"MIDI number", "the MIDI number"},
      {"Level at the first distance in dB", "the level at the first distance"},
  };
  for (const auto& [question, called] : cases)
    EXPECT_EQ(real_input("X", question).called(), called);
}

TEST(RunTool, AnswersAndBatchLinesAreBoundedAt4096Characters) {
  const std::string quoted_start = "'" + std::string(40, 'x') + "...' is not a number";
  const std::string too_long_line = "line 1: the line is too long to be a case\n";
  struct Case {
    std::vector<std::string> args;
    std::size_t length;
    char fill;
    std::string err_part;  // "" for none: the line is skipped
  };
  const Case cases[] = {
      {{}, 4096, 'x', "Low value: " + quoted_start},
      {{}, 4097, 'x', "Low value: the answer is too long to be a number\n"},
      {{"--batch"}, 4096, 'x', "line 1: LOW: " + quoted_start},
      {{"--batch"}, 4097, 'x', too_long_line},
      {{"--batch"}, 4096, ' ', ""},
      {{"--batch"}, 4097, ' ', too_long_line},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.length) + " '" + c.fill + "'");
    const Session session = run(c.args, std::string(c.length, c.fill) + "\n2\n");
    EXPECT_NE(session.err.find(c.err_part), std::string::npos) << session.err.substr(0, 300);
    EXPECT_EQ(session.err.find(c.length == 4096 ? "too long" : "not a number"), std::string::npos);
    if (c.err_part.empty()) {
      EXPECT_EQ(session.err.find("test.exe: "), std::string::npos) << session.err;
    }
  }
}

// A tool's own options reach its computation in every mode, the last of a repeated option
// winning, and --help lists them after the common options, their help in one column.
TEST(RunTool, ToolOptionsReachTheComputationAndTheHelp) {
  Tool tool = make_test_tool();
  tool.options = {{"--twice", "", {}, "double the product"},
                  {"--unit", "NAME", {}, "name the unit"},
                  {"--a-very-long-option-name", "", {}, "still one blank before its help"}};
  tool.compute = [](const Values& values) {
    const double factor = values.has_option("--twice") ? 2 : 1;
    return Results()
        .add("Product", factor * values[kLow] * values[kHigh], "")
        .add_text("Unit", values.option_value("--unit"))
        .finish();
  };
  struct Case {
    std::vector<std::string> args;
    std::string input;
    const char* out;
  };
  const Case cases[] = {
      {{"2", "3"}, "", "Product: 6.00000\nUnit: \n"},
      {{"--twice", "2", "3"}, "", "Product: 12.0000\nUnit: \n"},
      {{"--unit=kg", "2", "--unit", "g", "3"}, "", "Product: 6.00000\nUnit: g\n"},
      {{"--twice", "--unit", "m"}, "2\n3\n\n", "Product: 12.0000\nUnit: m\n"},
      {{"--batch", "--twice"}, "2 3\n", "Product: 12.0000\nUnit: \n"},
  };
  for (const Case& c : cases) {
    std::istringstream in(c.input);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_tool(tool, c.args, in, out, err), kExitOk) << err.str();
    EXPECT_EQ(out.str(), c.out) << c.args[0];
  }

  std::istringstream in;
  std::ostringstream help;
  std::ostringstream err;
  ASSERT_EQ(run_tool(tool, {"--help"}, in, help, err), kExitOk);
  const std::string own_options =
      "  --                    end the options: every argument after it is a value\n"
      "  --twice               double the product\n"
      "  --unit NAME           name the unit\n"
      "  --a-very-long-option-name still one blank before its help\n"
      "\nWithout values the tool asks";
  EXPECT_NE(help.str().find(own_options), std::string::npos) << help.str();
}

// What a file buffer does when standard input is closed: the read fails with an exception.
class FailingBuffer : public std::streambuf {
 protected:
  int_type underflow() override { throw std::ios_base::failure("read error"); }
};

// A connection that gives two lines and then fails, as a reset one does.
class ResetBuffer : public std::streambuf {
 public:
  ResetBuffer() { setg(text_, text_, text_ + sizeof text_ - 1); }

 protected:
  int_type underflow() override {
    errno = ECONNRESET;
    throw std::ios_base::failure("read error");
  }

 private:
  char text_[7] = "2\n2 3\n";
};

TEST(RunTool, AnUnreadableInputIsTheEndOfInput) {
  FailingBuffer buffer;
  std::istream in(&buffer);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(run_tool(make_test_tool(), {}, in, out, err), kExitInputEnded);
  EXPECT_NE(err.str().find("input ended before the low value was given"), std::string::npos);
}

// A batch whose input fails is no success: the results computed stay, and the failure is
// said once, without a line number.
TEST(RunTool, ABatchThatCannotBeReadEndsWithStatus3) {
  ResetBuffer buffer;
  std::istream in(&buffer);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(run_tool(make_test_tool(), {"--batch"}, in, out, err), kExitOutputFailed);
  EXPECT_EQ(out.str(), "Product: 20.0000\nCount: 12\n\nProduct: 6.00000\nCount: 5\n");
  EXPECT_EQ(err.str(),
            "test.exe: cannot read the cases: " + std::string(std::strerror(ECONNRESET)) + "\n");
}

// In csv and json every case has a record of one shape, a refused line included, so that
// rows are joined to their cases by `line`; a value a case lacks is null.
TEST(RunTool, BatchRecordsKeepTheirLinesInCsvAndJson) {
  Tool tool = make_test_tool();
  tool.output.fields = {number_field("product", "LOW * HIGH")};
  const auto batch = [&](const char* format) {
    std::istringstream in("2\n\n0 1\n2 3 4\n");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(run_tool(tool, {"--batch", "--format", format}, in, out, err), kExitInvalid);
    EXPECT_EQ(err.str(), "test.exe: line 3: low must be above 0\n");
    return out.str();
  };
  EXPECT_EQ(batch("csv"),
            "line,input,low,high,count,product,error\r\n"
            "1,2,2,10,12,20,\r\n"
            "3,0 1,,,,,low must be above 0\r\n"
            "4,2 3 4,2,3,4,6,\r\n");
  EXPECT_EQ(batch("json"),
            "{\"line\":1,\"input\":\"2\",\"low\":2,\"high\":10,\"count\":12,\"product\":20,"
            "\"error\":null}\n"
            "{\"line\":3,\"input\":\"0 1\",\"low\":null,\"high\":null,\"count\":null,"
            "\"product\":null,\"error\":\"low must be above 0\"}\n"
            "{\"line\":4,\"input\":\"2 3 4\",\"low\":2,\"high\":3,\"count\":4,\"product\":6,"
            "\"error\":null}\n");
}

// A value that may be skipped has no default: left out, it has no value (csv and json write
// null), and a refusal that asks for it again is mended by an empty answer.
TEST(RunTool, ASkippedValueHasNone) {
  Tool tool = make_test_tool();
  tool.inputs.push_back(real_input("EXTRA", "Extra value").may_be_skipped());
  tool.compute = [](const Values& values) {
    if (!values.left_out(3))
      return Outcome::failure("extra must be left out", 3);
    return Results().add("Product", values[kLow] * values[kHigh], "").finish();
  };
  const std::pair<std::vector<std::string>, std::string> runs[] = {
      {{"2"}, ""},
      {{}, "2\n"},
      {{}, "2\n\n\n5\n\n"},
      {{}, "2\n\n\n5\n"},
  };
  for (const auto& [args, input] : runs) {
    std::istringstream in(input);
    std::ostringstream out, err;
    EXPECT_EQ(run_tool(tool, args, in, out, err), kExitOk) << err.str();
    EXPECT_EQ(out.str(), "Product: 20.0000\n") << input;
  }
  std::istringstream in("2 3 4 5\n2\n");
  std::ostringstream out, err;
  EXPECT_EQ(run_tool(tool, {"--batch", "--format", "csv"}, in, out, err), kExitInvalid);
  EXPECT_EQ(out.str(),
            "line,input,low,high,count,extra,error\r\n"
            "1,2 3 4 5,,,,,extra must be left out\r\n2,2,2,10,12,,\r\n");
  EXPECT_EQ(usage_line(tool), "usage: test.exe LOW [HIGH=10] [COUNT] [EXTRA]");
}

// Results, help and version alike: a write that fails is never a success. A reader that
// closed the pipe early is not worth a message; any other failure is.
TEST(RunTool, ReportsAFailedWriteInsteadOfSuccess) {
  struct Case {
    std::vector<std::string> args;
    const char* input;
    int write_error;
    const char* err;
  };
  const Case cases[] = {
      {{"2"}, "", 0, "test.exe: cannot write the results to standard output\n"},
      {{"2"}, "", EPIPE, ""},
      {{}, "2\n", ENOSPC, "test.exe: cannot write the results to standard output\n"},
      {{"--batch"},
       "2\n3\n",
       ENOSPC,
       "test.exe: line 1: cannot write the results to standard output\n"},
      {{"--help"}, "", ENOSPC, "test.exe: cannot write the results to standard output\n"},
      {{"--help"}, "", EPIPE, ""},
      {{"--version"}, "", EPIPE, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.args.empty() ? c.input : c.args[0]) + " " + std::to_string(c.write_error));
    std::istringstream in(c.input);
    std::ostringstream out;
    std::ostringstream err;
    out.setstate(std::ios::badbit);
    errno = c.write_error;
    EXPECT_EQ(run_tool(make_test_tool(), c.args, in, out, err), kExitOutputFailed);
    // The reasons, after the heading and questions of the interactive mode.
    const std::string said = err.str();
    EXPECT_EQ(said.substr(std::min(said.find("test.exe: "), said.size())), c.err);
  }
}

}  // namespace
}  // namespace quesdral::cli
