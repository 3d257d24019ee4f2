#include "run_program.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <utility>

extern char** environ;

namespace quesdral::testing {
namespace {

std::vector<std::string> child_environment(const ProgramOptions& options) {
  std::vector<std::string> env;
  auto overridden = [&](const std::string& entry) {
    const std::string name = entry.substr(0, entry.find('='));
    for (const auto& n : options.env_unset) {
      if (n == name)
        return true;
    }
    for (const auto& e : options.env_set) {
      if (e.substr(0, e.find('=')) == name)
        return true;
    }
    return false;
  };
  for (char** e = environ; *e != nullptr; ++e) {
    if (!overridden(*e))
      env.emplace_back(*e);
  }
  env.insert(env.end(), options.env_set.begin(), options.env_set.end());
  return env;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
  std::vector<char*> result;
  for (auto& s : strings)
    result.push_back(s.data());
  result.push_back(nullptr);
  return result;
}

[[noreturn]] void exec_child(const std::string& path, const ProgramOptions& options, int in_fd,
                             int out_fd, int err_fd) {
  if (options.stdin_closed) {
    close(0);
  } else {
    dup2(in_fd, 0);
  }
  if (options.stdout_path.empty()) {
    dup2(out_fd, 1);
  } else {
    const int fd = open(options.stdout_path.c_str(), O_WRONLY);
    if (fd < 0)
      _exit(126);
    dup2(fd, 1);
  }
  dup2(err_fd, 2);
  if (!options.working_dir.empty() && chdir(options.working_dir.c_str()) != 0)
    _exit(126);
  if (options.new_session)
    setsid();
  // A test runner started in the background may ignore these; the child gets the defaults.
  for (int sig : {SIGPIPE, SIGINT, SIGQUIT})
    signal(sig, SIG_DFL);
  if (options.sigchld_ignored)
    signal(SIGCHLD, SIG_IGN);
  std::vector<std::string> argv_strings{path};
  argv_strings.insert(argv_strings.end(), options.args.begin(), options.args.end());
  std::vector<std::string> env_strings = child_environment(options);
  auto argv = pointers(argv_strings);
  auto envp = pointers(env_strings);
  if (options.address_space_kb > 0) {
    const rlim_t bytes = static_cast<rlim_t>(options.address_space_kb) * 1024;
    const rlimit limit{bytes, bytes};
    if (setrlimit(RLIMIT_AS, &limit) != 0)
      _exit(126);
  }
  execve(path.c_str(), argv.data(), envp.data());
  _exit(127);
}

void set_nonblocking(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
}

// Moves bytes between the test and the child until both output pipes reach end of file or
// the deadline passes.
bool pump(int in_fd, int out_fd, int err_fd, const std::string& input, ProgramRun& run,
          int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  size_t written = 0;
  if (in_fd >= 0 && input.empty()) {
    close(in_fd);
    in_fd = -1;
  }
  while (out_fd >= 0 || err_fd >= 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0)
      return false;
    pollfd fds[3] = {{in_fd, POLLOUT, 0}, {out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    if (poll(fds, 3, static_cast<int>(left.count())) < 0 && errno != EINTR)
      return false;
    if (in_fd >= 0 && (fds[0].revents & (POLLOUT | POLLERR | POLLHUP))) {
      const ssize_t n = write(in_fd, input.data() + written, input.size() - written);
      if (n > 0)
        written += static_cast<size_t>(n);
      if (n < 0 && errno != EAGAIN)
        written = input.size();
      if (written == input.size()) {
        close(in_fd);
        in_fd = -1;
      }
    }
    int* fds_out[2] = {&out_fd, &err_fd};
    std::string* sinks[2] = {&run.out, &run.err};
    for (int i = 0; i < 2; ++i) {
      if (*fds_out[i] < 0 || !(fds[i + 1].revents & (POLLIN | POLLHUP | POLLERR)))
        continue;
      char buffer[65536];
      const ssize_t n = read(*fds_out[i], buffer, sizeof buffer);
      if (n > 0) {
        sinks[i]->append(buffer, static_cast<size_t>(n));
      } else if (n == 0 || errno != EAGAIN) {
        close(*fds_out[i]);
        *fds_out[i] = -1;
      }
    }
  }
  if (in_fd >= 0)
    close(in_fd);
  return true;
}

}  // namespace

ProgramRun run_program(const std::string& path, const ProgramOptions& options) {
  int in[2], out[2], err[2];
  if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) {
    std::abort();
  }
  if (options.stdout_closed_pipe) {
    close(out[0]);
    out[0] = -1;
  }
  const pid_t pid = fork();
  if (pid == 0)
    exec_child(path, options, in[0], out[1], err[1]);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  ProgramRun run;
  const int in_fd = options.stdin_closed ? (close(in[1]), -1) : in[1];
  // A child that stops reading its input must not kill the test with SIGPIPE.
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  struct sigaction previous {};
  sigaction(SIGPIPE, &ignore, &previous);
  for (int fd : {in_fd, out[0], err[0]}) {
    if (fd >= 0)
      set_nonblocking(fd);
  }
  run.timed_out = !pump(in_fd, out[0], err[0], options.input, run, options.timeout_ms);
  if (run.timed_out)
    kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  sigaction(SIGPIPE, &previous, nullptr);
  if (WIFEXITED(status))
    run.exit_code = WEXITSTATUS(status);
  if (WIFSIGNALED(status))
    run.signal = WTERMSIG(status);
  return run;
}

std::string bin_dir() {
  const char* dir = std::getenv("QUESDRAL_BIN_DIR");
  return dir != nullptr ? dir : QUESDRAL_DEFAULT_BIN_DIR;
}

std::string program_path(const std::string& name) {
  return bin_dir() + "/" + name;
}

ProgramRun run_with_args(const std::string& name, std::vector<std::string> args) {
  ProgramOptions options;
  options.args = std::move(args);
  return run_program(program_path(name), options);
}

ProgramRun run_with_input(const std::string& name, const std::string& input) {
  ProgramOptions options;
  options.input = input;
  return run_program(program_path(name), options);
}

}  // namespace quesdral::testing
