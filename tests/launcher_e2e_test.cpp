// The launcher as a user or a script meets it: the exact bytes it writes, which command a
// reply runs and how that command is found, what the tool receives, the exit status, the
// terminal clear and interrupts. How each reply is read is tested on the flow itself, in
// launcher/launch_flow_test.cpp.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

// Constant data only, so this program needs the launcher's header but not its library.
#include "pseudo_terminal.hpp"
#include "run_program.hpp"
#include "tool_catalogue.hpp"

namespace quesdral::testing {
namespace {

namespace fs = std::filesystem;

// What the launcher writes to standard output, typed out here rather than taken from the
// code under test.
const std::string kScreen =
    "\n  +-----------------------------------------------------------------+"
    "\n  |  Q U E S D R A L                                                |"
    "\n  +-----------------------------------------------------------------+"
    "\n\n"
    "\n 1  VORLIX    It converts raw amplitude to dBs"
    "\n 2  TRUSKA    It converts dBs to raw amplitude"
    "\n 3  QUILBERN  It converts raw amplitude to dB in full scale (dBFS)"
    "\n 4  NOSKARTE  It converts dB in full scale (dBFS) to raw amplitude"
    "\n 5  PELUNDA   It converts Watts to dBs"
    "\n 6  ZORIVEK   It converts dBs to Watts"
    "\n 7  FENZO     It finds the amplitude [dB] according to the inverse square law"
    "\n 8  BRASKEL   It converts Hz to MIDI numbers"
    "\n 9  TOLVENI   It converts MIDI numbers to Hz"
    "\n 10 LIPRA     It calculates the frequency of overtones in periodic sounds"
    "\n 11 QUAV      It calculates the sidebands frequency in AM synthesis"
    "\n 12 ZIRR      It calculates the sidebands frequency in FM synthesis"
    "\n 13 RUMBEL    It divides the octave in equal parts"
    "\n 14 HOPRI     It calculates the beat frequency between two sine waves"
    "\n 15 SALDUVEN  It calculates the center frequency of a bandpass filter"
    "\n 16 WIRN      It calculates the time interval between echoes"
    "\n 17 GRENDAX   It calculates the frequency of Doppler shift"
    "\n 18 YOMBRIC   It calculates the frequencies of standing waves in a room"
    "\n\n ENTER A NUMBER ON THE LIST TO EXECUTE A PROGRAM ==> ";

const char kClear[] = "\x1b[H\x1b[2J\x1b[3J";

class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "quesdral-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

void write_script(const fs::path& file, const std::string& body) {
  std::ofstream(file) << "#!/bin/sh\n" << body << "\n";
  fs::permissions(file, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
}

// A launcher alone in a folder of its own, and a folder of stand-in tools on PATH that
// say which of them ran and then copy their input: real tools beside the launcher in the
// build folder must not answer for them.
class LauncherFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    launcher_ = launcher_dir_.path() / "quesdral";
    fs::copy_file(program_path("quesdral"), launcher_);
    for (const ToolEntry& entry : kToolCatalogue) {
      write_script(tools_dir_.path() / entry.command,
                   std::string("echo \"ran ") + entry.command + "\"\ncat");
    }
  }

  ProgramRun launch(const std::string& input, ProgramOptions options = {}) {
    options.input = input;
    options.env_set.push_back("PATH=" + tools_dir_.path().string() + ":/usr/bin:/bin");
    return run_program(launcher_.string(), options);
  }

