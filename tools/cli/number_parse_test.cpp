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

}  // namespace
}  // namespace quesdral::cli
