// The main of every tool: the build compiles this file once per tool, with
// QUESDRAL_TOOL_DEFINITION naming that tool's definition (vorlix_tool, ...).
#include "tool_definitions.hpp"

int main(int argc, char** argv) {
  return quesdral::cli::run_tool(quesdral::tools::QUESDRAL_TOOL_DEFINITION, argc, argv);
}
