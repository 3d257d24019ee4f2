// Tables of per-tool test data for tests that cover every tool. The tools such a test runs
// are the launcher catalogue's rows, in catalogue order; its table only says, by command,
// what each tool is run with. A row without an entry fails the test, so a tool added to the
// catalogue cannot go untested, and so does an entry whose command no row has.
#pragma once

#include <gtest/gtest.h>

#include <iterator>
#include <string_view>
#include <vector>

#include "tool_catalogue.hpp"

namespace quesdral::testing {

// The catalogue's commands in catalogue order, for parameterised tests.
inline std::vector<const char*> catalogue_commands() {
  std::vector<const char*> commands;
  for (const ToolEntry& row : kToolCatalogue)
    commands.push_back(row.command);
  return commands;
}

// The entry of `table` whose `command` member equals `command`, or nullptr.
template <typename Table>
auto find_entry(const Table& table, std::string_view command) -> decltype(&*std::begin(table)) {
  for (const auto& entry : table) {
    if (command == entry.command)
      return &entry;
  }
  return nullptr;
}

// The entries of `table`, one per catalogue row in catalogue order. Called in a test: a row
// without an entry, or an entry for no row, adds a failure to it. REQUIRES: `table`
// outlives the result.
template <typename Table>
auto entries_for_every_row(const Table& table) {
  std::vector<decltype(&*std::begin(table))> entries;
  for (const ToolEntry& row : kToolCatalogue) {
    const auto* entry = find_entry(table, row.command);
    if (entry == nullptr) {
      ADD_FAILURE() << "the table has no entry for " << row.command;
    } else {
      entries.push_back(entry);
    }
  }
  for (const auto& entry : table) {
    if (find_command(entry.command) == nullptr)
      ADD_FAILURE() << entry.command << " is no catalogue row's command";
  }
  return entries;
}

}  // namespace quesdral::testing
