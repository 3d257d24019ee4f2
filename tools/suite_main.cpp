// The main of the one program that holds all eighteen tools, installed under each tool's
// command (vorlix.exe, ...) as a link: it runs the tool it was started as. One statically
// linked program starts as fast as a minimal C program and takes the room of one tool.
#include <cstdio>

#include "tool_definitions.hpp"

int main(int argc, char** argv) {
  const quesdral::tools::ToolFactory tool = quesdral::tools::tool_named(argc > 0 ? argv[0] : "");
  if (tool == nullptr) {
    std::fputs(
        "quesdral-tools: start this program through one of its links, named as the tools' "
        "commands (vorlix.exe ... yombric.exe)\n",
        stderr);
    return quesdral::cli::kExitInvalid;
  }
  return quesdral::cli::run_tool(tool, argc, argv);
}
