// The launcher's whole run: clear the console, write the banner, the menu and the prompt,
// read one reply, run the tool it selects, wait for it and end with status 0. There is one
// pass only: no second menu, no second question, no return to the menu after a tool.
//
// The run meets the outside world only through a LauncherWorld, so that tests can hand it
// input and watch what it writes and runs without a console or a shell.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace quesdral {

// Reads the reply one character at a time, as the "%d" conversion does: white space (line
// breaks included) is skipped, then an optional sign and decimal digits; the number ends at
// the first character that is not a digit. Unlike "%d", a value outside the signed 32-bit
// range selects nothing instead of wrapping around. Whatever the reply holds, its whole line
// belongs to it: the scanner says when that line has ended, so that the launcher reads no
// byte beyond it (what follows stays for the tool) and leaves nothing of it behind (on a
// terminal, a rest left unread would be read next by the shell).
class ReplyScanner {
 public:
  // Takes the next character of input. Returns false once the reply's line has ended (the
  // character was its line break): read no further then.
  bool take(char c);

  // The number read so far, or nothing when the input held no number or one outside the
  // 32-bit range. Meaningful after take() returned false or the input ended.
  std::optional<std::int32_t> reply() const;

 private:
  enum class State { kBlank, kSign, kDigits, kRestOfLine, kDone };

  // The first character after the blanks or the sign: a digit starts the number, anything
  // else means the reply holds none.
  void start_number(char c);
  // True, and the scan done, when `c` is the line break that ends the reply's line.
  bool ends_line(char c);
  void add_digit(char c);

  State state_ = State::kBlank;
  bool negative_ = false;
  bool out_of_range_ = false;
  bool has_number_ = false;
  std::int64_t magnitude_ = 0;
};

// The run's contacts with the world. Every member must be set.
struct LauncherWorld {
  void (*clear_console)();
  void (*write)(const char* data, std::size_t size);  // to standard output
  int (*read_byte)();  // the next byte of standard input as 0 to 255, or -1 at its end
  void (*flush)();     // hands on whatever write() still holds
  void (*run_command)(const char* command);  // returns once the command has ended
};

// Clears the console, writes the screen and flushes it, reads the reply through the end of
// its line and no further and, when the reply selects a row, flushes again and runs that
// row's command. Returns the exit status, always 0.
int run_launcher(const LauncherWorld& world);

// The program's entry point: sets up the console and the standard streams, runs the flow
// once on them and returns the exit status, always 0. A tool that dies of a keyboard
// interrupt takes the launcher with it, as the console's Ctrl+C would on Windows.
int run_launcher();

}  // namespace quesdral
