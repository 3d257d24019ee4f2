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
  const char* left;     // what stays unread: everything after the reply's line
};

const Case kCases[] = {
    {"+12\nnext\n", "zirr.exe", "next\n"},
    {"012\n", "zirr.exe", ""},
    {"3abc\r\nnext", "quilbern.exe", "next"},
    {"3.7\n", "quilbern.exe", ""},
    {"3 14\nmore\n", "quilbern.exe", "more\n"},
    {"\n\n   \n9\n", "tolveni.exe", ""},
    {" \t\r\v\f5\r\n", "pelundA.exe", ""},
    {"13", "rumbeldv.exe", ""},  // input ends without a line break
    {"0\n", nullptr, ""},
    {"19\n", nullptr, ""},
    {"-4\n", nullptr, ""},
    {"100\n", nullptr, ""},
    // No number, yet the whole line is the reply's: at a terminal the shell would read the
    // rest as a command.
    {"abc\n8\n", nullptr, "8\n"},
    {"xecho INJECTED\nNEXT\n", nullptr, "NEXT\n"},
    {"  x7\nNEXT\n", nullptr, "NEXT\n"},
    {"+;echo X\nNEXT\n", nullptr, "NEXT\n"},
    {"-x 3\n4\n", nullptr, "4\n"},
    {".5\n", nullptr, ""},
    {"abc", nullptr, ""},
    {"-\n5\n", nullptr, "5\n"},  // a number on the next line is not the reply
    {"", nullptr, ""},
    {"\n\n", nullptr, ""},
    {"\xff"
     "5\nNEXT\n",
     nullptr, "NEXT\n"},
    {"4294967305\n1\n", nullptr, "1\n"},                    // 9 once wrapped to 32 bits
    {"-4294967287\n", nullptr, ""},                         // 9 once wrapped to 32 bits
    {"18446744073709551625 x\nNEXT\n", nullptr, "NEXT\n"},  // 9 once wrapped to 64 bits
};

TEST(LauncherFlow, ReplyRunsTheCommandOfItsRowAndTakesItsWholeLineOnly) {
  for (const Case& c : kCases) {
    const Seen run = run_with(c.input);
    EXPECT_EQ(run.command, c.command ? c.command : "") << '"' << c.input << '"';
    EXPECT_EQ(run.input.substr(run.taken), c.left) << '"' << c.input << '"';
  }
}

// The clear comes first, and the whole screen is out, flushed, before the reply is read:
// nothing is written after the prompt. The output is flushed again before a command runs,
// and the status is 0.
TEST(LauncherFlow, ClearsWritesFlushesReadsThenRuns) {
  const std::string screen = run_with("").output;
  ASSERT_GE(screen.size(), 4u);
  EXPECT_EQ(screen.compare(screen.size() - 4, 4, "==> "), 0);
  for (const Case& c : kCases) {
    const Seen run = run_with(c.input);
    EXPECT_EQ(run.contacts, c.command ? "cwfrfx" : "cwfr") << '"' << c.input << '"';
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

TEST(ReplyScanner, ReadsWhatPercentDReadsWithinTheSignedThirtyTwoBitRange) {
  const ScanCase cases[] = {
      {"-9\n", -9},
      {"  -0\n", 0},
      {"0x1F\n", 0},
      {"+\n", std::nullopt},
      {"+-3\n", std::nullopt},
      {"- 3\n", std::nullopt},
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
  const ScanCase cases[] = {
      {"7\n", 7}, {"7 x\n", 7}, {"x y\n", std::nullopt}, {"-\n", std::nullopt}};
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
