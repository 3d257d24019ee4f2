// What the launcher needs of the platform: the console, the command interpreter and the
// search path. Implemented once per platform, in platform_posix.cpp and platform_win32.cpp.
#pragma once

namespace quesdral::platform {

// Opens the console device, if there is one, and notes what clear_console() needs of it.
// Call once at start, before anything is written.
void open_console();

// Releases what open_console() took.
void close_console();

// Clears the console's screen to blanks in the colours it had at start and puts the cursor
// in the top-left cell. Acts on the console device, never on standard output; without a
// console it does nothing.
void clear_console();

// True when standard output is the console itself (not a file, pipe or device).
bool stdout_is_console();

// Hands `command` to the command interpreter and waits, without a time limit, until it ends.
// Its status and any failure to start it are not the launcher's concern; an interrupt that
// ended it ends the launcher as well. The launcher's own folder is put first on PATH for the
// interpreter and the tool, so that the tools beside the launcher are the ones found.
void run_command(const char* command);

}  // namespace quesdral::platform
