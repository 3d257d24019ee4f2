#include "cli/cli.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <sstream>

namespace quesdral::cli {
namespace {

TEST(ParseNumber, AcceptsDecimalsWithOptionalSignPointExponentAndPadding) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {"-3", -3},
      {"0.5", 0.5},
      {"1e-12", 1e-12},
      {".25", 0.25},
      {"5.", 5},
      {"+7", 7},
      {"-0", 0},
      {"1E3", 1000},
      {"1e+3", 1000},
      {"  42\t", 42},
      {"\t-1.5  \r", -1.5},
      {"0.1\r", 0.1},
      {"007", 7},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {"2.3e-308", 2.3e-308},
  };
  for (const Case& c : cases) {
    const ParsedNumber parsed = parse_number(c.text, ValueKind::kReal);
    ASSERT_TRUE(parsed.value.has_value()) << '"' << c.text << "\": " << parsed.error;
    EXPECT_EQ(*parsed.value, c.value) << c.text;
    EXPECT_TRUE(parsed.error.empty());
  }
}

TEST(ParseNumber, RefusesEverythingElseWithAReason) {
  struct Case {
    std::string text;
    const char* reason_part;
  };
  const Case cases[] = {
      {"", "needed"},
      {" \t", "needed"},
      {"12abc", "not a number"},
      {"1,000", "not a number"},
      {"inf", "not a number"},
      {"nan", "not a number"},
      {"0x1F", "not a number"},
      {"1e", "not a number"},
      {".", "not a number"},
      {"+-3", "not a number"},
      {"- 3", "not a number"},
      {"1\r\r", "not a number"},
      {std::string("1\0", 2), "not a number"},
      {"\xc2\xbd", "not a number"},
      {"1e400", "too large"},
      {"1e99999999999999999999", "too large"},
      {"1e-400", "too close to 0"},
      {"1e-310", "too close to 0"},
  };
  for (const Case& c : cases) {
    const ParsedNumber parsed = parse_number(c.text, ValueKind::kReal);
    EXPECT_FALSE(parsed.value.has_value()) << '"' << c.text << '"';
    EXPECT_NE(parsed.error.find(c.reason_part), std::string::npos)
        << '"' << c.text << "\": " << parsed.error;
  }
}

