// A stand-in for a tool or for the command interpreter, cross-built for Windows by the tests
// and copied under the names the launcher runs (fenzo.exe, cmd.exe, ...). It tells which
// copy ran and how, so that a test can see what the launcher started:
//
//   stand-in <file name>: command line [<as received>], console <yes|no>
//   next line: [<the next line of standard input, without its line end>]
//
// and then fails with status 3, so that a test also sees the launcher ignore the status.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kFailureStatus = 3;

bool has_console() {
  HANDLE console =
      CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                  nullptr, OPEN_EXISTING, 0, nullptr);
  if (console == INVALID_HANDLE_VALUE)
    return false;
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  const bool usable = GetConsoleScreenBufferInfo(console, &screen) != 0;
  CloseHandle(console);
  return usable;
}

}  // namespace

int main() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  const char* name = std::strrchr(path, '\\');
  name = name != nullptr ? name + 1 : path;
  std::printf("stand-in %s: command line [%s], console %s\n", name, GetCommandLineA(),
              has_console() ? "yes" : "no");

  // Whatever the launcher left unread after the reply belongs to the tool.
  char line[256] = "";
  if (std::fgets(line, sizeof line, stdin) != nullptr) {
    line[std::strcspn(line, "\r\n")] = '\0';
    std::printf("next line: [%s]\n", line);
  } else {
    std::printf("next line: none\n");
  }
  return kFailureStatus;
}
