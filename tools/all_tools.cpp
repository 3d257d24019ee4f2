#include "tool_definitions.hpp"

namespace quesdral::tools {

const std::array<ToolFactory, kToolCount>& all_tools() {
  static constexpr std::array<ToolFactory, kToolCount> kFactories{
      vorlix_tool,   truska_tool,  quilbern_tool, noskarte_tool, pelunda_tool, zorivek_tool,
      fenzo_tool,    braskel_tool, tolveni_tool,  lipra_tool,    quav_tool,    zirr_tool,
      rumbeldv_tool, hopri_tool,   salduven_tool, wirn_tool,     grendax_tool, yombric_tool};
  return kFactories;
}

}  // namespace quesdral::tools
