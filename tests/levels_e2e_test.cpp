// The level tools (1 to 7) as a user or a script meets them: exact results in argument mode,
// refusals with their statuses and nothing on stdout, the interactive questions with piped
// answers and a disk that is full; and tools of every family run through the launcher with
// piped answers. Expected numbers come from outside the code: 20 log10(0.5) = -6.0206 dB,
// one LSB at 16 bits = 2^-15 of full scale = -90.3090 dBFS, 1 mW re 1 pW = 90 dB, and the
// others worked out by hand; those near 0 dB and below the normal range of doubles by
// mpmath at 50 digits from the doubles as parsed, rounded to the digits shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_program.hpp"
#include "tool_expectations.hpp"

namespace quesdral::testing {
namespace {

const char* const kLevelTools[] = {"vorlix.exe",  "truska.exe",  "quilbern.exe", "noskarte.exe",
                                   "pelundA.exe", "zorivek.exe", "fenzo.exe"};

TEST(LevelToolsArguments, PrintExactResults) {
  const ExactCase cases[] = {
      {"vorlix.exe", {"0.5"}, "Level: -6.02060 dB\n"},
      {"vorlix.exe", {"-0.5"}, "Level: -6.02060 dB\n"},  // a negative sample value
      {"vorlix.exe", {"1", "2e-5"}, "Level: 93.9794 dB\n"},
      {"vorlix.exe", {"1e-300", "1e300"}, "Level: -12000.0 dB\n"},
      {"truska.exe", {"-6.0206"}, "Amplitude: 0.500000\n"},
      {"truska.exe", {"6400", "1e-300"}, "Amplitude: 1.00000e+20\n"},
      {"quilbern.exe", {"1"}, "Level: -90.3090 dBFS\nFull scale: 32768\n"},
      {"quilbern.exe", {"-32768"}, "Level: 0.00000 dBFS\nFull scale: 32768\n"},
      // The largest code lies one below full scale: 20 log10(32767 / 32768) (mpmath).
      {"quilbern.exe", {"32767"}, "Level: -0.000265076 dBFS\nFull scale: 32768\n"},
      {"quilbern.exe", {"2147483647", "32"}, "Level: -4.04468e-09 dBFS\nFull scale: 2147483648\n"},
      {"quilbern.exe", {"0.5"}, "Level: -96.3296 dBFS\nFull scale: 32768\n"},
      {"quilbern.exe", {"40000", "24"}, "Level: -46.4326 dBFS\nFull scale: 8388608\n"},
      {"quilbern.exe", {"-2147483648", "32"}, "Level: 0.00000 dBFS\nFull scale: 2147483648\n"},
      {"quilbern.exe", {"1", "32"}, "Level: -186.639 dBFS\nFull scale: 2147483648\n"},
      // Full scale itself is no sample code: the nearest one is the largest, 32767.
      {"noskarte.exe",
       {"0"},
       "Amplitude: 32768.0\nNearest sample: 32767 (clipped to the largest code)\n"
       "Full scale: 32768\n"},
      {"noskarte.exe",
       {"-3", "24"},
       "Amplitude: 5.93868e+06\nNearest sample: 5938680\nFull scale: 8388608\n"},
      {"noskarte.exe",
       {"-90.30899869919435"},
       "Amplitude: 1.00000\nNearest sample: 1\nFull scale: 32768\n"},
      {"noskarte.exe",
       {"0", "32"},
       "Amplitude: 2.14748e+09\nNearest sample: 2147483647 (clipped to the largest code)\n"
       "Full scale: 2147483648\n"},
      {"pelundA.exe", {"0.001"}, "Sound power level: 90.0000 dB re 1e-12 W\n"},
      {"pelundA.exe", {"2", "1"}, "Sound power level: 3.01030 dB re 1 W\n"},
      {"zorivek.exe", {"90"}, "Power: 0.00100000 W\n"},
      {"zorivek.exe", {"125"}, "Power: 3.16228 W\n"},
      {"fenzo.exe",
       {"94", "1", "2"},
       "Level at the second distance (2): 87.9794 dB\nChange: -6.02060 dB\n"},
      {"fenzo.exe",
       {"94", "3", "10"},
       "Level at the second distance (10): 83.5424 dB\nChange: -10.4576 dB\n"},
      {"fenzo.exe",
       {"60", "10", "1"},
       "Level at the second distance (1): 80.0000 dB\nChange: 20.0000 dB\n"},
      // Near 0 dB every digit is kept: a difference of logarithms would show noise here.
      {"vorlix.exe", {"1.0000000000001e-300", "1e-300"}, "Level: 8.68293e-13 dB\n"},
      {"vorlix.exe", {"-1e-300", "1e-300"}, "Level: 0.00000 dB\n"},
      {"pelundA.exe", {"1.000000001e-12"}, "Sound power level: 4.34294e-09 dB re 1e-12 W\n"},
      {"quilbern.exe", {"-32767.99999999"}, "Level: -2.65094e-12 dBFS\nFull scale: 32768\n"},
      {"fenzo.exe",
       {"6.020599913279624", "1", "2"},
       "Level at the second distance (2): 2.78119e-16 dB\nChange: -6.02060 dB\n"},
      {"fenzo.exe",
       {"6.0206", "1", "2"},
       "Level at the second distance (2): 8.67204e-08 dB\nChange: -6.02060 dB\n"},
      // Below the normal range the digits that are still true are shown.
      {"truska.exe", {"-6170"}, "Amplitude: 3.16228e-309\n"},
      {"zorivek.exe", {"-3000"}, "Power: 1.00000e-312 W\n"},
      {"noskarte.exe",
       {"-6260"},
       "Amplitude: 3.27680e-309\nNearest sample: 0\nFull scale: 32768\n"},
  };
  for (const ExactCase& c : cases)
    expect_exact_output(c);
}

// A reference by name, in any letter case: 20e-6 Pa for SPL, sqrt(0.6) V for dBu, 1 V for
// dBV. Expected values by mpmath at 40 digits: 20 log10(1 / 20e-6) = 93.9794000867,
// 20 log10(1 / sqrt(0.6)) = 2.21848749616, sqrt(0.6) * 10^(6/20) = 1.54552354344.
TEST(LevelToolsArguments, NamedReferencesAreNamedInTheResult) {
  const ExactCase cases[] = {
      {"vorlix.exe", {"1", "SPL"}, "Level: 93.9794 dB SPL\n"},
      {"vorlix.exe", {"-1", "spl"}, "Level: 93.9794 dB SPL\n"},
      {"vorlix.exe", {"1", "DBU"}, "Level: 2.21849 dBu\n"},
      {"vorlix.exe", {"0.5", " dbv "}, "Level: -6.02060 dBV\n"},
      // The name stands for the number: the level of 20e-6 against SPL is 0 as typed.
      {"vorlix.exe", {"20e-6", "Spl"}, "Level: 0.00000 dB SPL\n"},
      {"truska.exe", {"60", "SPL"}, "Amplitude: 0.0200000 Pa (reference SPL, 20e-6 Pa)\n"},
      {"truska.exe", {"0", "dBu"}, "Amplitude: 0.774597 V (reference dBu, 0.774597 V)\n"},
      {"truska.exe", {"6", "dbu"}, "Amplitude: 1.54552 V (reference dBu, 0.774597 V)\n"},
      {"truska.exe", {"-6", "DBV"}, "Amplitude: 0.501187 V (reference dBV, 1 V)\n"},
  };
  for (const ExactCase& c : cases)
    expect_exact_output(c);
  // Asked interactively, and case by case in a batch (a numeric reference keeps "dB").
  const ProgramRun asked = run_with_input("vorlix.exe", "1\nsPl\n");
  EXPECT_EQ(asked.exit_code, 0);
  EXPECT_EQ(asked.out, "Level: 93.9794 dB SPL\n");
  ProgramOptions batch;
  batch.args = {"--batch"};
  batch.input = "1 dBu\n1 1\n";
  const ProgramRun lines = run_program(program_path("vorlix.exe"), batch);
  EXPECT_EQ(lines.exit_code, 0);
  EXPECT_EQ(lines.out, "Level: 2.21849 dBu\n\nLevel: 0.00000 dB\n");
}

TEST(LevelToolsArguments, RefuseBadValuesWithStatusTwoAndNothingOnStdout) {
  const RefusalCase cases[] = {
      {"vorlix.exe", {"0"}, "amplitude must not be 0 (its level is minus infinity)"},
      {"vorlix.exe", {"1", "0"}, "reference amplitude must be above 0"},
      {"vorlix.exe", {"nan"}, "AMPLITUDE: 'nan' is not a number"},
      {"vorlix.exe", {"1e400"}, "AMPLITUDE: '1e400' is too large"},
      {"vorlix.exe", {"12abc"}, "AMPLITUDE: '12abc' is not a number"},
      // No advice to write 0, which this value refuses.
      {"vorlix.exe",
       {"1e-310"},
       "AMPLITUDE: '1e-310' is too close to 0 to be represented; a number other than 0 must "
       "have a magnitude of at least 2.3e-308\n"},
      {"truska.exe", {"7000"}, "too large to show"},
      {"truska.exe", {"-8000"}, "too small to show"},
      {"quilbern.exe", {"0"}, "sample must not be 0"},
      {"quilbern.exe",
       {"32768"},
       "sample 32768 is beyond the sample codes at 16 bits; allowed are -32768 to 32767, not 0"},
      {"quilbern.exe", {"32767.5"}, "allowed are -32768 to 32767, not 0"},
      {"quilbern.exe", {"-32768.5"}, "allowed are -32768 to 32767, not 0"},
      {"quilbern.exe", {"2", "2"}, "sample 2 is beyond the sample codes at 2 bits"},
      {"quilbern.exe",
       {"2147483648", "32"},
       "sample must be from -2147483648 to 2147483647 (the sample codes at 32 bits), not 0"},
      {"quilbern.exe", {"-2147483649", "32"}, "-2147483648 to 2147483647"},
      {"quilbern.exe", {"1", "33"}, "bit depth must be a whole number from 2 to 32"},
      {"quilbern.exe", {"1", "16.0"}, "BITS: '16.0': whole numbers are written in digits (16)"},
      {"noskarte.exe", {"0.1"}, "level must be at most 0 dBFS"},
      {"noskarte.exe",
       {"0,5"},
       "LEVEL_DBFS: '0,5' is not a number; write a decimal number such "
       "as -3 or -1e-3\n"},
      {"noskarte.exe", {"-6", "64"}, "bit depth must be a whole number from 2 to 32"},
      {"noskarte.exe", {"-7000"}, "too small to show"},
      {"pelundA.exe", {"0"}, "power must be above 0 W"},
      {"pelundA.exe", {"1", "0"}, "reference power must be above 0 W"},
      {"zorivek.exe", {"5000"}, "too large to show"},
      {"fenzo.exe", {"94", "0", "2"}, "distance 1 must be above 0"},
      {"vorlix.exe",
       {"1", "dB"},
       "REFERENCE: 'dB' is not a number; write a decimal number such as 0.5, 1e-12 or 20; or "
       "name the value: SPL, dBu or dBV"},
      {"truska.exe", {"0", "dBuV"}, "or name the value: SPL, dBu or dBV"},
      {"vorlix.exe", {"SPL"}, "AMPLITUDE: 'SPL' is not a number"},
  };
  for (const RefusalCase& c : cases)
    expect_refusal(c);
}

TEST(LevelToolsArguments, WrongArgumentCountsAndOptionsShowTheUsage) {
  struct Case {
    const char* command;
    std::vector<std::string> args;
    const char* err;
  };
  const Case cases[] = {
      {"vorlix.exe",
       {"1", "2", "3"},
       "vorlix.exe: too many arguments (at most 2)\n"
       "usage: vorlix.exe AMPLITUDE [REFERENCE=1|SPL|dBu|dBV]\n"},
      {"vorlix.exe",
       {"-x"},
       "vorlix.exe: unknown option '-x'\nusage: vorlix.exe AMPLITUDE [REFERENCE=1|SPL|dBu|dBV]\n"},
      {"fenzo.exe",
       {"94", "1"},
       "fenzo.exe: missing DISTANCE_2\nusage: fenzo.exe LEVEL_DB DISTANCE_1 DISTANCE_2\n"},
      {"pelundA.exe",
       {"--verbose", "1"},
       "pelundA.exe: unknown option '--verbose'\nusage: pelundA.exe POWER_W [REFERENCE_W=1e-12]\n"},
      {"quilbern.exe",
       {"1", "16", "0"},
       "quilbern.exe: too many arguments (at most 2)\nusage: quilbern.exe SAMPLE [BITS=16]\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const ProgramRun run = run_with_args(c.command, c.args);
    EXPECT_EQ(run.exit_code, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, c.err);
  }
}

TEST(LevelToolsHelp, EveryToolExplainsItselfAndExitsZero) {
  for (const char* command : kLevelTools) {
    for (const char* option : {"-h", "--help"}) {
      SCOPED_TRACE(std::string(command) + " " + option);
      const ProgramRun run = run_with_args(command, {option});
      EXPECT_EQ(run.exit_code, 0);
      EXPECT_EQ(run.out.rfind(std::string("usage: ") + command, 0), 0u) << run.out;
      EXPECT_NE(run.out.find("Example: "), std::string::npos);
      EXPECT_EQ(run.err, "");
    }
  }
}

TEST(LevelToolsInteractive, AnswersDefaultsAndReasking) {
  struct Case {
    const char* name;
    const char* command;
    std::string input;
    int status;
    const char* out;       // all of stdout: results only
    const char* err_part;  // the questions and reasons on stderr
  };
  const Case cases[] = {
      {"defaults apply when input ends", "vorlix.exe", "0.5\n", 0, "Level: -6.02060 dB\n",
       "VORLIX - It converts raw amplitude to dBs\nAmplitude: Reference amplitude [1]: \n"},
      {"bad answers then a good one", "vorlix.exe", "12abc\n0\n\n0.5\n", 0, "Level: -6.02060 dB\n",
       "Amplitude: vorlix.exe: Amplitude: '12abc' is not a number"},
      {"no value and no default", "vorlix.exe", "", 1, "",
       "Amplitude: \nvorlix.exe: input ended before the amplitude was given, and it has no "
       "default\n"},
      {"sample checked against bits at the bits question", "quilbern.exe", "40000\n\n24\n", 0,
       "Level: -46.4326 dBFS\nFull scale: 8388608\n",
       "Bit depth in bits [16]: quilbern.exe: sample 40000 is beyond the sample codes at 16 "
       "bits; allowed are -32768 to 32767, not 0\nBit depth in bits [16]: \n"},
      {"the default bits do not fit the sample", "quilbern.exe", "40000\n", 1, "",
       "Bit depth in bits [16]: \nquilbern.exe: sample 40000 is beyond the sample codes at 16 "
       "bits"},
      {"fenzo needs all three values", "fenzo.exe", "94\n1\n", 1, "",
       "Second distance (same unit): \nfenzo.exe: input ended before the second distance was "
       "given"},
      {"fenzo answered", "fenzo.exe", "94\n1\n2\n", 0,
       "Level at the second distance (2): 87.9794 dB\nChange: -6.02060 dB\n",
       "First distance (any unit): Second distance (same unit): \n"},
      // A result out of range asks for the level again: no reference or bit depth can offset
      // a level of thousands of dB.
      {"power too large: the level again", "zorivek.exe", "5000\n\n90\n", 0,
       "Power: 0.00100000 W\n",
       "too large to show: its magnitude would exceed 1.79769e+308\n"
       "Sound power level in dB: \n"},
      {"amplitude too small: the level again", "noskarte.exe", "-7000\n\n-6\n", 0,
       "Amplitude: 16422.9\nNearest sample: 16423\nFull scale: 32768\n",
       "too small to show: its magnitude would be below 1e-321\nLevel in dBFS: \n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ProgramRun run = run_with_input(c.command, c.input);
    EXPECT_EQ(run.exit_code, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_NE(run.err.find(c.err_part), std::string::npos) << run.err;
  }
}

TEST(LevelToolsInteractive, AskEachValueNamingItsDefault) {
  const ProgramRun run = run_with_input("pelundA.exe", "0.001\n\n");
  EXPECT_EQ(run.err,
            "PELUNDA - It converts Watts to dBs\n"
            "Power in W: Reference power in W [1e-12]: \n");
  EXPECT_EQ(run.out, "Sound power level: 90.0000 dB re 1e-12 W\n");
}

// A full disk is an error worth reporting, unlike a reader that closed its pipe.
TEST(LevelToolsOutput, AFullDiskIsReportedWithStatusThree) {
  ProgramOptions options;
  options.args = {"0.5"};
  options.stdout_path = "/dev/full";
  const ProgramRun run = run_program(program_path("vorlix.exe"), options);
  EXPECT_EQ(run.signal, 0);
  EXPECT_EQ(run.exit_code, 3);
  EXPECT_EQ(run.err, "vorlix.exe: cannot write the results to standard output\n");
}

// Tools of every family through the launcher, which leaves the lines after its reply unread
// so that they answer the tool's questions: the tool's banner and questions open stderr, and
// its results follow the launcher's prompt on stdout.
TEST(ToolsThroughLauncher, EachRunsWithPipedAnswers) {
  const struct {
    const char* input;
    const char* err_start;
    const char* out_part;
  } cases[] = {
      {"1\n0.5\n",
       "VORLIX - It converts raw amplitude to dBs\nAmplitude: Reference amplitude [1]: \n",
       "==> Level: -6.02060 dB\n"},
      {"8\n440\n", "BRASKEL - It converts Hz to MIDI numbers\n", "Nearest note: A4 (MIDI 69)\n"},
      {"9\n60\n", "TOLVENI - It converts MIDI numbers to Hz\n", "Frequency: 261.626 Hz\n"},
      {"10\n110\n3\n", "LIPRA - It calculates", "       3         2         330.000  E4"},
      {"11\n1000\n100\n\n", "QUAV - It calculates", "Upper sideband: 1100.00 Hz\n"},
      {"12\n1000\n100\n1\n\n", "ZIRR - It calculates", "Bandwidth (Carson's rule): 400.000 Hz\n"},
      {"13\n12\n\n", "RUMBEL - It divides the octave in equal parts\n", "C5"},
      {"14\n440\n442\n", "HOPRI - It calculates", "Beat period: 0.500000 s\n"},
      {"15\n100\n200\n", "SALDUVEN - It calculates the center frequency of a bandpass filter\n",
       "Centre frequency: 141.421 Hz\n"},
      {"16\n10\n\n", "WIRN - It calculates the time interval between echoes\n",
       "Echo interval: 58.2726 ms\n"},
      {"17\n440\n0\n34.3215\n", "GRENDAX - It calculates the frequency of Doppler shift\n",
       "Observed frequency: 484.000 Hz\n"},
      {"18\n5\n4\n3\n60\n\n",
       "YOMBRIC - It calculates the frequencies of standing waves in a room\n",
       "1  1  0         54.9411  tangential\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const ProgramRun run = run_with_input("quesdral", c.input);
    EXPECT_EQ(run.exit_code, 0);
    EXPECT_EQ(run.err.rfind(c.err_start, 0), 0u) << run.err;
    EXPECT_NE(run.out.find(c.out_part), std::string::npos) << run.out;
  }
}

}  // namespace
}  // namespace quesdral::testing