  TempDir launcher_dir_;
  TempDir tools_dir_;
  fs::path launcher_;
};

using LauncherReply = LauncherFixture;

TEST_F(LauncherReply, NoMatchingRowWritesTheScreenOnlyAndEndsWithZero) {
  for (const char* reply : {"0\n", "abc\n"}) {
    const ProgramRun run = launch(reply);
    EXPECT_EQ(run.out, kScreen) << reply;
    EXPECT_EQ(run.err, "") << reply;
    EXPECT_EQ(run.exit_code, 0) << reply;
  }
}

TEST_F(LauncherReply, EachRowRunsItsOwnCommand) {
  for (const ToolEntry& entry : kToolCatalogue) {
    const ProgramRun run = launch(std::to_string(entry.number) + "\n");
    EXPECT_EQ(run.out, kScreen + "ran " + entry.command + "\n") << entry.number;
    EXPECT_EQ(run.exit_code, 0);
  }
}

using LauncherTool = LauncherFixture;

TEST_F(LauncherTool, ReceivesTheLinesAfterTheReply) {
  struct Case {
    const char* input;
    const char* tool_input;
  };
  const Case cases[] = {{"8\n440\nmore\n", "440\nmore\n"}, {"12abc\r\nrest", "rest"}};
  for (const Case& c : cases) {
    const ProgramRun run = launch(c.input);
    const std::string::size_type ran = run.out.find("ran ");
    ASSERT_NE(ran, std::string::npos) << c.input;
    const std::string tool_out = run.out.substr(run.out.find('\n', ran) + 1);
    EXPECT_EQ(tool_out, c.tool_input) << c.input;
  }
}

TEST_F(LauncherTool, FailingToolLeavesTheStatusAtZero) {
  write_script(tools_dir_.path() / "hopri.exe", "echo broken >&2\nexit 3");
  const ProgramRun run = launch("14\n");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "broken\n");
  EXPECT_EQ(run.out, kScreen);
}

TEST_F(LauncherTool, MissingToolLeavesOnlyTheShellsMessage) {
  fs::remove(tools_dir_.path() / "wirn.exe");
  const ProgramRun run = launch("16\n");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, kScreen);
  EXPECT_NE(run.err.find("wirn.exe"), std::string::npos) << run.err;
}

TEST_F(LauncherTool, OwnFolderComesBeforePath) {
  write_script(launcher_dir_.path() / "vorlix.exe", "echo beside the launcher");
  EXPECT_EQ(launch("1\n").out, kScreen + "beside the launcher\n");
}

// The tool inherits PATH with the launcher's folder in front and nothing else changed. An
// unset PATH stands for the shell's default search path; a folder whose name holds ':'
// cannot be put on PATH, which then stays as inherited.
TEST_F(LauncherTool, PathHandedToTheToolIsTheLaunchersFolderThenTheInheritedPath) {
  const std::string folder = fs::canonical(launcher_dir_.path()).string();
  const std::string inherited = tools_dir_.path().string() + ":/usr/bin:/bin";
  write_script(launcher_dir_.path() / "vorlix.exe", "echo \"$PATH\"");
  EXPECT_EQ(launch("1\n").out, kScreen + folder + ":" + inherited + "\n");

  char fallback[1024] = "";
  ASSERT_GT(confstr(_CS_PATH, fallback, sizeof fallback), 0u);
  ProgramOptions unset;
  unset.input = "1\n";
  unset.env_unset.push_back("PATH");
  EXPECT_EQ(run_program(launcher_.string(), unset).out, kScreen + folder + ":" + fallback + "\n");

  TempDir parent;
  const fs::path colon_folder = parent.path() / "a:b";
  fs::create_directory(colon_folder);
  fs::copy_file(launcher_, colon_folder / "quesdral");
  write_script(tools_dir_.path() / "vorlix.exe", "echo \"$PATH\"");
  ProgramOptions colon;
  colon.input = "1\n";
  colon.env_set.push_back("PATH=" + inherited);
  EXPECT_EQ(run_program((colon_folder / "quesdral").string(), colon).out,
            kScreen + inherited + "\n");
}

TEST_F(LauncherTool, CurrentDirectoryIsNotSearched) {
  TempDir cwd;
  write_script(cwd.path() / "truska.exe", "echo from the current directory");
  fs::remove(tools_dir_.path() / "truska.exe");
  ProgramOptions options;
  options.working_dir = cwd.path().string();
  const ProgramRun run = launch("2\n", options);
  EXPECT_EQ(run.out, kScreen);
  EXPECT_EQ(run.exit_code, 0);
}

