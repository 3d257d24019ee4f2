// The 64-bit Windows launcher, cross-built with mingw-w64 and run under Wine: the bytes it
// writes in text mode, which command a reply runs and through which interpreter, what the
// tool receives, the exit status, and the clear of a real console. The expected screen is
// what the POSIX build writes, with Windows line ends: both builds must show the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tool_catalogue.hpp"
#include "wine_harness.hpp"

namespace quesdral::testing {
namespace {

namespace fs = std::filesystem;

// The banner, the menu and the prompt, with LF line ends, as the POSIX launcher writes them.
const std::string& posix_screen() {
  static const std::string screen = [] {
    ProgramOptions options;
    options.input = "0\n";
    return run_program(program_path("quesdral"), options).out;
  }();
  return screen;
}

std::string windows_screen() {
  return with_crlf(posix_screen());
}

// What the stand-in writes when it runs as `file_name` with `command_line`.
std::string stand_in_report(const std::string& file_name, const std::string& command_line,
                            const std::string& next_line) {
  return with_crlf("stand-in " + file_name + ": command line [" + command_line +
                   "], console no\nnext line: " + next_line + "\n");
}

void copy_stand_in(const std::string& folder, const std::string& file_name) {
  fs::copy_file(stand_in_tool(), folder + "/" + file_name, fs::copy_options::overwrite_existing);
}

// A working folder holding a stand-in under every command of the catalogue.
class StockedFolder {
 public:
  StockedFolder() {
    fs::create_directory(path());
    for (const ToolEntry& entry : tool_catalogue())
      copy_stand_in(path(), entry.command);
  }
  std::string path() const { return scratch_.path() + "/work"; }
  // A folder beside the working folder, for programs that must not be found there.
  std::string sibling(const std::string& name) const {
    const std::string folder = scratch_.path() + "/" + name;
    fs::create_directories(folder);
    return folder;
  }

 private:
  ScratchDir scratch_;
};

class WindowsLauncher : public ::testing::Test {
 protected:
  void SetUp() override {
    if (auto missing = missing_for_wine())
      GTEST_SKIP() << *missing;
    ASSERT_FALSE(posix_screen().empty());
  }

  // The launcher, started from the working folder, with `input` on standard input and its
  // standard output in a file.
  ProgramRun run_launcher(const std::string& input) const {
    return run_under_wine({{windows_launcher()}, input, folder_.path()});
  }

  // The launcher started by cmd.exe /c after the cmd.exe commands in `preamble` (each
  // followed by "&"), which change the environment that the launcher inherits.
  ProgramRun run_launcher_after(const std::string& preamble, const std::string& input) const {
    const std::string line = preamble + "&" + windows_path(windows_launcher());
    return run_under_wine({{"C:\\windows\\system32\\cmd.exe", "/c", line}, input, folder_.path()});
  }

