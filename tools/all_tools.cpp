#include "tool_definitions.hpp"

namespace quesdral::tools {

const std::array<ToolFactory, kToolCount>& all_tools() {
  static constexpr std::array<ToolFactory, kToolCount> kFactories{
      vorlix_tool,   truska_tool,  quilbern_tool, noskarte_tool, pelunda_tool, zorivek_tool,
      fenzo_tool,    braskel_tool, tolveni_tool,  lipra_tool,    quav_tool,    zirr_tool,
      rumbeldv_tool, hopri_tool,   salduven_tool, wirn_tool,     grendax_tool, yombric_tool};
  return kFactories;
}

ToolFactory tool_named(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  for (std::size_t i = 0; i < kToolCount; ++i) {
    if (name == kToolCatalogue[i].command)
      return all_tools()[i];
  }
  return nullptr;
}

}  // namespace quesdral::tools
