// The launcher's platform side on Windows: the console and the command interpreter.
#include <windows.h>

#include <cstdlib>

#include "platform.hpp"

namespace quesdral {
namespace {

// The console's output device, opened by name so that the clear reaches the screen even
// when standard output is redirected. Its size and colours are read once at start: the
// clear restores the colours the user had when the launcher began.
HANDLE console_output = INVALID_HANDLE_VALUE;
CONSOLE_SCREEN_BUFFER_INFO screen_at_start{};
bool have_screen = false;

}  // namespace

namespace platform {

void clear_console() {
  if (!have_screen)
    return;
  const DWORD cells =
      static_cast<DWORD>(screen_at_start.dwSize.X) * static_cast<DWORD>(screen_at_start.dwSize.Y);
  const COORD top_left{0, 0};
  DWORD written = 0;
  FillConsoleOutputCharacterA(console_output, ' ', cells, top_left, &written);
  FillConsoleOutputAttribute(console_output, screen_at_start.wAttributes, cells, top_left,
                             &written);
  SetConsoleCursorPosition(console_output, top_left);
}

void open_console() {
  console_output =
      CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  have_screen = console_output != INVALID_HANDLE_VALUE &&
                GetConsoleScreenBufferInfo(console_output, &screen_at_start) != 0;
}

void close_console() {
  if (console_output != INVALID_HANDLE_VALUE)
    CloseHandle(console_output);
  console_output = INVALID_HANDLE_VALUE;
  have_screen = false;
}

bool stdout_is_console() {
  // _isatty() also says yes for the NUL device; only a console has a console mode.
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_OUTPUT_HANDLE), &mode) != 0;
}

void run_command(const char* command) {
  // The C runtime starts COMSPEC, or else CMD.EXE from the current directory and PATH,
  // with "/c" and the command; the console's own Ctrl+C ends the launcher with the tool.
  std::system(command);
}

}  // namespace platform
}  // namespace quesdral
