// Runs a program in a new pseudo-terminal, as a user at a terminal would, for tests of what
// reaches the screen as opposed to standard output. POSIX only.
#pragma once

#include <string>

namespace quesdral::testing {

struct TerminalOptions {
  std::string typed;          // typed at the keyboard, all at once
  std::string type_after;     // when not empty, nothing is typed before the terminal shows this
  std::string stdout_path;    // when not empty, standard output goes to this file
  bool stdin_closed = false;  // start with fd 0 closed instead of the terminal
  int timeout_ms = 20000;     // the program is killed after this long
};

struct TerminalRun {
  std::string screen;  // every byte the program sent to the terminal (echo included)
  int exit_code = -1;  // exit status, or -1 when the program did not exit normally
  int signal = 0;      // the signal that ended it, or 0
  bool timed_out = false;
};

// The program becomes the session leader of a new pseudo-terminal, which is its controlling
// terminal, standard input and standard error, and its standard output unless
// options.stdout_path names a file. Waiting for options.type_after keeps the terminal's echo
// of the typed text from landing in the middle of what the program writes before it reads.
TerminalRun run_in_terminal(const std::string& path, const TerminalOptions& options);

}  // namespace quesdral::testing
