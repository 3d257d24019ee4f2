#include "launch_flow.hpp"

#include <gtest/gtest.h>

#include <string>

namespace quesdral {
namespace {

// What a fake world saw of one run. Plain function pointers carry no state, so it lives
// here and run_with() starts it afresh.
struct Seen {
  std::string input;
  std::size_t taken = 0;  // bytes of input handed to the flow
  std::string output;
  std::string command;   // the command run, empty when none ran
  std::string contacts;  // in order, repeats merged: c clear, w write, r read, f flush, x run
  int status = -1;
};

Seen seen;

void note(char contact) {
  if (seen.contacts.empty() || seen.contacts.back() != contact)
    seen.contacts += contact;
}

const LauncherWorld kFakeWorld{
    [] { note('c'); },
    [](const char* data, std::size_t size) {
      note('w');
      seen.output.append(data, size);
    },
    []() -> int {
      note('r');
      if (seen.taken == seen.input.size())
        return -1;
      return static_cast<unsigned char>(seen.input[seen.taken++]);
    },
    [] { note('f'); },
    [](const char* command) {
      note('x');
      seen.command = command;
    },
};

Seen run_with(const std::string& input) {
  seen = Seen{};
  seen.input = input;
  seen.status = run_launcher(kFakeWorld);
  return seen;
}

struct Case {
  std::string input;
  const char* command;  // nullptr: nothing runs
  std::size_t taken;    // bytes read: the reply's line and no more
};

const Case kCases[] = {
    {"+12\nnext\n", "zirr.exe", 4},
    {"012\n", "zirr.exe", 4},
    {"3abc\r\nnext", "quilbern.exe", 6},
    {"3.7\n", "quilbern.exe", 4},
    {"3 14\nmore\n", "quilbern.exe", 5},
    {"\n\n   \n9\n", "tolveni.exe", 8},
    {" \t\r\v\f5\r\n", "pelundA.exe", 8},
    {"13", "rumbeldv.exe", 2},  // input ends without a line break
    {"0\n", nullptr, 2},
    {"19\n", nullptr, 3},
    {"-4\n", nullptr, 3},
    {"100\n", nullptr, 4},
    {"abc\n8\n", nullptr, 1},  // no number can follow, so reading stops at once
    {"-\n5\n", nullptr, 2},    // a number on the next line is not the reply
    {"", nullptr, 0},
    {"\n\n", nullptr, 2},
    {"\xff"
     "5\n",
     nullptr, 1},
    {"4294967305\n1\n", nullptr, 11},         // 9 once wrapped to 32 bits
    {"-4294967287\n", nullptr, 12},           // 9 once wrapped to 32 bits
    {"18446744073709551625\n", nullptr, 21},  // 9 once wrapped to 64 bits
};

TEST(LauncherFlow, ReplyRunsTheCommandOfItsRowOrNothing) {
  for (const Case& c : kCases)
    EXPECT_EQ(run_with(c.input).command, c.command ? c.command : "") << '"' << c.input << '"';
}

TEST(LauncherFlow, ReadsNoFurtherThanTheReplysLine) {
  for (const Case& c : kCases)
    EXPECT_EQ(run_with(c.input).taken, c.taken) << '"' << c.input << '"';
}

// The clear comes first, the whole screen is out before the reply is read and nothing is
// written after the prompt; the output is flushed before a command runs and the status is 0.
TEST(LauncherFlow, ClearsWritesReadsFlushesThenRuns) {
  const std::string screen = run_with("").output;
  ASSERT_GE(screen.size(), 4u);
  EXPECT_EQ(screen.compare(screen.size() - 4, 4, "==> "), 0);
  for (const Case& c : kCases) {
    const Seen run = run_with(c.input);
    EXPECT_EQ(run.contacts, c.command ? "cwrfx" : "cwrf") << '"' << c.input << '"';
    EXPECT_EQ(run.output, screen) << '"' << c.input << '"';
    EXPECT_EQ(run.status, 0) << '"' << c.input << '"';
  }
}

// The number itself, where the flow cannot tell it apart: numbers outside the menu.
std::optional<std::int32_t> scan(const char* input) {
  ReplyScanner scanner;
  for (const char* p = input; *p != '\0' && scanner.take(*p); ++p) {
  }
  return scanner.reply();
}

struct ScanCase {
  const char* input;
  std::optional<std::int32_t> reply;
};

TEST(ReplyScanner, ReadsWhatPercentDReads) {
  const ScanCase cases[] = {
      {"-9\n", -9},          {"  -0\n", 0},           {"0x1F\n", 0},
      {"+\n", std::nullopt}, {"+-3\n", std::nullopt}, {"- 3\n", std::nullopt},
  };
  for (const ScanCase& c : cases)
    EXPECT_EQ(scan(c.input), c.reply) << c.input;
}

TEST(ReplyScanner, KeepsTheSignedThirtyTwoBitRangeAndRefusesBeyondIt) {
  const ScanCase cases[] = {
      {"2147483647\n", INT32_MAX},
      {"-2147483648\n", INT32_MIN},
      {"0000000000000000000000000000012\n", 12},
      {"2147483648\n", std::nullopt},
      {"-2147483649\n", std::nullopt},
      {"4294967296\n", std::nullopt},
      {"99999999999999999999999999999999999999999999\n", std::nullopt},
  };
  for (const ScanCase& c : cases)
    EXPECT_EQ(scan(c.input), c.reply) << c.input;
}

// Once the reply's line has ended, more input changes nothing: a caller that reads on by
// mistake still gets the reply it would have had.
TEST(ReplyScanner, StaysEndedOnceTheLineHasEnded) {
  const ScanCase cases[] = {{"7\n", 7}, {"7 x\n", 7}, {"x", std::nullopt}, {"-\n", std::nullopt}};
  for (const ScanCase& c : cases) {
    ReplyScanner scanner;
    const char* p = c.input;
    while (*p != '\0' && scanner.take(*p))
      ++p;
    for (char more : {'1', '\n', '-'})
      EXPECT_FALSE(scanner.take(more)) << c.input;
    EXPECT_EQ(scanner.reply(), c.reply) << c.input;
  }
}

}  // namespace
}  // namespace quesdral
