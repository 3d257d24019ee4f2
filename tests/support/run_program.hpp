// Runs a built program as a child process for end-to-end tests: feeds it standard input,
// captures its standard output and error, and reports how it ended. POSIX only.
#pragma once

#include <string>
#include <vector>

namespace quesdral::testing {

struct ProgramOptions {
  std::vector<std::string> args;       // argv[1...]
  std::string input;                   // written to the child's stdin, which then closes
  bool stdin_closed = false;           // start with fd 0 closed instead of a pipe
  bool stdout_closed_pipe = false;     // stdout is a pipe whose reading end is already closed
  std::string stdout_path;             // stdout goes to this file instead (e.g. /dev/full)
  std::vector<std::string> env_set;    // "NAME=value" entries added or replaced
  std::vector<std::string> env_unset;  // names removed from the environment
  std::string working_dir;             // empty: the test's own
  bool new_session = false;            // setsid(): the child has no controlling terminal
  bool sigchld_ignored = false;  // the child starts with SIGCHLD ignored, as some parents leave it
  int timeout_ms = 20000;        // the child is killed after this long
  long address_space_kb = 0;     // the child's address space is limited to this; 0: no limit
};

struct ProgramRun {
  int exit_code = -1;  // exit status, or -1 when the child did not exit normally
  int signal = 0;      // the signal that ended the child, or 0
  bool timed_out = false;
  std::string out;
  std::string err;
};

// REQUIRES: path names an executable file.
ProgramRun run_program(const std::string& path, const ProgramOptions& options = {});

// The folder that holds the suite's built programs (the build's bin/).
std::string bin_dir();

// bin_dir() + "/" + name.
std::string program_path(const std::string& name);

// Runs the suite's program `name` with these arguments and empty input.
ProgramRun run_with_args(const std::string& name, std::vector<std::string> args);

// Runs the suite's program `name` without arguments, `input` on its standard input.
ProgramRun run_with_input(const std::string& name, const std::string& input);

}  // namespace quesdral::testing
