#include "cli/tool.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "cli/number_format.hpp"

namespace quesdral::cli {
namespace {

// ---------------------------------------------------------------------------------------
// run_tool on explicit streams, with a tool that exercises every kind of input: a required
// value, a fixed default with a check against the earlier value, and an integer whose
// default is computed from the values before it.
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
      {{"2", "3", "7.0"}, kExitInvalid, "", "test.exe: COUNT: '7.0' is not a whole number"},
      {{"2", "3", "200"}, kExitInvalid, "", "count must be from 1 to 100"},
      {{"2", "3", "0"}, kExitInvalid, "", "test.exe: count must be above 0\n"},
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
       "test.exe: input ended before LOW was given, and it has no default\n"},
      {"input ends after only bad answers", "0\n-1\n", kExitInputEnded, "", "LOW was given"},
      {"default fails its check when input ends", "20\n", kExitInputEnded, "",
       "high must be above low (input ended before other values were given)"},
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

// What a file buffer does when standard input is closed: the read fails with an exception.
class FailingBuffer : public std::streambuf {
 protected:
  int_type underflow() override { throw std::ios_base::failure("read error"); }
};

TEST(RunTool, AnUnreadableInputIsTheEndOfInput) {
  FailingBuffer buffer;
  std::istream in(&buffer);
  std::ostringstream out;
  std::ostringstream err;
  EXPECT_EQ(run_tool(make_test_tool(), {}, in, out, err), kExitInputEnded);
  EXPECT_NE(err.str().find("input ended before LOW was given"), std::string::npos);
}

TEST(RunTool, ReportsAFailedWriteInsteadOfSuccess) {
  std::istringstream in;
  std::ostringstream out;
  std::ostringstream err;
  out.setstate(std::ios::badbit);
  errno = 0;
  EXPECT_EQ(run_tool(make_test_tool(), {"2"}, in, out, err), kExitOutputFailed);
  EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace quesdral::cli
