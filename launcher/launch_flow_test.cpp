#include "launch_flow.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quesdral {
namespace {

struct Scan {
  std::optional<std::int32_t> reply;
  std::size_t consumed;  // bytes taken before the scanner asked for no more
};

Scan scan(const std::string& input) {
  ReplyScanner scanner;
  std::size_t consumed = 0;
  while (consumed < input.size()) {
    if (!scanner.take(input[consumed++]))
      break;
  }
  return {scanner.reply(), consumed};
}

TEST(ReplyScanner, ReadsWhatPercentDReads) {
  struct Case {
    const char* input;
    std::optional<std::int32_t> reply;
  };
  const Case cases[] = {
      {"8\n", 8},
      {"0\n", 0},
      {"19\n", 19},
      {"-4\n", -4},
      {"100\n", 100},
      {"+12\n", 12},
      {"012\n", 12},
      {"3abc\n", 3},
      {"3.7\n", 3},
      {"3 14\n", 3},
      {"\n\n   \n9\n", 9},
      {" \t\r\v\f9\r\n", 9},
      {"  -0\n", 0},
      {"7", 7},  // input ends without a line break
      {"abc\n", std::nullopt},
      {"", std::nullopt},
      {"\n\n", std::nullopt},
      {"+\n", std::nullopt},
      {"-\n5\n", std::nullopt},
      {"+-3\n", std::nullopt},
      {"- 3\n", std::nullopt},
      {"0x1F\n", 0},
      {"\xff"
       "5\n",
       std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(scan(c.input).reply, c.reply) << '"' << c.input << '"';
}

TEST(ReplyScanner, KeepsTheSignedThirtyTwoBitRangeAndRefusesBeyondIt) {
  struct Case {
    const char* input;
    std::optional<std::int32_t> reply;
  };
  const Case cases[] = {
      {"2147483647\n", INT32_MAX},
      {"-2147483648\n", INT32_MIN},
      {"0000000000000000000000000000012\n", 12},
      {"2147483648\n", std::nullopt},
      {"-2147483649\n", std::nullopt},
      {"4294967305\n", std::nullopt},  // wraps around to 9 in common C libraries
      {"4294967296\n", std::nullopt},
      {"18446744073709551625\n", std::nullopt},
      {"99999999999999999999999999999999999999999999\n", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(scan(c.input).reply, c.reply) << c.input;
}

TEST(ReplyScanner, StopsAtTheEndOfTheReplysLine) {
  struct Case {
    std::string input;
    std::size_t consumed;
  };
  const Case cases[] = {
      {"8\n440\n", 2},
      {"\n\n8\n440\n", 4},
      {"3 14\nmore\n", 5},
      {"12abc\r\nnext", 7},
      {"4294967305\n1\n", 11},
      {"abc\n8\n", 1},  // no number can follow: nothing more is read
      {"-x\n", 2},
      {"9", 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(scan(c.input).consumed, c.consumed) << c.input;
}

}  // namespace
}  // namespace quesdral
