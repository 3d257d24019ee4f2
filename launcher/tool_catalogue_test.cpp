#include "tool_catalogue.hpp"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstdint>
#include <string>

namespace quesdral {
namespace {

std::string lower(std::string text) {
  for (char& c : text)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// The layout written out from its parts: a line break, a blank, the number in two
// columns, a blank, the label in ten columns, the description.
std::string expected_line(const ToolEntry& e) {
  std::string number = std::to_string(e.number);
  number.resize(2, ' ');
  std::string label = e.label;
  label.resize(10, ' ');
  return std::string(e.number == 1 ? "\n\n\n" : "\n") + " " + number + " " + label + e.description;
}

TEST(ToolCatalogue, EveryMenuLineFollowsTheLayout) {
  for (const ToolEntry& entry : tool_catalogue()) {
    EXPECT_EQ(format_menu_line(entry), expected_line(entry)) << "row " << entry.number;
  }
}

TEST(ToolCatalogue, CommandsAreLowerCaseLabelsButForTwoRows) {
  for (const ToolEntry& entry : tool_catalogue()) {
    const std::string command = entry.command;
    const std::string naive = lower(entry.label) + ".exe";
    if (entry.number == 5) {
      EXPECT_EQ(command, "pelundA.exe");
    } else if (entry.number == 13) {
      EXPECT_EQ(command, "rumbeldv.exe");
    } else {
      EXPECT_EQ(command, naive);
      continue;
    }
    EXPECT_NE(command, naive) << "row " << entry.number;
  }
}

TEST(ToolCatalogue, LabelsAreUpperCaseAndAtMostEightLetters) {
  for (const ToolEntry& entry : tool_catalogue()) {
    const std::string label = entry.label;
    EXPECT_LE(label.size(), 8u);
    for (char c : label)
      EXPECT_TRUE(std::isupper(static_cast<unsigned char>(c))) << label;
  }
}

TEST(FindTool, MatchesExactlyTheRowNumbers) {
  const long long count = static_cast<long long>(kToolCount);
  for (long long n = 1; n <= count; ++n) {
    const ToolEntry* entry = find_tool(n);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->number, n);
  }
  const long long outside[] = {
      0,         count + 1, -1, -count, INT32_MAX, INT32_MIN, (1LL << 32) + 9, -(1LL << 32) + 9,
      LLONG_MIN, LLONG_MAX};
  for (long long n : outside)
    EXPECT_EQ(find_tool(n), nullptr) << n;
}

}  // namespace
}  // namespace quesdral
