#include "cli/rendering.hpp"

namespace quesdral::cli {

std::string numbered_path(const std::string& path, std::size_t line) {
  if (line == 0)
    return path;
  const std::size_t name_start =
      path.find_last_of("/\\") == std::string::npos ? 0 : path.find_last_of("/\\") + 1;
  std::size_t dot = path.rfind('.');
  // A dot that starts the name (".wav") or lies in a folder's name is no extension.
  if (dot == std::string::npos || dot <= name_start)
    dot = path.size();
  return path.substr(0, dot) + "-" + std::to_string(line) + path.substr(dot);
}

}  // namespace quesdral::cli
