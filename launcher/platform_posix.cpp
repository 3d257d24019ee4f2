// The launcher's platform side on POSIX: the terminal, the shell and PATH.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform.hpp"

namespace quesdral {
namespace {

// Cursor home, erase the display, erase the scrollback: together what clearing the whole
// screen buffer of a Windows console amounts to.
constexpr char kClearSequence[] = "\x1b[H\x1b[2J\x1b[3J";

void write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = write(fd, data, size);
    if (n < 0 && errno == EINTR)
      continue;
    if (n <= 0)
      return;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

// The tools are built beside the launcher, so its own folder is searched before PATH; the
// shell and the tool inherit the new PATH. The current directory is never added. Without
// /proc (or for a folder whose name holds ':', which PATH cannot express) PATH stays as
// it is. Plain C memory keeps the launcher free of the C++ runtime, whose loading would
// cost more than everything else the launcher does.
void put_own_folder_first_on_path() {
  char folder[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", folder, sizeof folder - 1);
  if (length <= 0)
    return;
  folder[length] = '\0';
  char* slash = std::strrchr(folder, '/');
  if (slash == nullptr || std::strchr(folder, ':') != nullptr)
    return;
  slash[slash == folder ? 1 : 0] = '\0';

  // An unset PATH stands for the shell's own default search path.
  char fallback[1024] = "";
  const char* inherited = std::getenv("PATH");
  if (inherited == nullptr && confstr(_CS_PATH, fallback, sizeof fallback) > 0) {
    inherited = fallback;
  }
  if (inherited == nullptr)
    inherited = "";
  const std::size_t size = std::strlen(folder) + 1 + std::strlen(inherited) + 1;
  char* path = static_cast<char*>(std::malloc(size));
  if (path == nullptr)
    return;
  std::snprintf(path, size, "%s:%s", folder, inherited);
  setenv("PATH", path, 1);
  std::free(path);
}

}  // namespace

namespace platform {

void clear_console() {
  // The controlling terminal, not standard output: the clear must reach the screen even
  // when the output is redirected, and must never land in a file.
  const int tty = open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (tty < 0)
    return;
  write_all(tty, kClearSequence, sizeof kClearSequence - 1);
  close(tty);
}

void open_console() {}

void close_console() {}

bool stdout_is_console() {
  return isatty(STDOUT_FILENO) == 1;
}

void run_command(const char* command) {
  put_own_folder_first_on_path();
  // A parent that ignores SIGCHLD hands that on to us, and then system() cannot collect the
  // shell's status (ECHILD): an interrupt would go unnoticed and the tool would inherit the
  // odd setting too. The default action restores both.
  std::signal(SIGCHLD, SIG_DFL);
  const int status = std::system(command);
  // system() ignores SIGINT and SIGQUIT in the caller while the shell runs. When Ctrl+C
  // ended the shell, the launcher ends by the same signal, so its own caller sees an
  // interrupted program rather than success.
  if (status != -1 && WIFSIGNALED(status)) {
    const int signal = WTERMSIG(status);
    if (signal == SIGINT || signal == SIGQUIT) {
      std::signal(signal, SIG_DFL);
      std::raise(signal);
    }
  }
}

}  // namespace platform
}  // namespace quesdral
