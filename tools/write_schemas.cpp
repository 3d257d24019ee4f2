// Writes the JSON Schema file of every tool's csv and json (cli/schema.hpp) from the tools'
// own definitions, so that the files in schemas/ never say other than the programs write:
//   write_schemas DIR          writes DIR/<command>.schema.json for every tool
//   write_schemas --check DIR  exits 1, naming them, when the files in DIR differ
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "tool_definitions.hpp"

int main(int argc, char** argv) {
  const bool check = argc == 3 && std::string(argv[1]) == "--check";
  if (argc != 2 && !check) {
    std::cerr << "usage: write_schemas [--check] DIR\n";
    return 2;
  }
  const std::string dir = argv[argc - 1];
  int status = 0;
  for (const quesdral::tools::ToolFactory factory : quesdral::tools::all_tools()) {
    const quesdral::cli::Tool tool = factory();
    const std::string path = dir + "/" + quesdral::cli::schema_file(tool);
    const std::string schema = quesdral::cli::json_schema(tool);
    if (check) {
      std::ifstream in(path, std::ios::binary);
      std::ostringstream found;
      found << in.rdbuf();
      if (found.str() != schema) {
        std::cerr << path << " differs from what " << tool.command << " writes; run write_schemas "
                  << dir << "\n";
        status = 1;
      }
      continue;
    }
    std::ofstream out(path, std::ios::binary);
    out << schema;
    if (!out.flush()) {
      std::cerr << "write_schemas: cannot write " << path << "\n";
      status = 1;
    }
  }
  return status;
}
