#include "tool_definitions.hpp"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace quesdral::tools
