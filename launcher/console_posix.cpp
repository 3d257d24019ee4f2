// The launcher's platform side on POSIX terminals.
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

#include "launch_flow.hpp"
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
// it is.
void put_own_folder_first_on_path() {
  char exe[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (length <= 0)
    return;
  exe[length] = '\0';
  char* slash = std::strrchr(exe, '/');
  if (slash == nullptr || std::memchr(exe, ':', static_cast<std::size_t>(length)) != nullptr) {
    return;
  }
  std::string path(exe, slash == exe ? 1 : static_cast<std::size_t>(slash - exe));
  path += ':';
  if (const char* inherited = std::getenv("PATH")) {
    path += inherited;
  } else {
    // The shell's own default search path, which an unset PATH stands for.
    char fallback[1024];
    if (confstr(_CS_PATH, fallback, sizeof fallback) > 0)
      path += fallback;
  }
  setenv("PATH", path.c_str(), 1);
}

}  // namespace

void clear_console() {
  // The controlling terminal, not standard output: the clear must reach the screen even
  // when the output is redirected, and must never land in a file.
  const int tty = open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (tty < 0)
    return;
  write_all(tty, kClearSequence, sizeof kClearSequence - 1);
  close(tty);
}

namespace platform {

void open_console() {}

void close_console() {}

bool stdout_is_console() {
  return isatty(STDOUT_FILENO) == 1;
}

void run_command(const char* command) {
  put_own_folder_first_on_path();
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
