// The pitch and spectrum tools (8 to 14) as a user or a script meets them: exact results in
// argument mode, refusals with their statuses and the interactive questions with computed
// defaults (their runs through the launcher are in levels_e2e_test.cpp). Expected numbers
// are worked out independently (equal temperament by hand, Bessel values from published
// tables), not taken from the code under test; those of deviations far below a cent, of
// sidebands a hair from 0 Hz and of values below the normal range of doubles by mpmath at
// 50 digits from the doubles as parsed, rounded to the digits shown.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "run_program.hpp"
#include "tool_expectations.hpp"

namespace quesdral::testing {
namespace {

TEST(PitchToolsArguments, PrintExactResults) {
  const ExactCase cases[] = {
      {"braskel.exe",
       {"440"},
       "MIDI number: 69.0000\nNearest note: A4 (MIDI 69)\nDeviation: 0.00000 cents\n"},
      // 8 Hz lies 37.6 cents below MIDI 0, C-1, still inside the MIDI range.
      {"braskel.exe",
       {"8"},
       "MIDI number: -0.376317\nNearest note: C-1 (MIDI 0)\nDeviation: -37.6317 cents\n"},
      {"braskel.exe",
       {"20000"},
       "MIDI number: 135.076\nNearest note: D#10 (MIDI 135, outside the MIDI range 0 to 127)\n"
       "Deviation: 7.62320 cents\n"},
      // A4 tuned to 432 Hz: 432 Hz is A4 exactly; A4 = 415 puts 440 Hz 1.27 cents above A#4.
      {"braskel.exe",
       {"432", "432"},
       "MIDI number: 69.0000\nNearest note: A4 (MIDI 69)\nDeviation: 0.00000 cents\n"},
      {"braskel.exe",
       {"440", "415"},
       "MIDI number: 70.0127\nNearest note: A#4 (MIDI 70)\nDeviation: 1.27062 cents\n"},
      {"tolveni.exe", {"60"}, "Frequency: 261.626 Hz\nNote: C4\n"},
      {"tolveni.exe", {"0"}, "Frequency: 8.17580 Hz\nNote: C-1\n"},
      {"tolveni.exe", {"127"}, "Frequency: 12543.9 Hz\nNote: G9\n"},
      {"tolveni.exe",
       {"69.5"},
       "Frequency: 452.893 Hz\nNearest note: A#4 (MIDI 70)\nDeviation: -50.0000 cents\n"},
      {"tolveni.exe",
       {"--flats", "--middle-c", "C3", "61.3"},
       "Frequency: 282.028 Hz\nNearest note: Db3 (MIDI 61)\nDeviation: 30.0000 cents\n"},
      {"tolveni.exe", {"57", "432"}, "Frequency: 216.000 Hz\nNote: A3\n"},
      {"lipra.exe",
       {"110", "4"},
       "Harmonic  Overtone  Frequency (Hz)  Note    Cents\n"
       "       1         0         110.000  A2    0.00000\n"
       "       2         1         220.000  A3    0.00000\n"
       "       3         2         330.000  E4    1.95500\n"
       "       4         3         440.000  A4    0.00000\n"},
      {"quav.exe",
       {"1000", "100"},
       "Lower sideband: 900.000 Hz\nUpper sideband: 1100.00 Hz\n"
       "Sideband amplitude (carrier = 1): 0.500000\nSideband level: -6.02060 dB re carrier\n"},
      {"quav.exe",
       {"100", "300", "0.5"},
       "Lower sideband: 200.000 Hz (reflected from -200.000 Hz)\nUpper sideband: 400.000 Hz\n"
       "Sideband amplitude (carrier = 1): 0.250000\nSideband level: -12.0412 dB re carrier\n"},
      // J_0(1) = 0.765198, J_1(1) = 0.440051, J_2(1) = 0.114903 (published tables). Nothing
      // meets: as heard, the same components in order of frequency.
      {"zirr.exe",
       {"100", "150", "1", "2"},
       "Sideband  Frequency (Hz)  Amplitude  Remark     Magnitude\n"
       "      -2         200.000  -0.114903  reflected  #####\n"
       "      -1         50.0000   0.440051  reflected  ##################\n"
       " carrier         100.000   0.765198             ###############################\n"
       "      +1         250.000   0.440051             ##################\n"
       "      +2         400.000   0.114903             #####\n"
       "As heard, in order of frequency, the components at one frequency summed:\n"
       "Frequency (Hz)  Amplitude  Sum of   Magnitude\n"
       "       50.0000   0.440051  -1       ##################\n"
       "       100.000   0.765198  carrier  ###############################\n"
       "       200.000  -0.114903  -2       #####\n"
       "       250.000   0.440051  +1       ##################\n"
       "       400.000   0.114903  +2       #####\n"
       "Bandwidth (Carson's rule): 600.000 Hz\n"},
      {"hopri.exe", {"440", "442"}, "Beat frequency: 2.00000 Hz\nBeat period: 0.500000 s\n"},
      // Unmodulated, a pure sine: Carson's bandwidth is 0 Hz.
      {"zirr.exe",
       {"1000", "100", "0", "1"},
       "Sideband  Frequency (Hz)  Amplitude  Remark  Magnitude\n"
       "      -1         900.000    0.00000\n"
       " carrier         1000.00    1.00000          ########################################\n"
       "      +1         1100.00    0.00000\n"
       "As heard, in order of frequency, the components at one frequency summed:\n"
       "Frequency (Hz)  Amplitude  Sum of   Magnitude\n"
       "       900.000    0.00000  -1\n"
       "       1000.00    1.00000  carrier  ########################################\n"
       "       1100.00    0.00000  +1\n"
       "Bandwidth (Carson's rule): 0.00000 Hz\n"},
      // Carrier and modulator equal: -1 is silent at 0 Hz and each lower sideband below it
      // folds onto one above. J_k(2) from published tables: J0 = 0.223891, J1 = 0.576725,
      // J2 = 0.352834, J3 = 0.128943, J4 = 0.0339957; J0 - J2 = -0.128943,
      // J1 + J3 = 0.705668, J2 - J4 = 0.318838.
      {"zirr.exe",
       {"100", "100", "2", "4"},
       "Sideband  Frequency (Hz)   Amplitude  Remark         Magnitude\n"
       "      -4         300.000  -0.0339957  reflected      #\n"
       "      -3         200.000    0.128943  reflected      #####\n"
       "      -2         100.000   -0.352834  reflected      ##############\n"
       "      -1         0.00000     0.00000  silent (0 Hz)\n"
       " carrier         100.000    0.223891                 #########\n"
       "      +1         200.000    0.576725                 #######################\n"
       "      +2         300.000    0.352834                 ##############\n"
       "      +3         400.000    0.128943                 #####\n"
       "      +4         500.000   0.0339957                 #\n"
       "As heard, in order of frequency, the components at one frequency summed:\n"
       "Frequency (Hz)  Amplitude  Sum of          Magnitude\n"
       "       100.000  -0.128943  -2 and carrier  #####\n"
       "       200.000   0.705668  -3 and +1       ############################\n"
       "       300.000   0.318838  -4 and +2       #############\n"
       "       400.000   0.128943  +3              #####\n"
       "       500.000  0.0339957  +4              #\n"
       "Bandwidth (Carson's rule): 600.000 Hz\n"},
      {"hopri.exe", {"440", "440"}, "Beat frequency: 0.00000 Hz\nBeat period: no beating\n"},
      // A deviation far below a cent keeps its digits; one just below +50 cents shows as
      // many as it takes not to read as +50.
      {"braskel.exe",
       {"440.0000001"},
       "MIDI number: 69.0000\nNearest note: A4 (MIDI 69)\nDeviation: 3.93462e-07 cents\n"},
      {"braskel.exe",
       {"452.89298412"},
       "MIDI number: 69.5000\nNearest note: A4 (MIDI 69)\nDeviation: 49.99999999 cents\n"},
      // 3 * 146.66666666666666 lies a rounding below 440 Hz: A4 itself.
      {"lipra.exe",
       {"146.66666666666666", "3"},
       "Harmonic  Overtone  Frequency (Hz)  Note     Cents\n"
       "       1         0         146.667  D3    -1.95500\n"
       "       2         1         293.333  D4    -1.95500\n"
       "       3         2         440.000  A4     0.00000\n"},
      // Below the normal range the digits that are still true are shown.
      {"tolveni.exe", {"0", "1e-307"}, "Frequency: 1.85814e-309 Hz\nNote: C-1\n"},
      {"hopri.exe",
       {"2.3e-308", "2.9e-308"},
       "Beat frequency: 6.00000e-309 Hz\nBeat period: 1.66667e+308 s\n"},
      // A lower sideband at 0 Hz is the cosine of 0 Hz, a constant.
      {"quav.exe",
       {"100", "100"},
       "Lower sideband: 0.00000 Hz (DC)\nUpper sideband: 200.000 Hz\n"
       "Sideband amplitude (carrier = 1): 0.500000\nSideband level: -6.02060 dB re carrier\n"},
      {"quav.exe",
       {"0.3", "0.3"},
       "Lower sideband: 0.00000 Hz (DC)\nUpper sideband: 0.600000 Hz\n"
       "Sideband amplitude (carrier = 1): 0.500000\nSideband level: -6.02060 dB re carrier\n"},
      // 3 * 333333.3333333 falls 1e-7 Hz short of the carrier (9.99426e-08 Hz for the doubles):
      // a sideband, not silence. J_3(1) = 0.0195634, J_4(1) = 0.00247664. As heard, -4 and
      // -2 stay apart: 333333.3333332 and 333333.3333334 Hz as typed.
      {"zirr.exe",
       {"1000000", "333333.3333333", "1", "4"},
       "Sideband  Frequency (Hz)    Amplitude  Remark     Magnitude\n"
       "      -4          333333  -0.00247664  reflected\n"
       "      -3     9.99426e-08   -0.0195634             #\n"
       "      -2          333333     0.114903             #####\n"
       "      -1          666667    -0.440051             ##################\n"
       " carrier     1.00000e+06     0.765198             ###############################\n"
       "      +1     1.33333e+06     0.440051             ##################\n"
       "      +2     1.66667e+06     0.114903             #####\n"
       "      +3     2.00000e+06    0.0195634             #\n"
       "      +4     2.33333e+06   0.00247664\n"
       "As heard, in order of frequency, the components at one frequency summed:\n"
       "Frequency (Hz)    Amplitude  Sum of   Magnitude\n"
       "   9.99426e-08   -0.0195634  -3       #\n"
       "        333333  -0.00247664  -4\n"
       "        333333     0.114903  -2       #####\n"
       "        666667    -0.440051  -1       ##################\n"
       "   1.00000e+06     0.765198  carrier  ###############################\n"
       "   1.33333e+06     0.440051  +1       ##################\n"
       "   1.66667e+06     0.114903  +2       #####\n"
       "   2.00000e+06    0.0195634  +3       #\n"
       "   2.33333e+06   0.00247664  +4\n"
       "Bandwidth (Carson's rule): 1.33333e+06 Hz\n"},
      // The index is the double nearest to the first zero of J_1, where J_1 is -6.1e-17,
      // below the rounding of the computation: no digit of it is shown. J_0 = J_2 =
      // -/+0.402759 there.
      {"zirr.exe",
       {"1000", "100", "3.8317059702075125", "2"},
       "Sideband  Frequency (Hz)  Amplitude  Remark  Magnitude\n"
       "      -2         800.000   0.402759          ################\n"
       "      -1         900.000    0.00000\n"
       " carrier         1000.00  -0.402759          ################\n"
       "      +1         1100.00    0.00000\n"
       "      +2         1200.00   0.402759          ################\n"
       "As heard, in order of frequency, the components at one frequency summed:\n"
       "Frequency (Hz)  Amplitude  Sum of   Magnitude\n"
       "       800.000   0.402759  -2       ################\n"
       "       900.000    0.00000  -1\n"
       "       1000.00  -0.402759  carrier  ################\n"
       "       1100.00    0.00000  +1\n"
       "       1200.00   0.402759  +2       ################\n"
       "Bandwidth (Carson's rule): 966.341 Hz\n"},
  };
  for (const ExactCase& c : cases)
    expect_exact_output(c);
}

// How notes are named: --flats and --middle-c C3|C4 on each pitch tool, and A4_HZ as the
// last value of LIPRA and RUMBEL. The MIDI standard makes note 60 middle C and note 69
// A4 at 440 Hz; C#4 at 440 Hz is 277.183 Hz and 2^(1/12) = 1.05946, 2^(1/4) = 1.18921
// (equal temperament by hand). Against A4 = 415 Hz, 440 Hz lies 1.27062 cents above A#4 and
// 1320 Hz 3.22563 cents above F6 (mpmath, 30 digits).
TEST(PitchToolsArguments, NoteNamingOptionsAndTheTuningOfA4) {
  const ExactCase cases[] = {
      {"braskel.exe",
       {"--flats", "440", "415"},
       "MIDI number: 70.0127\nNearest note: Bb4 (MIDI 70)\nDeviation: 1.27062 cents\n"},
      {"braskel.exe",
       {"--middle-c", "C3", "261.6255653005986"},
       "MIDI number: 60.0000\nNearest note: C3 (MIDI 60)\nDeviation: 0.00000 cents\n"},
      {"braskel.exe",
       {"--middle-c=C4", "--flats", "8"},
       "MIDI number: -0.376317\nNearest note: C-1 (MIDI 0)\nDeviation: -37.6317 cents\n"},
      {"tolveni.exe", {"--middle-c", "C3", "60"}, "Frequency: 261.626 Hz\nNote: C3\n"},
      {"tolveni.exe", {"--flats", "61"}, "Frequency: 277.183 Hz\nNote: Db4\n"},
      {"tolveni.exe", {"61", "--middle-c", "C3"}, "Frequency: 277.183 Hz\nNote: C#3\n"},
      // 108 Hz is A2 when A4 is 432 Hz, two octaves above it.
      {"lipra.exe",
       {"108", "2", "432"},
       "Harmonic  Overtone  Frequency (Hz)  Note    Cents\n"
       "       1         0         108.000  A2    0.00000\n"
       "       2         1         216.000  A3    0.00000\n"},
      {"lipra.exe",
       {"--flats", "--middle-c", "C3", "440", "3", "415"},
       "Harmonic  Overtone  Frequency (Hz)  Note    Cents\n"
       "       1         0         440.000  Bb3   1.27062\n"
       "       2         1         880.000  Bb4   1.27062\n"
       "       3         2         1320.00  F5    3.22563\n"},
  };
  for (const ExactCase& c : cases)
    expect_exact_output(c);
  const ProgramRun flats = run_with_args("rumbeldv.exe", {"--flats", "12"});
  EXPECT_NE(flats.out.find("   1         277.183  1.05946  100.000  Db4             0.00000\n"),
            std::string::npos)
      << flats.out;
  const ProgramRun tuned = run_with_args("rumbeldv.exe", {"12", "432", "432"});
  EXPECT_NE(tuned.out.find("   0         432.000  1.00000  0.00000  A4              0.00000\n"),
            std::string::npos)
      << tuned.out;
  EXPECT_NE(tuned.out.find("   3         513.737  1.18921  300.000  C5              0.00000\n"),
            std::string::npos)
      << tuned.out;
  const ProgramRun refused = run_with_args("braskel.exe", {"--middle-c", "C5", "440"});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_NE(refused.err.find("--middle-c takes"), std::string::npos) << refused.err;
}

// A note name in place of a MIDI number or a frequency stands for its number under the
// tool's --middle-c and A4: C2 is 64.2172 Hz at A4 = 432 Hz, A3 is 220 Hz (equal
// temperament by hand).
TEST(PitchToolsArguments, NoteNamesStandForTheirNumbers) {
  const ExactCase cases[] = {
      {"tolveni.exe", {"A4"}, "Frequency: 440.000 Hz\nNote: A4\n"},
      {"lipra.exe",
       {"C2", "1", "432"},
       "Harmonic  Overtone  Frequency (Hz)  Note    Cents\n"
       "       1         0         64.2172  C2    0.00000\n"},
      {"rumbeldv.exe",
       {"1", "A3"},
       "Step  Frequency (Hz)    Ratio    Cents  Note  Deviation (cents)\n"
       "   0         220.000  1.00000  0.00000  A3              0.00000\n"
       "   1         440.000  2.00000  1200.00  A4              0.00000\n"},
      {"hopri.exe", {"A4", "442"}, "Beat frequency: 2.00000 Hz\nBeat period: 0.500000 s\n"},
  };
  for (const ExactCase& c : cases)
    expect_exact_output(c);
  const RefusalCase refusals[] = {
      {"tolveni.exe", {"H4"}, "'H4' is not a number or a note name; write a MIDI number"},
      {"hopri.exe",
       {"440", "A"},
       "'A' is not a number or a note name; write a frequency such as 440 or a note such as A4"},
      {"tolveni.exe", {"G#9"}, "MIDI number must be from 0 to 127"},
      {"lipra.exe", {"C-2000"}, "fundamental frequency must be above 0 Hz"},
      {"hopri.exe", {"C2000", "440"}, "the note given as the first frequency is too high"},
  };
  for (const RefusalCase& c : refusals)
    expect_refusal(c);
}

// The record holds the number a note stands for beside the text as typed; an answer is read
// under the A4 answered after it.
TEST(PitchToolsBatch, NotesInLinesAndAnswers) {
  ProgramOptions options;
  options.args = {"--batch", "--format", "csv"};
  options.input = "A4 A#4\n";
  const ProgramRun batch = run_program(program_path("hopri.exe"), options);
  EXPECT_NE(batch.out.find("\n1,A4 A#4,440,466.16376151"), std::string::npos) << batch.out;
  const ProgramRun asked = run_with_input("lipra.exe", "C2\n1\n432\n");
  EXPECT_NE(asked.out.find("64.2172  C2"), std::string::npos) << asked.out;
}

// QUESDRAL_NOTE_NAMES and QUESDRAL_MIDDLE_C set how the pitch tools name and read notes
// unless an option says otherwise; a tool that names no notes never reads them.
TEST(PitchToolsEnvironment, SetsTheNamingOptionsWin) {
  struct Case {
    const char* command;
    std::vector<std::string> env;
    std::vector<std::string> args;
    int exit_code;
    const char* output;  // stdout, or stderr when the run is refused
  };
  const std::vector<std::string> flats_c3 = {"QUESDRAL_NOTE_NAMES=flats", "QUESDRAL_MIDDLE_C=C3"};
  const Case cases[] = {
      {"tolveni.exe", flats_c3, {"61"}, 0, "Frequency: 277.183 Hz\nNote: Db3\n"},
      {"tolveni.exe",
       flats_c3,
       {"--sharps", "--middle-c", "C4", "C#4"},
       0,
       "Frequency: 277.183 Hz\nNote: C#4\n"},
      {"hopri.exe",
       {"QUESDRAL_MIDDLE_C=C3"},
       {"A3", "442"},
       0,
       "Beat frequency: 2.00000 Hz\nBeat period: 0.500000 s\n"},
      {"rumbeldv.exe",
       {"QUESDRAL_MIDDLE_C=middle"},
       {"12"},
       2,
       "rumbeldv.exe: QUESDRAL_MIDDLE_C must be C3 or C4, not 'middle'\n"},
      {"vorlix.exe", {"QUESDRAL_MIDDLE_C=middle"}, {"1"}, 0, "Level: 0.00000 dB\n"},
  };
  for (const Case& c : cases) {
    ProgramOptions options;
    options.args = c.args;
    options.env_set = c.env;
    const ProgramRun run = run_program(program_path(c.command), options);
    SCOPED_TRACE(c.command);
    EXPECT_EQ(run.exit_code, c.exit_code);
    EXPECT_EQ(c.exit_code == 0 ? run.out : run.err, c.output);
  }
}

TEST(PitchToolsArguments, EqualDivisionsTableHasEveryStep) {
  const ProgramRun twelve = run_with_args("rumbeldv.exe", {"12"});
  EXPECT_EQ(twelve.exit_code, 0);
  // Middle C by default; step 7 is the equal-tempered fifth 2^(7/12) = 1.49831, on G4.
  EXPECT_NE(twelve.out.find("   0         261.626  1.00000  0.00000  C4              0.00000\n"),
            std::string::npos);
  EXPECT_NE(twelve.out.find("   7         391.995  1.49831  700.000  G4              0.00000\n"),
            std::string::npos);
  EXPECT_NE(twelve.out.find("  12         523.251  2.00000  1200.00  C5              0.00000\n"),
            std::string::npos);
  // Step 1 of 24 from middle C lies half way to C#4: -50 cents from it, however the
  // default middle C rounds as a double.
  const ProgramRun quarter_tones = run_with_args("rumbeldv.exe", {"24"});
  EXPECT_NE(
      quarter_tones.out.find("   1         269.292  1.02930  50.0000  C#4            -50.0000\n"),
      std::string::npos)
      << quarter_tones.out;
  const ProgramRun thirty_one = run_with_args("rumbeldv.exe", {"31", "440"});
  EXPECT_EQ(thirty_one.exit_code, 0);
  // Header, steps 0 to 31.
  EXPECT_EQ(std::count(thirty_one.out.begin(), thirty_one.out.end(), '\n'), 33);
  EXPECT_NE(thirty_one.out.find("  31         880.000  2.00000  1200.00  A5"), std::string::npos);
}

TEST(PitchToolsArguments, RefuseBadValuesWithStatusTwo) {
  const RefusalCase cases[] = {
      {"braskel.exe", {"0"}, "braskel.exe: frequency must be above 0 Hz"},
      {"braskel.exe", {"440", "-440"}, "frequency of A4 must be above 0 Hz"},
      {"braskel.exe", {"nan"}, "braskel.exe: "},
      {"braskel.exe", {"inf"}, "braskel.exe: "},
      {"tolveni.exe", {"128"}, "MIDI number must be from 0 to 127"},
      {"tolveni.exe", {"-0.5"}, "MIDI number must be from 0 to 127"},
      {"tolveni.exe", {"127", "1e308"}, "too large to show"},
      {"lipra.exe", {"110", "0"}, "number of harmonics must be from 1 to 1000"},
      {"lipra.exe", {"110", "1001"}, "number of harmonics must be from 1 to 1000"},
      {"lipra.exe", {"110", "16.0"}, "lipra.exe: COUNT: "},
      {"lipra.exe", {"1e306", "1000"}, "too large to show"},
      {"quav.exe", {"1000", "100", "0"}, "modulation depth must be above 0 and at most 1"},
      {"quav.exe", {"1000", "100", "1.01"}, "modulation depth must be above 0 and at most 1"},
      {"quav.exe", {"1e308", "1e308"}, "too large to show"},
      {"zirr.exe", {"1000", "100", "100.5"}, "modulation index must be between 0 and 100"},
      {"zirr.exe", {"1000", "100", "-1"}, "modulation index must be between 0 and 100"},
      {"zirr.exe", {"1000", "100", "1", "0"}, "number of sideband pairs must be from 1 to 100"},
      {"zirr.exe", {"1000", "100", "1", "101"}, "number of sideband pairs must be from 1 to 100"},
      {"zirr.exe", {"1000", "1e307", "1", "100"}, "too large to show"},
      {"rumbeldv.exe", {"0"}, "number of divisions must be from 1 to 1200"},
      {"rumbeldv.exe", {"1201"}, "number of divisions must be from 1 to 1200"},
      {"rumbeldv.exe", {"12", "1e308"}, "too large to show"},
      {"hopri.exe", {"440", "0"}, "second frequency must be above 0 Hz"},
      {"hopri.exe", {"2.3e-308", "2.4e-308"}, "too large to show"},
  };
  for (const RefusalCase& c : cases)
    expect_refusal(c);
}

TEST(PitchToolsInteractive, SidebandCountDefaultsFromTheIndex) {
  // Index 2.5: floor(2.5) + 2 = 4 pairs, offered as the default and used on an empty answer.
  const ProgramRun run = run_with_input("zirr.exe", "1000\n100\n2.5\n\n");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.err.find("Number of sideband pairs [4]: "), std::string::npos);
  EXPECT_NE(run.out.find("      -4         600.000"), std::string::npos);
  EXPECT_EQ(run.out.find("      -5 "), std::string::npos);
  // An index of 100 would default to 102 pairs; the offer stays within the bound.
  const ProgramRun capped = run_with_input("zirr.exe", "1000\n100\n100\n\n");
  EXPECT_EQ(capped.exit_code, 0);
  EXPECT_NE(capped.err.find("Number of sideband pairs [100]: "), std::string::npos);
  EXPECT_NE(capped.out.find("    +100         11000.0"), std::string::npos);
}

TEST(PitchToolsInteractive, TooLargeResultAsksTheLastQuestionAgain) {
  const ProgramRun run = run_with_input("lipra.exe", "1e306\n1000\n\n2\n");
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_NE(run.err.find("too large to show"), std::string::npos);
  EXPECT_NE(run.out.find("       2         1    2.00000e+306"), std::string::npos);
}

TEST(PitchToolsInteractive, InputEndingUsesDefaultsOrFails) {
  // Only the divisions given: the start takes its default, middle C.
  const ProgramRun defaulted = run_with_input("rumbeldv.exe", "12\n");
  EXPECT_EQ(defaulted.exit_code, 0);
  EXPECT_NE(defaulted.err.find("Start frequency (Hz) [261.626]: "), std::string::npos);
  EXPECT_NE(defaulted.out.find("C5"), std::string::npos);
  const ProgramRun missing = run_with_input("hopri.exe", "440\n");
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_NE(missing.err.find("hopri.exe: "), std::string::npos);
}

}  // namespace
}  // namespace quesdral::testing
