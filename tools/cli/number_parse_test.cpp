#include "cli/number_parse.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

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
      {"0.01e310", 1e308},
      {"0.000e99999", 0},
  };
  for (const Case& c : cases) {
    const ParsedNumber parsed = parse_number(c.text, ValueKind::kReal);
    ASSERT_TRUE(parsed.value.has_value()) << '"' << c.text << "\": " << parsed.error;
    EXPECT_EQ(*parsed.value, c.value) << c.text;
    EXPECT_TRUE(parsed.error.empty());
    EXPECT_EQ(parse_real(c.text), c.value) << c.text;
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
      // Too large or too close to 0 is told by where the first digit other than 0 stands.
      {"0.01e311", "too large"},
      {"-1E+400", "too large"},
      {std::string(400, '9'), "too large"},
      {"000.00100e-322", "too close to 0"},
      {"+0.001E-400", "too close to 0"},
      {"0." + std::string(400, '0') + "1", "too close to 0"},
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

// The whole message, since a person reads it: the text as typed, between quotes, cut after
// 40 characters and with unprintable bytes shown as '?', then what is allowed.
TEST(ParseNumber, RefusalsQuoteTheTextAndSayWhatIsAllowed) {
  const std::string forty(40, '7');
  const std::string real_advice =
      " is not a number; write a decimal number such as -3, 0.5 or 1e-12";
  const std::string whole_advice =
      " is not a whole number; write digits with an optional sign, such as 16";
  struct Case {
    std::string text;
    ValueKind kind;
    std::string error;
  };
  const Case cases[] = {
      {"", ValueKind::kReal, "a number is needed here"},
      {forty + "x", ValueKind::kReal, "'" + forty + "...'" + real_advice},
      {forty.substr(1) + "x", ValueKind::kReal, "'" + forty.substr(1) + "x'" + real_advice},
      {std::string(1000, '\x01') + "x", ValueKind::kReal,
       "'" + std::string(40, '?') + "...'" + real_advice},
      {" 1\t\x7f\xc3\xa9~ ", ValueKind::kReal, "'1????~'" + real_advice},
      {"1 000", ValueKind::kReal, "'1 000'" + real_advice},
      {"1e400", ValueKind::kReal, "'1e400' is too large; the magnitude must be below 1.79769e+308"},
      {"-", ValueKind::kInteger, "'-'" + whole_advice},
      {"+", ValueKind::kInteger, "'+'" + whole_advice},
      {"16.0", ValueKind::kInteger, "'16.0': whole numbers are written in digits (16)"},
      {"1e9", ValueKind::kInteger, "'1e9': whole numbers are written in digits (1000000000)"},
      {"-2.5e1", ValueKind::kInteger, "'-2.5e1': whole numbers are written in digits (-25)"},
      {"1.5", ValueKind::kInteger, "'1.5'" + whole_advice},
      {"1e16", ValueKind::kInteger, "'1e16'" + whole_advice},
      {"-9223372036854775809", ValueKind::kInteger,
       "'-9223372036854775809' is out of range for a whole number"},
  };
  for (const Case& c : cases) {
    const ParsedNumber parsed = parse_number(c.text, c.kind);
    EXPECT_FALSE(parsed.value.has_value()) << c.error;
    EXPECT_EQ(parsed.error, c.error);
  }
}

}  // namespace
}  // namespace quesdral::cli
