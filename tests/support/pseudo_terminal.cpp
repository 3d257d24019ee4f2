#include "pseudo_terminal.hpp"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace quesdral::testing {
namespace {

[[noreturn]] void exec_in_terminal(const std::string& path, const TerminalOptions& options) {
  if (!options.stdout_path.empty()) {
    const int fd = open(options.stdout_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
      _exit(126);
    dup2(fd, 1);
    close(fd);
  }
  if (options.stdin_closed)
    close(0);
  for (int sig : {SIGPIPE, SIGINT, SIGQUIT})
    signal(sig, SIG_DFL);
  execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
  _exit(127);
}

}  // namespace

TerminalRun run_in_terminal(const std::string& path, const TerminalOptions& options) {
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid < 0)
    return {};
  if (pid == 0)
    exec_in_terminal(path, options);

  TerminalRun run;
  bool typed = false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(options.timeout_ms);
  for (;;) {
    if (!typed && run.screen.find(options.type_after) != std::string::npos) {
      typed = true;
      if (!options.typed.empty() && write(master, options.typed.data(), options.typed.size()) < 0)
        run.timed_out = true;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd fd{master, POLLIN, 0};
    if (left.count() <= 0 || poll(&fd, 1, static_cast<int>(left.count())) == 0) {
      run.timed_out = true;
      kill(pid, SIGKILL);
      break;
    }
    char buffer[4096];
    const ssize_t n = read(master, buffer, sizeof buffer);
    if (n > 0) {
      run.screen.append(buffer, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      break;  // EIO: the last program holding the terminal has ended
    }
  }
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  close(master);
  if (WIFEXITED(status))
    run.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status))
    run.signal = WTERMSIG(status);
  return run;
}

}  // namespace quesdral::testing
