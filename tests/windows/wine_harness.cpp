#include "wine_harness.hpp"

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace quesdral::testing {
namespace {

namespace fs = std::filesystem;

// Written by CMake from what it found when the build was configured.
const std::string kWine64 = QUESDRAL_WINE64;
const std::string kTmux = QUESDRAL_TMUX;
const std::string kWindowsTestDir = QUESDRAL_WINDOWS_TEST_DIR;

bool found(const std::string& program) {
  return !program.empty() && program.find("NOTFOUND") == std::string::npos;
}

std::string wine_prefix() {
  return kWindowsTestDir + "/wine-prefix";
}

std::vector<std::string> wine_environment() {
  return {"WINEPREFIX=" + wine_prefix(), "WINEDEBUG=-all"};
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void write_file(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

}  // namespace

std::optional<std::string> missing_for_wine() {
  if (!fs::exists(kWindowsTestDir + "/mingw64-ready")) {
    return "the Windows cross build is missing (see the test windows_cross_build)";
  }
  if (!found(kWine64))
    return "Wine (wine64) was not found when the build was configured";
  if (!fs::exists(kWindowsTestDir + "/wine-prefix-ready")) {
    return "the Wine prefix is missing (see the test windows_wine_prefix)";
  }
  return std::nullopt;
}

std::optional<std::string> missing_for_console() {
  if (auto missing = missing_for_wine())
    return missing;
  if (!found(kTmux))
    return "tmux was not found when the build was configured";
  return std::nullopt;
}

std::string windows_bin_dir() {
  return QUESDRAL_WINDOWS_BIN_DIR;
}
std::string windows_launcher() {
  return windows_bin_dir() + "/quesdral.exe";
}
std::string stand_in_tool() {
  return kWindowsTestDir + "/stand_in_tool.exe";
}

std::string windows_path(const std::string& posix_path) {
  std::string path = "Z:" + posix_path;
  for (char& c : path) {
    if (c == '/')
      c = '\\';
  }
  return path;
}

ScratchDir::ScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "quesdral-windows-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    std::abort();
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

ProgramRun run_under_wine(const WineOptions& options) {
  ScratchDir streams;
  const std::string in = streams.path() + "/stdin";
  const std::string out = streams.path() + "/stdout";
  const std::string err = streams.path() + "/stderr";
  write_file(in, options.input);

  // setsid leaves the terminal behind, if the test has one, so Wine opens no console.
  std::string script = "exec setsid \"$0\" \"$@\" <\"$IN\" 2>\"$ERR\"";
  if (options.stdout_to_file)
    script += " >\"$OUT\"";
  ProgramOptions run_options;
  run_options.args = {"-c", script, kWine64};
  run_options.args.insert(run_options.args.end(), options.command.begin(), options.command.end());
  run_options.env_set = wine_environment();
  run_options.env_set.insert(run_options.env_set.end(), {"IN=" + in, "OUT=" + out, "ERR=" + err});
  run_options.env_set.insert(run_options.env_set.end(), options.env_set.begin(),
                             options.env_set.end());
  run_options.env_unset = {"DISPLAY", "WAYLAND_DISPLAY"};
  run_options.working_dir = options.working_dir;
  run_options.stdin_closed = true;

  ProgramRun run = run_program("/bin/sh", run_options);
  if (options.stdout_to_file)
    run.out = read_file(out);
  run.err = read_file(err);
  return run;
}

ConsolePane::ConsolePane(int columns, int rows, const std::string& shell_command)
    : socket_(dir_.path() + "/tmux.socket") {
  std::string command;
  for (const std::string& variable : wine_environment())
    command += variable + " ";
  command += "WINE=" + shell_quote(kWine64) + " ";
  command += "exec /bin/sh -c " + shell_quote(shell_command);
  // -f /dev/null: the user's own tmux settings must not change the pane.
  tmux({"-f", "/dev/null", "new-session", "-d", "-x", std::to_string(columns), "-y",
        std::to_string(rows), command});
}

ConsolePane::~ConsolePane() {
  tmux({"kill-server"});
}

std::string ConsolePane::tmux(const std::vector<std::string>& args) const {
  ProgramOptions options;
  options.args = {"-S", socket_};
  options.args.insert(options.args.end(), args.begin(), args.end());
  options.env_unset = {"TMUX", "DISPLAY", "WAYLAND_DISPLAY"};
  return run_program(kTmux, options).out;
}

std::vector<std::string> ConsolePane::rows() const {
  std::istringstream screen(tmux({"capture-pane", "-p"}));
  std::vector<std::string> rows;
  for (std::string row; std::getline(screen, row);) {
    row.erase(row.find_last_not_of(' ') + 1);
    rows.push_back(row);
  }
  return rows;
}

std::pair<int, int> ConsolePane::cursor() const {
  std::istringstream position(tmux({"display-message", "-p", "#{cursor_x} #{cursor_y}"}));
  int x = -1;
  int y = -1;
  position >> x >> y;
  return {x + 1, y + 1};
}

void ConsolePane::type_line(const std::string& text) const {
  tmux({"send-keys", "-l", text});
  tmux({"send-keys", "Enter"});
}

bool wait_until(const std::function<bool()>& done, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline)
      return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

std::string shell_quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

std::string with_crlf(const std::string& text) {
  std::string result;
  for (char c : text) {
    if (c == '\n')
      result += '\r';
    result += c;
  }
  return result;
}

}  // namespace quesdral::testing
