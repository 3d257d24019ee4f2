#include "render/svg_rendering.hpp"

#include <utility>

namespace quesdral::render {

void renders_drawing(cli::Tool& tool, DrawFn draw) {
  tool.options.push_back({"--svg",
                          "FILE",
                          {},
                          "also draw the result to FILE (SVG);\n"
                          "                        in a batch FILE-N.svg for the case on line N"});
  tool.renderings.push_back({"--svg",
                             "the SVG file",
                             [draw = std::move(draw)](const cli::Values& values) {
                               return cli::Rendered{draw(values), {}, {}};
                             },
                             {}});
}

}  // namespace quesdral::render
