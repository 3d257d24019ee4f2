// Runs a program in a new pseudo-terminal, as a user at a terminal would, for tests of what
// reaches the screen as opposed to standard output. POSIX only.
#pragma once

#include <string>

namespace quesdral::testing {

struct TerminalRun {
  std::string screen;  // every byte the program sent to the terminal (echo included)
  int exit_code = -1;  // exit status, or -1 when the program did not exit normally
  int signal = 0;      // the signal that ended it, or 0
  bool timed_out = false;
};

// The program becomes the session leader of a new pseudo-terminal, which is its controlling
// terminal, standard input and standard error; `typed` is typed at the keyboard at once.
// Standard output goes to the file `stdout_path` when it is not empty, else to the terminal.
TerminalRun run_in_terminal(const std::string& path, const std::string& typed,
                            const std::string& stdout_path = "", int timeout_ms = 20000);

}  // namespace quesdral::testing
