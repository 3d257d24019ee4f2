// The pitch and spectrum tools' definitions (BRASKEL to HOPRI) run in process: which question
// a refused combination of values asks again, and that its answer then mends it. Out-of-range
// results need extreme values (1e308 Hz); every expected line is written out by hand.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

struct Session {
  int status;
  std::string out;
  std::string err;
};

Session run(ToolFactory factory, const std::vector<std::string>& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  const int status = cli::run_tool(factory(), args, in, out, err);
  return {status, out.str(), err.str()};
}

// A refusal asks again the question whose answer can mend it, never a later one that cannot
// (the depth, the number of pairs); the answer given to it then leads to the results.
TEST(PitchToolsMending, RefusalAsksTheQuestionThatMendsIt) {
  struct Case {
    const char* name;
    ToolFactory factory;
    const char* input;
    const char* questions;  // the heading and every question on stderr, without the reason
    const char* err;
    const char* result_part;
  };
  const Case cases[] = {
      {"upper AM sideband beyond range", quav_tool, "1e308\n1e308\n\n100\n",
       "QUAV - It calculates the sidebands frequency in AM synthesis\n"
       "Carrier frequency (Hz): Modulator frequency (Hz): Modulation depth [1]: "
       "Modulator frequency (Hz): \n",
       "quav.exe: the result (Upper sideband) is too large to show: its magnitude would exceed "
       "1.79769e+308\n",
       "Upper sideband: 1.00000e+308 Hz\n"},
      {"first FM pair beyond range", zirr_tool, "1e308\n1e308\n1\n1\n100\n",
       "ZIRR - It calculates the sidebands frequency in FM synthesis\n"
       "Carrier frequency (Hz): Modulator frequency (Hz): Modulation index [1]: "
       "Number of sideband pairs [3]: Modulator frequency (Hz): \n",
       "zirr.exe: the highest sideband is too large to show (choose fewer sidebands)\n",
       "      +1    1.00000e+308"},
      // 1e308 + 5e307 is in range, 1e308 + 2 * 5e307 is not; index 0 keeps the bandwidth in it.
      {"too many FM pairs", zirr_tool, "1e308\n5e307\n0\n\n1\n",
       "ZIRR - It calculates the sidebands frequency in FM synthesis\n"
       "Carrier frequency (Hz): Modulator frequency (Hz): Modulation index [1]: "
       "Number of sideband pairs [2]: Number of sideband pairs [2]: \n",
       "zirr.exe: the highest sideband is too large to show (choose fewer sidebands)\n",
       "      +1    1.50000e+308"},
      // Fewer pairs would not help: the modulator comes first, then the number of pairs.
      {"first pair, then the pairs", zirr_tool, "1e308\n1e308\n1\n100\n1e306\n1\n",
       "ZIRR - It calculates the sidebands frequency in FM synthesis\n"
       "Carrier frequency (Hz): Modulator frequency (Hz): Modulation index [1]: "
       "Number of sideband pairs [3]: Modulator frequency (Hz): Number of sideband pairs [3]: \n",
       "zirr.exe: the highest sideband is too large to show (choose fewer sidebands)\n"
       "zirr.exe: the highest sideband is too large to show (choose fewer sidebands)\n",
       "      +1    1.01000e+308"},
      // 2 (100 + 1) 1e307 is beyond range while 1000 + 1e307 is not.
      {"FM bandwidth beyond range", zirr_tool, "1000\n1e307\n100\n1\n100\n",
       "ZIRR - It calculates the sidebands frequency in FM synthesis\n"
       "Carrier frequency (Hz): Modulator frequency (Hz): Modulation index [1]: "
       "Number of sideband pairs [100]: Modulator frequency (Hz): \n",
       "zirr.exe: the result (Bandwidth (Carson's rule)) is too large to show: its magnitude "
       "would exceed 1.79769e+308\n",
       "Bandwidth (Carson's rule): 20200.0 Hz\n"},
      {"highest harmonic beyond range", lipra_tool, "1e306\n1000\n\n2\n",
       "LIPRA - It calculates the frequency of overtones in periodic sounds\n"
       "Fundamental frequency (Hz): Number of harmonics [10]: Frequency of A4 (Hz) [440]: "
       "Number of harmonics [10]: \n",
       "lipra.exe: harmonic 1000 of 1.00000e+306 Hz is too large to show (choose fewer "
       "harmonics)\n",
       "       2         1    2.00000e+306"},
      {"MIDI frequency above range", tolveni_tool, "127\n1e308\n440\n",
       "TOLVENI - It converts MIDI numbers to Hz\n"
       "MIDI number: Frequency of A4 (Hz) [440]: Frequency of A4 (Hz) [440]: \n",
       "tolveni.exe: the result (Frequency) is too large to show: its magnitude would exceed "
       "1.79769e+308\n",
       "Frequency: 12543.9 Hz\nNote: G9\n"},
      {"octave above the start beyond range", rumbeldv_tool, "12\n1e308\n\n\n",
       "RUMBEL - It divides the octave in equal parts\n"
       "Number of divisions: Start frequency (Hz) [261.626]: "
       "Start frequency (Hz) [261.626]: Frequency of A4 (Hz) [440]: \n",
       "rumbeldv.exe: the octave above 1.00000e+308 Hz is too large to show\n",
       "  12         523.251  2.00000  1200.00  C5"},
      // 2.4e-308 - 2.3e-308 = 1e-309 Hz: a beat period of 1e309 s.
      {"beat period beyond range", hopri_tool, "2.3e-308\n2.4e-308\n442\n",
       "HOPRI - It calculates the beat frequency between two sine waves\n"
       "First frequency (Hz): Second frequency (Hz): Second frequency (Hz): \n",
       "hopri.exe: the result (Beat period) is too large to show: its magnitude would exceed "
       "1.79769e+308\n",
       "Beat frequency: 442.000 Hz\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Session session = run(c.factory, {}, c.input);
    EXPECT_EQ(session.status, cli::kExitOk);
    EXPECT_NE(session.out.find(c.result_part), std::string::npos) << session.out;
    // Questions and reasons share stderr: each reason follows the question it refused.
    std::string questions = session.err;
    std::istringstream reasons(c.err);
    for (std::string line; std::getline(reasons, line);) {
      const std::size_t reason = questions.find(line + '\n');
      ASSERT_NE(reason, std::string::npos) << line << "\n" << session.err;
      questions.erase(reason, line.size() + 1);
    }
    EXPECT_EQ(questions, c.questions);
  }
}

// With arguments a refusal ends the run at once: status 2, nothing on stdout, and the whole
// reason on stderr.
TEST(PitchToolsMending, ArgumentsRefusedWithStatusTwo) {
  struct Case {
    ToolFactory factory;
    std::vector<std::string> args;
    const char* err;
  };
  const Case cases[] = {
      {zirr_tool,
       {"1e308", "1e308", "1", "1"},
       "zirr.exe: the highest sideband is too large to show (choose fewer sidebands)\n"},
      {lipra_tool,
       {"1e308", "2"},
       "lipra.exe: harmonic 2 of 1.00000e+308 Hz is too large to show (choose fewer "
       "harmonics)\n"},
      {rumbeldv_tool,
       {"12", "1e308"},
       "rumbeldv.exe: the octave above 1.00000e+308 Hz is too large to show\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.args));
    const Session session = run(c.factory, c.args, "");
    EXPECT_EQ(session.status, cli::kExitInvalid);
    EXPECT_EQ(session.out, "");
    EXPECT_EQ(session.err, c.err);
  }
}

// The highest sideband and harmonic just below the largest double (1.79769e+308) are shown,
// not refused: one more of either would be beyond it.
TEST(PitchToolsMending, ResultsAtTheEdgeOfTheRangeAreShown) {
  const Session harmonics = run(lipra_tool, {"1.797e305", "1000"}, "");
  EXPECT_EQ(harmonics.status, cli::kExitOk);
  EXPECT_NE(harmonics.out.find("    1000       999    1.79700e+308"), std::string::npos);
  const Session sidebands = run(zirr_tool, {"1000", "1.79e306", "0", "100"}, "");
  EXPECT_EQ(sidebands.status, cli::kExitOk);
  EXPECT_NE(sidebands.out.find("    +100    1.79000e+308"), std::string::npos);
}

}  // namespace
}  // namespace quesdral::tools
