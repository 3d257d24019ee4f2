// Runs that meet the end of memory: the tools say so and end with status 3, never by abort.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_program.hpp"

namespace quesdral::testing {
namespace {

ProgramRun run_limited(const std::string& name, std::vector<std::string> args, long limit_kb) {
  ProgramOptions options;
  options.args = std::move(args);
  options.address_space_kb = limit_kb;
  return run_program(program_path(name), options);
}

// The smallest address space, in steps of 128 KB, in which the program starts and computes
// a small case; below it the loader itself fails, before any code of ours runs. 0 when even
// 64 MB is too little (a build under AddressSanitizer, which reserves far more).
long smallest_working_limit_kb() {
  for (long limit_kb = 1024; limit_kb <= 65536; limit_kb += 128) {
    if (run_limited("vorlix.exe", {"1"}, limit_kb).exit_code == 0)
      return limit_kb;
  }
  return 0;
}

// Each case needs megabytes for its results (10,000 modes as text and json; 1000 harmonics
// as json), given a little room above what starting takes: well short of what it needs.
TEST(OutOfMemory, SaysSoAndEndsWithStatusThree) {
  const long start_kb = smallest_working_limit_kb();
  if (start_kb == 0)
    GTEST_SKIP() << "no address-space limit lets the program start";
  struct Case {
    const char* command;
    std::vector<std::string> args;
    long room_kb;  // above start_kb
  };
  const Case cases[] = {
      {"yombric.exe", {"--format", "json", "30", "20", "12", "230", "20"}, 2048},
      {"yombric.exe", {"30", "20", "12", "230", "20"}, 1024},
      {"lipra.exe", {"--format", "json", "27.5", "1000"}, 256},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command + (" " + c.args.front()));
    const ProgramRun run = run_limited(c.command, c.args, start_kb + c.room_kb);
    EXPECT_EQ(run.signal, 0);
    EXPECT_EQ(run.exit_code, 3);
    EXPECT_EQ(run.err, std::string(c.command) + ": not enough memory\n");
  }
}

}  // namespace
}  // namespace quesdral::testing
