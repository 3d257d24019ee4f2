#include "tool_definitions.hpp"

namespace quesdral::tools {

const std::array<ToolFactory, kToolCount>& all_tools() {
  // tools/CMakeLists.txt writes the list from the catalogue's rows, in their order: each
  // command without ".exe", in lower case, then "_tool".
  static constexpr std::array<ToolFactory, kToolCount> kFactories{
#include "tool_factories.inc"
  };
  return kFactories;
}

ToolFactory tool_named(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  const ToolEntry* entry = find_command(name);
  return entry == nullptr ? nullptr : all_tools()[static_cast<std::size_t>(entry->number - 1)];
}

}  // namespace quesdral::tools
