// The launcher's platform side on Windows: the console and the command interpreter.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform.hpp"

namespace quesdral {
namespace {

// The console's output device, opened by name so that the clear reaches the screen even
// when standard output is redirected. Its size and colours are read once at start: the
// clear restores the colours the user had when the launcher began.
HANDLE console_output = INVALID_HANDLE_VALUE;
CONSOLE_SCREEN_BUFFER_INFO screen_at_start{};
bool have_screen = false;

// The launcher's own folder, from the path of its program: wide characters throughout, so
// that any folder name survives. Empty when it cannot be had.
std::wstring own_folder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0)
      return {};
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    // Cut short: a long path (up to 32,767 characters) needs a larger buffer.
    if (path.size() >= 32768)
      return {};
    path.resize(path.size() * 2);
  }
  const std::wstring::size_type slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos)
    return {};
  // "C:\" keeps its backslash: "C:" alone would mean the current folder of drive C.
  path.resize(slash == 2 && path[1] == L':' ? slash + 1 : slash);
  return path;
}

// The tools are built and shipped beside the launcher, so its own folder goes in front of
// the PATH that the interpreter and the tool inherit; started from another folder or from a
// shortcut, the launcher still runs its own suite. The interpreter searches the current
// folder first all the same: that is its own rule. A folder whose name holds ';' is quoted,
// as the interpreter reads PATH. An unset or empty PATH becomes the folder alone.
void put_own_folder_first_on_path() {
  std::wstring path = own_folder();
  if (path.empty())
    return;
  if (path.find(L';') != std::wstring::npos)
    path = L'"' + path + L'"';
  const DWORD inherited_size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
  if (inherited_size > 1) {
    std::wstring inherited(inherited_size, L'\0');
    const DWORD length = GetEnvironmentVariableW(L"PATH", inherited.data(), inherited_size);
    if (length > 0 && length < inherited_size) {
      inherited.resize(length);
      path += L';' + inherited;
    }
  }
  // The C runtime keeps a copy of the environment beside the process's own; _wputenv sets
  // both, whichever of them the runtime's system() hands on.
  const std::wstring setting = L"PATH=" + path;
  _wputenv(setting.c_str());
}

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
  put_own_folder_first_on_path();
  // The C runtime starts COMSPEC, or else CMD.EXE from the current directory and PATH,
  // with "/c" and the command; the console's own Ctrl+C ends the launcher with the tool.
  std::system(command);
}

}  // namespace platform
}  // namespace quesdral
