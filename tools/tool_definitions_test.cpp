#include "tool_definitions.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace quesdral::tools {
namespace {

// The tools' program finds a tool by the name it was started as, so every command must
// name its own definition, whatever folder it is started from.
TEST(ToolNamed, EveryCommandFindsTheDefinitionOfItsRow) {
  for (const ToolEntry& entry : kToolCatalogue) {
    for (const std::string& path :
         {std::string(entry.command), "/usr/bin/" + std::string(entry.command),
          "C:\\\\bin\\\\" + std::string(entry.command)}) {
      const ToolFactory factory = tool_named(path);
      ASSERT_NE(factory, nullptr) << path;
      const cli::Tool tool = factory();
      EXPECT_STREQ(tool.command, entry.command);
      EXPECT_STREQ(tool.label, entry.label);
    }
  }
  for (const char* other : {"", "quesdral-tools", "VORLIX.EXE", "vorlix", "vorlix.exe/"})
    EXPECT_EQ(tool_named(other), nullptr) << other;
}

// A key that appears twice in a record would leave a script one of two values by one name.
TEST(ToolOutput, EveryRecordNamesEachValueOnce) {
  for (const ToolFactory factory : all_tools()) {
    const cli::Tool tool = factory();
    SCOPED_TRACE(tool.command);
    std::set<std::string> keys = {"error"};
    std::size_t count = 1;
    for (const std::vector<cli::FieldSpec>& fields :
         {cli::leading_fields(tool.inputs), tool.output.fields}) {
      for (const cli::FieldSpec& field : fields) {
        keys.insert(field.key);
        ++count;
      }
    }
    for (const cli::TableSpec& table : tool.output.tables) {
      keys.insert(table.name);
      ++count;
      std::set<std::string> columns;
      for (const cli::FieldSpec& column : table.columns)
        EXPECT_TRUE(columns.insert(column.key).second) << table.name << "." << column.key;
    }
    EXPECT_EQ(keys.size(), count);
    EXPECT_FALSE(tool.output.fields.empty() && tool.output.tables.empty());
  }
}

}  // namespace
}  // namespace quesdral::tools