// Also when the launcher's parent ignores SIGCHLD, which the launcher would inherit and
// which would keep it from learning how the shell ended.
TEST_F(LauncherTool, InterruptedToolEndsTheLauncherByTheSameSignal) {
  // Ctrl+C signals the terminal's whole foreground process group: the launcher, the shell
  // and the tool. A session of its own keeps the test runner out of that group.
  write_script(tools_dir_.path() / "quav.exe", "kill -INT 0\nsleep 5");
  for (bool sigchld_ignored : {false, true}) {
    ProgramOptions options;
    options.new_session = true;
    options.sigchld_ignored = sigchld_ignored;
    const ProgramRun run = launch("11\n", options);
    EXPECT_EQ(run.signal, SIGINT) << "SIGCHLD ignored: " << sigchld_ignored;
    EXPECT_EQ(run.out, kScreen) << "SIGCHLD ignored: " << sigchld_ignored;
  }
}

// Only an interrupt is passed on. The signal must end the shell that system() waits for,
// not merely the tool under it (a shell whose child is killed exits with 128 + the signal
// instead of dying), so the stand-in kills its parent shell, or itself when the shell ran
// it in place.
TEST_F(LauncherTool, ShellKilledByAnotherSignalLeavesTheStatusAtZero) {
  for (const char* signal_name : {"TERM", "KILL", "HUP", "USR1"}) {
    write_script(tools_dir_.path() / "quav.exe",
                 std::string("[ \"$(cat /proc/$PPID/comm)\" = quesdral ] && kill -") + signal_name +
                     " $$\nkill -" + signal_name + " $PPID\nexit 0");
    const ProgramRun run = launch("11\n");
    EXPECT_EQ(run.signal, 0) << signal_name;
    EXPECT_EQ(run.exit_code, 0) << signal_name;
    EXPECT_EQ(run.out, kScreen) << signal_name;
  }
}

using LauncherConsole = LauncherFixture;

TEST_F(LauncherConsole, ClearReachesTheTerminalButNotRedirectedOutput) {
  const fs::path out = launcher_dir_.path() / "out.txt";
  TerminalOptions options;
  options.typed = "0\n";
  options.stdout_path = out.string();
  const TerminalRun run = run_in_terminal(launcher_.string(), options);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.screen.find(kClear), std::string::npos);
  std::ifstream file(out, std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(file), {}};
  EXPECT_EQ(written, kScreen);
}

TEST_F(LauncherConsole, OnATerminalTheClearComesFirstThenTheScreen) {
  // Typed only once the prompt shows, so that the echo cannot land inside the screen.
  TerminalOptions options;
  options.typed = "0\n";
  options.type_after = "==> ";
  const TerminalRun run = run_in_terminal(launcher_.string(), options);
  ASSERT_FALSE(run.timed_out);
  const std::string::size_type clear = run.screen.find(kClear);
  ASSERT_NE(clear, std::string::npos);
  // The terminal turns each line break into a carriage return and a line feed.
  std::string crlf;
  for (char c : kScreen)
    crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(run.screen.find(crlf), clear + sizeof kClear - 1);
}

// As a user met it at a terminal: typed text that holds no number stays with the launcher,
// whole, instead of being read next by the shell as a command; and with the output going
// into a pipe (quesdral | tee log.txt), the prompt still shows before the launcher waits.
TEST_F(LauncherConsole, TypedReplyNeverReachesTheShellAndThePromptShowsThroughAPipe) {
  const fs::path script = launcher_dir_.path() / "session.sh";
  write_script(
      script, "'" + launcher_.string() + "' | cat\nIFS= read -r line\necho \"next line: [$line]\"");
  TerminalOptions options;
  options.typed = "xecho LEAKED\n\n";
  options.type_after = "==> ";
  const TerminalRun run = run_in_terminal(script.string(), options);
  ASSERT_FALSE(run.timed_out) << run.screen;
  EXPECT_NE(run.screen.find("next line: []"), std::string::npos) << run.screen;
}

// With standard input closed, the terminal opened for the clear takes descriptor 0.
TEST_F(LauncherConsole, ClearReachesTheTerminalWithStandardInputClosed) {
  TerminalOptions options;
  options.stdin_closed = true;
  const TerminalRun run = run_in_terminal(launcher_.string(), options);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.screen.find(kClear), 0u);
}

TEST_F(LauncherConsole, WithoutAControllingTerminalTheClearIsSkipped) {
  ProgramOptions options;
  options.new_session = true;
  const ProgramRun run = launch("6\n", options);
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out, kScreen + "ran zorivek.exe\n");
}

}  // namespace
}  // namespace quesdral::testing