  StockedFolder folder_;
};

TEST_F(WindowsLauncher, ReplyThatMatchesNoRowWritesExactlyTheScreen) {
  const char* const replies[] = {
      "0\r\n",           "19\r\n",  "-4\r\n",
      "100\r\n",         "abc\r\n", "",  // "" is input ending at once
      "4294967303\r\n",                  // 2^32 + 7: row 7 if the value wrapped around
      "-4294967289\r\n",                 // -2^32 + 7, likewise
  };
  for (const char* reply : replies) {
    const ProgramRun run = run_launcher(reply);
    EXPECT_EQ(run.exit_code, 0) << reply;
    EXPECT_EQ(run.out, windows_screen()) << reply;
    EXPECT_EQ(run.err, "") << reply;
  }
}

TEST_F(WindowsLauncher, MatchingReplyRunsThatToolAfterThePromptAndIgnoresItsFailure) {
  struct Case {
    const char* input;
    const char* command;
    const char* next_line;  // what the tool reads after the launcher's reply
  };
  const Case cases[] = {
      {"1\r\n0.5\r\n", "vorlix.exe", "[0.5]"},
      {"5\r\n", "pelundA.exe", "none"},
      {"13\r\n12\r\n", "rumbeldv.exe", "[12]"},
      {"18\r\n5 4 3\r\n", "yombric.exe", "[5 4 3]"},
      {"+12\r\n", "zirr.exe", "none"},
      {"\r\n  \r\n9\r\n69\r\n", "tolveni.exe", "[69]"},
      {"3abc\r\n-1\r\n", "quilbern.exe", "[-1]"},
      {"8", "braskel.exe", "none"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = run_launcher(c.input);
    EXPECT_EQ(run.exit_code, 0) << c.command;  // the stand-in itself ends with status 3
    EXPECT_EQ(run.out, windows_screen() + stand_in_report(c.command, c.command, c.next_line));
    EXPECT_EQ(run.err, "") << c.command;
  }
}

TEST_F(WindowsLauncher, RunsWithoutAnyConsoleAndOutputToAPipe) {
  const ProgramRun run =
      run_under_wine({{windows_launcher()}, "7\r\nnext\r\n", folder_.path(), false});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.out, windows_screen() + stand_in_report("fenzo.exe", "fenzo.exe", "[next]"));
  EXPECT_EQ(run.err, "");
}

TEST_F(WindowsLauncher, FindsTheInterpreterThroughComspecOrTheSearchPath) {
  const std::string elsewhere = windows_path(folder_.sibling("interpreter"));
  copy_stand_in(folder_.sibling("interpreter"), "cmd.exe");
  const std::string nothing_here = windows_path(folder_.sibling("empty"));
  struct Case {
    const char* what;
    std::string preamble;
    bool cmd_in_working_folder;
    std::string interpreter;  // the stand-in that runs as the interpreter, if any
  };
  const Case cases[] = {
      {"COMSPEC names the interpreter", "set COMSPEC=" + elsewhere + "\\cmd.exe", false, "cmd.exe"},
      {"COMSPEC unset, cmd.exe in the working folder", "set COMSPEC=", true, "cmd.exe"},
      {"COMSPEC unset, cmd.exe along PATH", "set COMSPEC=&set PATH=" + elsewhere, false, "cmd.exe"},
      {"COMSPEC unset, no cmd.exe here or along PATH", "set COMSPEC=&set PATH=" + nothing_here,
       false, ""},
      {"COMSPEC names a missing program", "set COMSPEC=" + nothing_here + "\\cmd.exe", true, ""},
  };
  for (const Case& c : cases) {
    const std::string local_cmd = folder_.path() + "/cmd.exe";
    if (c.cmd_in_working_folder) {
      copy_stand_in(folder_.path(), "cmd.exe");
    } else {
      fs::remove(local_cmd);
    }
    const ProgramRun run = run_launcher_after(c.preamble, "7\r\nnext\r\n");
    EXPECT_EQ(run.exit_code, 0) << c.what;
    EXPECT_EQ(run.err, "") << c.what;
    if (c.interpreter.empty()) {
      EXPECT_EQ(run.out, windows_screen()) << c.what;
      continue;
    }
    // How the runtime spells the interpreter's own name is its business; what follows is not.
    const std::string report = run.out.substr(std::min(run.out.size(), windows_screen().size()));
    EXPECT_EQ(run.out.substr(0, windows_screen().size()), windows_screen()) << c.what;
    EXPECT_EQ(report.rfind("stand-in " + c.interpreter + ": command line [", 0), 0u)
        << c.what << ": " << report;
    EXPECT_NE(report.find(" /c fenzo.exe], console no\r\nnext line: [next]\r\n"), std::string::npos)
        << c.what << ": " << report;
  }
}

// Started from another folder (or from a shortcut), the launcher runs the tool that lies
// beside it: its own folder comes first on the PATH that the interpreter searches, whatever
// PATH was and whatever the folder is called.
TEST_F(WindowsLauncher, FindsTheToolBesideItselfFromAnotherFolder) {
  // UTF-8 for Wine's reading of the names it is handed, so that the folder's non-ASCII name
  // arrives as it is on disk.
  const std::string suite = folder_.sibling("suite \u00e9t\u00e9 2");
  fs::copy_file(windows_launcher(), suite + "/quesdral.exe");
  copy_stand_in(suite, "vorlix.exe");
  const std::string launcher = "LAUNCHER=\"" + windows_path(suite + "/quesdral.exe") + "\"";
  const std::vector<std::string> starts[] = {
      {suite + "/quesdral.exe"},                                         // PATH as Wine sets it
      {"C:\\windows\\system32\\cmd.exe", "/c", "set PATH=&%LAUNCHER%"},  // PATH unset
  };
  for (const std::vector<std::string>& start : starts) {
    const ProgramRun run = run_under_wine(
        {start, "1\r\n0.5\r\n", folder_.sibling("empty"), true, {"LANG=C.UTF-8", launcher}});
    EXPECT_EQ(run.exit_code, 0) << start.back();
    EXPECT_EQ(run.out, windows_screen() + stand_in_report("vorlix.exe", "vorlix.exe", "[0.5]"))
        << start.back();
    EXPECT_EQ(run.err, "") << start.back();
  }
}

TEST_F(WindowsLauncher, StartsEveryRealTool) {
  for (const ToolEntry& entry : tool_catalogue()) {
    ASSERT_TRUE(fs::exists(windows_bin_dir() + "/" + entry.command))
        << entry.command << " was not built";
    // From the build's bin/, where cmd.exe finds the tool in the current folder. The input
    // ends after the reply, so the tool, asking for its values, gives up at once.
    const ProgramRun run = run_under_wine(
        {{windows_launcher()}, std::to_string(entry.number) + "\r\n", windows_bin_dir()});
    EXPECT_EQ(run.exit_code, 0) << entry.command;
    // The tool's heading and questions go to standard error, its results to standard output.
    const std::string heading = std::string(entry.label) + " - " + entry.description + "\r\n";
    EXPECT_EQ(run.out, windows_screen()) << entry.command;
    EXPECT_EQ(run.err.rfind(heading, 0), 0u) << entry.command << " wrote: " << run.err;
  }
}

// The tools' numbers must not depend on the platform's C library: the Bessel functions,
// logarithms, note rounding and number formatting are the suite's own or strictly
// specified, so the Windows programs must print what the POSIX ones print, digit for digit.
TEST_F(WindowsLauncher, ToolsPrintTheSameDigitsAsThePosixBuild) {
  const std::vector<std::vector<std::string>> runs = {
      {"vorlix.exe", "1e-300", "1e300"},
      {"quilbern.exe", "-2147483648", "32"},
      {"noskarte.exe", "-3", "24"},
      {"braskel.exe", "8"},
      {"tolveni.exe", "0.5", "415"},
      {"lipra.exe", "27.5", "12"},
      {"zirr.exe", "1000", "100", "2.5"},
      // Large order with small argument, and large argument, where naive recurrences fail.
      {"zirr.exe", "100000", "100", "100", "100"},
      {"zirr.exe", "1000", "300", "0.01", "40"},
      {"rumbeldv.exe", "31"},
      {"grendax.exe", "440", "-10", "-10", "25"},
      {"yombric.exe", "5", "4", "3", "120", "20", "0.7"},
      // Next to a six-digit tie, decided on the exact digits of the sum.
      {"zirr.exe", "440", "0.0005", "1", "2"},
  };
  for (const auto& run : runs) {
    const std::string& command = run.front();
    ASSERT_TRUE(fs::exists(windows_bin_dir() + "/" + command)) << command << " was not built";
    const std::vector<std::string> args(run.begin() + 1, run.end());
    const ProgramRun posix = run_with_args(command, args);
    std::vector<std::string> wine_command{windows_bin_dir() + "/" + command};
    wine_command.insert(wine_command.end(), args.begin(), args.end());
    const ProgramRun windows = run_under_wine({wine_command, "", windows_bin_dir()});
    ASSERT_EQ(posix.exit_code, 0) << command << ": " << posix.err;
    EXPECT_EQ(windows.exit_code, 0) << command;
    EXPECT_EQ(windows.out, with_crlf(posix.out)) << command;
  }
}

class WindowsConsole : public ::testing::Test {
 protected:
  static constexpr int kColumns = 80;
  static constexpr int kRows = 30;  // the screen takes 26 rows; more would show a scroll

