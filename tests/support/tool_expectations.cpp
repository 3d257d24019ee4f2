#include "tool_expectations.hpp"

#include <gtest/gtest.h>

#include "run_program.hpp"

namespace quesdral::testing {
namespace {

std::string command_line(const char* command, const std::vector<std::string>& args) {
  std::string line = command;
  for (const std::string& arg : args)
    line += " " + arg;
  return line;
}

}  // namespace

void expect_exact_output(const ExactCase& c) {
  SCOPED_TRACE(command_line(c.command, c.args));
  const ProgramRun run = run_with_args(c.command, c.args);
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_EQ(run.out, c.out);
  EXPECT_EQ(run.err, "");
}

void expect_refusal(const RefusalCase& c) {
  SCOPED_TRACE(command_line(c.command, c.args));
  const ProgramRun run = run_with_args(c.command, c.args);
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(run.err.rfind(std::string(c.command) + ": ", 0), 0u) << run.err;
  EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
}

}  // namespace quesdral::testing
