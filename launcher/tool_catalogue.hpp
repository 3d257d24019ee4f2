// The catalogue of the suite's eighteen tools: the launcher's one table.
//
// Each row says what the menu shows for a tool and which command runs it. The table is
// constant and built into the program; rows are numbered 1 to 18 without gaps, in the
// order the menu lists them.
#pragma once

#include <array>
#include <string_view>

namespace quesdral {

struct ToolEntry {
  int number;               // what the user types to choose the tool, 1 to 18
  const char* label;        // upper case, at most 8 characters
  const char* description;  // one line, shown after the label
  const char* command;      // the tool's program file name, handed unchanged to the shell
};

inline constexpr std::size_t kToolCount = 18;
using ToolCatalogue = std::array<ToolEntry, kToolCount>;

// The eighteen rows in ascending number order.
const ToolCatalogue& tool_catalogue();

// The row's menu line: a line break, one blank, the number left-aligned in two columns,
// one blank, the label left-aligned in ten columns, then the description with no line
// break of its own. Row 1's line starts with two more line breaks, which separate the
// menu from the banner above it.
// REQUIRES: entry is one of the rows of tool_catalogue().
std::string_view format_menu_line(const ToolEntry& entry);

// The row whose number equals `number`, or nullptr for any number outside 1 to 18.
const ToolEntry* find_tool(long long number);

}  // namespace quesdral