  void SetUp() override {
    if (auto missing = missing_for_console())
      GTEST_SKIP() << *missing;
    ASSERT_FALSE(posix_screen().empty());
  }

  // A shell script that fills the pane with earlier text, waits for the test's go, runs
  // the launcher with `redirection` and notes its status in a file. The go keeps the test
  // from mistaking a pane that has not yet shown the earlier text for a cleared one.
  std::string script(const std::string& redirection) const {
    return "i=0; while [ $i -lt 40 ]; do i=$((i+1)); echo \"EARLIER TEXT $i\"; done; "
           "while [ ! -e " +
           shell_quote(go_file()) +
           " ]; do sleep 0.05; done; "
           "\"$WINE\" " +
           shell_quote(windows_launcher()) + " " + redirection + "; echo $? >" +
           shell_quote(status_file()) + "; exec sleep 600";
  }
  // Lets the launcher start once the pane is full of earlier text.
  void launch(const ConsolePane& pane) const {
    ASSERT_TRUE(wait_until([&] {
      const std::vector<std::string> rows = pane.rows();
      return std::find(rows.begin(), rows.end(), "EARLIER TEXT 40") != rows.end();
    }));
    std::ofstream{go_file()};
  }
  std::string go_file() const { return scratch_.path() + "/go"; }
  std::string status_file() const { return scratch_.path() + "/status"; }
  std::string output_file() const { return scratch_.path() + "/out"; }
  std::string status() const {
    std::string text;
    if (fs::exists(status_file()))
      text = read(status_file());
    return text;
  }
  static std::string read(const std::string& path);
  static bool shows_earlier_text(const ConsolePane& pane) {
    for (const std::string& row : pane.rows()) {
      if (row.find("EARLIER") != std::string::npos)
        return true;
    }
    return false;
  }