TEST(ParseNumber, IntegersAreDigitsWithAnOptionalSignOnly) {
  struct Case {
    const char* text;
    std::optional<long long> value;
  };
  const Case cases[] = {
      {"16", 16},
      {"-3", -3},
      {"+7", 7},
      {" 32\r", 32},
      {"9223372036854775807", 9223372036854775807LL},
      {"16.0", std::nullopt},
      {"1e1", std::nullopt},
      {"0x10", std::nullopt},
      {"-", std::nullopt},
      {"", std::nullopt},
      {"9223372036854775808", std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(parse_integer(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(parse_number(c.text, ValueKind::kInteger).value.has_value(), c.value.has_value());
  }
}

TEST(ParseNumber, QuotesRefusedTextSafely) {
  const std::string error = parse_number(std::string(1000, '\x01') + "x", ValueKind::kReal).error;
  EXPECT_LT(error.size(), 200u);
  for (char c : error)
    EXPECT_TRUE(c >= ' ' && c <= '~') << static_cast<int>(c);
}

TEST(FormatNumber, ShowsSixSignificantDigits) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {-6.020599913279624, "-6.02060"},
      {261.6255653005986, "261.626"},
      {0.5, "0.500000"},
      {1, "1.00000"},
      {0, "0.00000"},
      {-0.0, "0.00000"},
      {123456.4, "123456"},
      {999999.4, "999999"},
      {999999.5, "1.00000e+06"},  // rounding carries into the next power of ten
      {0.0001, "0.000100000"},
      {0.00001, "1.00000e-05"},
      {0.000099999996, "0.000100000"},
      {1e-12, "1.00000e-12"},
      {-2.5e100, "-2.50000e+100"},
      {std::numeric_limits<double>::max(), "1.79769e+308"},
      {std::numeric_limits<double>::quiet_NaN(), "?"},
      {std::numeric_limits<double>::infinity(), "?"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(format_number(c.value), c.text) << c.value;
}

TEST(FormatNumber, ShortFormKeepsTypedValuesAsTyped) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {1, "1"},
      {16, "16"},
      {1e-12, "1e-12"},
      {440, "440"},
      {0.5, "0.5"},
      {-3.25, "-3.25"},
      {261.6255653005986, "261.626"},
      {2147483648.0, "2.14748e+09"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(format_short(c.value), c.text) << c.value;
}

TEST(Table, RightAlignsNumbersAndLeavesNoTrailingSpaces) {
  Table table;
  table.add_column("n");
  table.add_column("Frequency Hz");
  table.add_column("Note", Table::Align::kLeft);
  table.add_row({"1", "110.000", "A2"});
  table.add_row({"10", "1100.00", "C#6"});
  EXPECT_EQ(table.render(),
            " n  Frequency Hz  Note\n"
            " 1       110.000  A2\n"
            "10       1100.00  C#6\n");
  EXPECT_EQ(table.row_count(), 2u);
}

TEST(Results, NeverShowsNonFiniteOrVanishedValues) {
  const Outcome good = Results().add("Level", -6.020599913279624, "dB").add("Gain", 2, "").finish();
  EXPECT_TRUE(good.ok());
  EXPECT_EQ(good.text, "Level: -6.02060 dB\nGain: 2.00000\n");

  const Outcome too_large =
      Results().add("Power", std::numeric_limits<double>::infinity(), "W").finish();
  EXPECT_FALSE(too_large.ok());
  EXPECT_NE(too_large.error.find("too large"), std::string::npos);
  EXPECT_TRUE(too_large.text.empty());

  const Outcome too_small = Results().add_magnitude("Power", 1e-320, "W").finish();
  EXPECT_NE(too_small.error.find("too small"), std::string::npos);
  EXPECT_FALSE(Results().add_magnitude("Power", 0, "W").finish().ok());
}

// ---------------------------------------------------------------------------------------
// run_tool on explicit streams, with a tool that exercises every kind of input: a required
// value, a fixed default with a check against the earlier value, and an integer whose
// default is computed from the values before it.
// ---------------------------------------------------------------------------------------

Tool make_test_tool() {
  Tool tool;
  tool.command = "test.exe";
  tool.label = "TEST";
  tool.description = "It multiplies";
  tool.help = "Multiplies LOW by HIGH.\n";
  tool.inputs = {
      real_input("LOW", "Low value").checked_by(must_be_positive("low must be above 0")),
      real_input("HIGH", "High value")
          .defaults_to(10)
          .checked_by(
              [](double high, const std::vector<double>& earlier) -> std::optional<std::string> {
                if (high > earlier[0])
                  return std::nullopt;
                return "high must be above low";
              }),
      integer_input("COUNT", "Count")
          .defaults_from([](const std::vector<double>& earlier) -> std::optional<double> {
            return std::floor(earlier[1]) + 2;
          })
          .checked_by(must_be_within(1, 100, "count must be from 1 to 100")),
  };
  tool.compute = [](const std::vector<double>& values) {
    if (values[0] * values[1] * values[2] > 1e5)
      return Outcome::failure("the product is too large to show");
    return Results()
        .add("Product", values[0] * values[1], "")
        .add_text("Count", format_short(values[2]))
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
      {{"2", "3", "7.0"}, kExitInvalid, "", "test.exe: COUNT: '7.0' is not a whole number"},
      {{"2", "3", "200"}, kExitInvalid, "", "count must be from 1 to 100"},
      {{"200", "300", "2"}, kExitInvalid, "", "test.exe: the product is too large to show\n"},
      {{"1", "2", "3", "4"},
       kExitInvalid,
       "",
       "test.exe: too many arguments (at most 3)\nusage: test.exe LOW [HIGH=10] [COUNT]\n"},
      {{"1", "--"}, kExitInvalid, "", "unknown option '--'"},
      {{"-"}, kExitInvalid, "", "unknown option '-'"},
      {{"1", "-h"},
       kExitOk,
       "usage: test.exe LOW [HIGH=10] [COUNT]\n\nTEST - It multiplies\n\n"
       "Multiplies LOW by HIGH.\n",
       ""},
  };
  for (const Case& c : cases) {
    const Session session = run(c.args, "5\n");
    SCOPED_TRACE(c.args[0]);
    EXPECT_EQ(session.status, c.status);
    EXPECT_EQ(session.out, c.out);
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
    const char* result;    // the end of stdout
    const char* err_part;  // "" when stderr must stay empty
  };
  const Case cases[] = {
      {"all answered", "2\n3\n4\n", kExitOk, "\nProduct: 6.00000\nCount: 4\n", ""},
      {"empty answers take defaults", "2\n\n \t\n", kExitOk, "\nProduct: 20.0000\nCount: 12\n", ""},
      {"windows line ends", "2\r\n3\r\n\r\n", kExitOk, "Product: 6.00000\nCount: 5\n", ""},
      {"bad then good", "abc\n2\n3\n4\n", kExitOk, "Product: 6.00000\nCount: 4\n",
       "test.exe: Low value: 'abc' is not a number"},
      {"no answer where no default", "\n2\n3\n4\n", kExitOk, "Product: 6.00000\nCount: 4\n",
       "test.exe: Low value: an answer is needed (there is no default)\n"},
      {"check against the earlier answer", "5\n1\n6\n\n", kExitOk, "Product: 30.0000\nCount: 8\n",
       "test.exe: high must be above low\n"},
      {"input ends while only defaults remain", "2\n", kExitOk, "\nProduct: 20.0000\nCount: 12\n",
       ""},
      {"input ends without a line break", "2\n3", kExitOk, "Product: 6.00000\nCount: 5\n", ""},
      {"input ends before a value without default", "", kExitInputEnded, "",
       "test.exe: input ended before LOW was given, and it has no default\n"},
      {"input ends after only bad answers", "0\n-1\n", kExitInputEnded, "", "LOW was given"},
      {"default fails its check when input ends", "20\n", kExitInputEnded, "",
       "high must be above low"},
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
    EXPECT_EQ(session.out.rfind("TEST - It multiplies\nLow value: ", 0), 0u) << session.out;
    const std::string result = c.result;
    ASSERT_GE(session.out.size(), result.size());
    EXPECT_EQ(session.out.substr(session.out.size() - result.size()), result) << session.out;
    if (*c.err_part == '\0') {
      EXPECT_EQ(session.err, "");
    } else {
      EXPECT_NE(session.err.find(c.err_part), std::string::npos) << session.err;
    }
  }
}

TEST(RunTool, RefusedResultAsksTheLastQuestionAgain) {
  // 200 * 300 * 5 is refused at the last question; 200 * 300 * 1 is accepted.
  const Session session = run({}, "200\n300\n5\n1\n");
  EXPECT_EQ(session.status, kExitOk);
  EXPECT_EQ(session.err, "test.exe: the product is too large to show\n");
  EXPECT_EQ(session.out,
            "TEST - It multiplies\nLow value: High value [10]: Count [302]: Count [302]: \n"
            "Product: 60000.0\nCount: 1\n");
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
  EXPECT_EQ(run_tool(make_test_tool(), {"2"}, in, out, err), kExitOutputFailed);
  EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

}  // namespace
}  // namespace quesdral::cli
