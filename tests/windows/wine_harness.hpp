// Runs the cross-built Windows programs under Wine for the end-to-end tests of the Windows
// launcher, either without any terminal (standard streams on files or pipes) or in a real
// console: a tmux pane, read back row by row. POSIX only.
//
// Paths are POSIX paths unless a name says windows_path; Wine maps the POSIX root to drive
// Z:, so every POSIX path has a Windows spelling. Every run uses the private Wine prefix
// that the test fixture made, with Wine's own diagnostics turned off.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "run_program.hpp"

namespace quesdral::testing {

// Why the Windows tests cannot run here (no cross build, no Wine, no prefix), or nothing
// when they can.
std::optional<std::string> missing_for_wine();

// Why the console tests cannot run here (the above, or no tmux), or nothing.
std::optional<std::string> missing_for_console();

// The cross-built 64-bit launcher and the stand-in tool.
std::string windows_launcher();
std::string stand_in_tool();
// The cross build's bin/, where the real tools land beside the launcher.
std::string windows_bin_dir();

// "Z:\dir\file" for "/dir/file".
std::string windows_path(const std::string& posix_path);

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object dies.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

struct WineOptions {
  std::vector<std::string> command;       // Windows program (a POSIX or Windows path), arguments
  std::string input;                      // the whole of standard input
  std::string working_dir;                // REQUIRES: an existing folder
  bool stdout_to_file = true;             // else a pipe
  std::vector<std::string> env_set = {};  // "NAME=value" entries added to the environment
};

// Runs `options.command` under Wine in a session of its own, so that it has no terminal
// and hence no console; standard input comes from a file, standard error goes to a file.
// The result's `out` holds standard output whichever way it went.
ProgramRun run_under_wine(const WineOptions& options);

// A tmux server of its own with one pane of the given size, running `shell_command` under
// /bin/sh with WINEPREFIX and WINEDEBUG set for Wine and WINE naming its loader. The server ends
// with the object.
class ConsolePane {
 public:
  ConsolePane(int columns, int rows, const std::string& shell_command);
  ~ConsolePane();
  ConsolePane(const ConsolePane&) = delete;
  ConsolePane& operator=(const ConsolePane&) = delete;

  // The pane's visible rows, top first, without trailing blanks.
  std::vector<std::string> rows() const;
  // The cursor's column and row, both counted from 1.
  std::pair<int, int> cursor() const;
  // Types `text`, then Enter, as a user at the keyboard would.
  void type_line(const std::string& text) const;

 private:
  std::string tmux(const std::vector<std::string>& args) const;
  ScratchDir dir_;
  std::string socket_;
};

// Waits until `done` returns true, checking every 50 ms for at most `timeout_ms`; returns
// its last answer.
bool wait_until(const std::function<bool()>& done, int timeout_ms = 20000);

// `text` quoted for /bin/sh.
std::string shell_quote(const std::string& text);

// `text` with every "\n" turned into "\r\n", as Windows text mode writes it.
std::string with_crlf(const std::string& text);

}  // namespace quesdral::testing
