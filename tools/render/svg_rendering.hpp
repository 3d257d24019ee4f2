// A drawing of a tool's result as an SVG file: the option --svg FILE.
#pragma once

#include <functional>
#include <string>

#include "cli/tool.hpp"

namespace quesdral::render {

// The drawing of one case: a whole SVG document (charts.hpp).
using DrawFn = std::function<std::string(const cli::Values& values)>;

// Gives `tool` the option --svg, drawing each case with `draw`.
void renders_drawing(cli::Tool& tool, DrawFn draw);

}  // namespace quesdral::render
