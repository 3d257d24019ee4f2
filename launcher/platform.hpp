// What the launch flow needs of the platform, implemented once per platform in
// console_posix.cpp and console_win32.cpp.
#pragma once

namespace quesdral::platform {

// Opens the console device, if there is one, and notes what clear_console() needs of it.
// Call once at start, before anything is written.
void open_console();

// Releases what open_console() took.
void close_console();

// True when standard output is the console itself (not a file, pipe or device).
bool stdout_is_console();

// Hands `command` to the command interpreter and waits, without a time limit, until it ends.
// Its status and any failure to start it are not the launcher's concern; an interrupt that
// ended it ends the launcher as well.
void run_command(const char* command);

}  // namespace quesdral::platform