  ScratchDir scratch_;
};

std::string WindowsConsole::read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(WindowsConsole, ClearsEarlierTextAndLaysTheScreenOutFromTheTopRow) {
  ConsolePane pane(kColumns, kRows, script(""));
  ASSERT_NO_FATAL_FAILURE(launch(pane));
  ASSERT_TRUE(wait_until([&] { return pane.cursor() == std::make_pair(54, 26); }))
      << "cursor at " << pane.cursor().first << "," << pane.cursor().second;

  // Row 1 empty, banner on rows 2 to 4, menu on rows 7 to 24, prompt on row 26.
  std::vector<std::string> expected;
  std::istringstream lines(posix_screen());
  for (std::string line; std::getline(lines, line);) {
    line.erase(line.find_last_not_of(' ') + 1);
    expected.push_back(line);
  }
  ASSERT_EQ(expected.size(), 26u);
  expected.resize(kRows);
  EXPECT_EQ(pane.rows(), expected);

  pane.type_line("0");
  ASSERT_TRUE(wait_until([&] { return !status().empty(); }));
  EXPECT_EQ(status(), "0\n");
}

TEST_F(WindowsConsole, ClearsTheConsoleButNotTheRedirectedOutput) {
  ConsolePane pane(kColumns, kRows, script(">" + shell_quote(output_file())));
  ASSERT_NO_FATAL_FAILURE(launch(pane));
  // The cells are blanked before the cursor moves home: a pane seen between the two is not
  // yet the cleared screen, so the wait is for both.
  wait_until([&] { return !shows_earlier_text(pane) && pane.cursor() == std::make_pair(1, 1); });
  EXPECT_EQ(pane.rows(), std::vector<std::string>(kRows));
  EXPECT_EQ(pane.cursor(), std::make_pair(1, 1));

  pane.type_line("0");
  ASSERT_TRUE(wait_until([&] { return !status().empty(); }));
  EXPECT_EQ(status(), "0\n");
  EXPECT_EQ(read(output_file()), windows_screen());
}

}  // namespace
}  // namespace quesdral::testing
