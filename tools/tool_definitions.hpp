// The eighteen tools of the suite, each a definition that run_tool brings to life. Each
// tool's program is tool_main.cpp built around one of these; tests and fuzzers take them
// all from all_tools().
#pragma once

#include <array>
#include <string_view>

#include "cli/tool.hpp"
#include "tool_catalogue.hpp"

namespace quesdral::tools {

cli::Tool vorlix_tool();
cli::Tool truska_tool();
cli::Tool quilbern_tool();
cli::Tool noskarte_tool();
cli::Tool pelunda_tool();
cli::Tool zorivek_tool();
cli::Tool fenzo_tool();
cli::Tool braskel_tool();
cli::Tool tolveni_tool();
cli::Tool lipra_tool();
cli::Tool quav_tool();
cli::Tool zirr_tool();
cli::Tool rumbeldv_tool();
cli::Tool hopri_tool();
cli::Tool salduven_tool();
cli::Tool wirn_tool();
cli::Tool grendax_tool();
cli::Tool yombric_tool();

using ToolFactory = cli::Tool (*)();

// Every tool's definition in the catalogue's order: all_tools()[n - 1] is row n's tool.
const std::array<ToolFactory, kToolCount>& all_tools();

// The definition of the tool whose command is the last part of `path` ("vorlix.exe",
// "/usr/bin/vorlix.exe"), or nullptr for any other name.
ToolFactory tool_named(std::string_view path);

}  // namespace quesdral::tools
