// The space and time tools (15 to 18) as a user or a script meets them: exact results in
// argument mode, refusals with their statuses and the interactive questions (their runs
// through the launcher are in levels_e2e_test.cpp). Expected numbers were worked out
// independently: by hand for the band-pass and Doppler ratios, and for the room modes by a
// separate brute-force script over every index triple of the textbook formula (762009 modes
// of a 30 x 20 x 12 m hall up to 1 kHz; its 10001st mode at 230.5549 Hz), in exact fractions
// of the decimals as typed where modes tie or lie at the limit. Values of narrow bands and
// below the normal range of doubles are by mpmath at 50 digits, rounded to the digits shown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "run_program.hpp"
#include "tool_expectations.hpp"

namespace quesdral::testing {
namespace {

TEST(SpaceTimeToolsArguments, PrintExactResults) {
  const ExactCase cases[] = {
      {"salduven.exe",
       {"100", "200"},
       "Centre frequency: 141.421 Hz\nBandwidth: 100.000 Hz\nQuality factor (Q): 1.41421\n"
       "Bandwidth in octaves: 1.00000 octaves\nArithmetic mean: 150.000 Hz\n"},
      {"wirn.exe",
       {"10"},
       "Speed of sound: 343.215 m/s\nEcho interval: 0.0582726 s\nEcho interval: 58.2726 ms\n"},
      // A source approaching at a tenth of the speed of sound: 440 / 0.9.
      {"grendax.exe",
       {"440", "33.13", "0", "0"},
       "Speed of sound: 331.300 m/s\nObserved frequency: 488.889 Hz\nShift: 48.8889 Hz\n"
       "Shift: 182.404 cents\n"},
      // The listener stands still unless told otherwise. c = 331.3 sqrt(1 + 20 / 273.15) =
      // 343.214623 m/s; 440 c / (c - 34.3215) = 488.888949 Hz, 182.403924 cents (mpmath).
      {"grendax.exe",
       {"440", "34.3215"},
       "Speed of sound: 343.215 m/s\nObserved frequency: 488.889 Hz\nShift: 48.8889 Hz\n"
       "Shift: 182.404 cents\n"},
      {"grendax.exe",
       {"440", "0", "34.3215"},
       "Speed of sound: 343.215 m/s\nObserved frequency: 484.000 Hz\nShift: 44.0000 Hz\n"
       "Shift: 165.004 cents\n"},
      {"yombric.exe",
       {"5", "4", "3", "60"},
       "Speed of sound: 343.215 m/s\n"
       "p  q  r  Frequency (Hz)  Kind\n"
       "1  0  0         34.3215  axial\n"
       "0  1  0         42.9018  axial\n"
       "1  1  0         54.9411  tangential\n"
       "0  0  1         57.2024  axial\n"
       "Axial modes: 3\nTangential modes: 1\nOblique modes: 0\nAll modes: 4\n"
       "Third-octave band (Hz)  Modes  Coincident  Remark                   Count\n"
       "                  31.5      1           0                           #\n"
       "                    40      1           0                           #\n"
       "                    50      1           0                           #\n"
       "                    63      1           0  partial (cut at MAX_HZ)  #\n"
       "Bonello's criterion: met (no full band holds fewer modes than the band below, nor "
       "coincident modes among fewer than 5)\n"},
      // A narrow band keeps the digits of its width in octaves; a band below the normal range
      // shows its bandwidth, as HOPRI shows such a beat.
      {"salduven.exe",
       {"1", "1.0000000000001"},
       "Centre frequency: 1.00000 Hz\nBandwidth: 9.99201e-14 Hz\nQuality factor (Q): 1.00080e+13\n"
       "Bandwidth in octaves: 1.44154e-13 octaves\nArithmetic mean: 1.00000 Hz\n"},
      {"salduven.exe",
       {"2.3e-308", "2.9e-308"},
       "Centre frequency: 2.58263e-308 Hz\nBandwidth: 6.00000e-309 Hz\nQuality factor (Q): "
       "4.30439\n"
       "Bandwidth in octaves: 0.334419 octaves\nArithmetic mean: 2.60000e-308 Hz\n"},
  };
  for (const ExactCase& c : cases)
    expect_exact_output(c);
}

TEST(SpaceTimeToolsArguments, RefuseBadValuesWithStatus2) {
  const RefusalCase cases[] = {
      {"salduven.exe", {"200", "100"}, "high cut-off must be above the low cut-off (200 Hz)"},
      {"salduven.exe", {"0", "100"}, "low cut-off must be above 0 Hz"},
      {"salduven.exe", {"nan", "100"}, "'nan' is not a number"},
      {"wirn.exe", {"0"}, "distance must be above 0 m"},
      // The interval in ms passes the largest double even at -100 degrees C.
      {"wirn.exe", {"1e308", "-100"}, "(Echo interval) is too large to show"},
      {"grendax.exe", {"0", "0", "0"}, "frequency must be above 0 Hz"},
      // At 0 degrees C the speed of sound is exactly 331.3 m/s.
      {"grendax.exe", {"440", "331.3", "0", "0"}, "not below the speed of sound (331.300 m/s"},
      {"grendax.exe", {"440", "0", "-331.3", "0"}, "listener speed -331.3 m/s must be above"},
      {"grendax.exe", {"1e300", "331.29999999999", "0", "0"}, "too large to show"},
      {"yombric.exe", {"0", "4", "3"}, "length must be above 0 m"},
      {"yombric.exe", {"5", "4", "3", "0"}, "highest frequency must be above 0 Hz"},
      {"yombric.exe",
       {"30", "20", "12", "1000"},
       "up to 1000 Hz the room has 762009 modes, more than the 10000 that can be listed; "
       "the highest limit that lists at most 10000 is 230.554 Hz"},
      // In a 1 m cube at 0 degrees C, 15 modes lie at exactly 26 * 165.65 = 4306.9 Hz: the
      // highest limit is the six-digit value below it, shown with its six digits.
      {"yombric.exe",
       {"1", "1", "1", "4306.9", "0"},
       "up to 4306.9 Hz the room has 10005 modes, more than the 10000 that can be listed; "
       "the highest limit that lists at most 10000 is 4306.89 Hz"},
      // Far too many modes to count: the tool says so at once instead of counting for hours.
      {"yombric.exe", {"1000", "1000", "1000", "20000"}, "the room has at least "},
      {"yombric.exe",
       {"--summary", "1000", "1000", "1000", "20000"},
       "up to 20000 Hz the room has too many modes to count exactly"},
  };
  for (const RefusalCase& c : cases)
    expect_refusal(c);
}

TEST(SpaceTimeToolsArguments, TheHighestLimitNamedIsAccepted) {
  const ProgramRun run = run_with_args("yombric.exe", {"30", "20", "12", "230.554"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("All modes: 9999\n"), std::string::npos);
  const ProgramRun cube = run_with_args("yombric.exe", {"1", "1", "1", "4306.89", "0"});
  EXPECT_EQ(cube.exit_code, 0) << cube.err;
  EXPECT_NE(cube.out.find("All modes: 9990\n"), std::string::npos);
}

// Modes of exactly equal frequency are listed by p, q, r, and those exactly at the limit are
// listed, whatever the doubles of their frequencies: (0,0,7), (5,8,2) and (10,4,2) of a
// 5 x 4 x 3 m room all have (p/L)^2 + (q/W)^2 + (r/H)^2 = 49/9; at 0 degrees C a 1 m cube
// has 28 modes up to 3 * 165.65 = 496.95 Hz, six of them exactly there.
TEST(SpaceTimeToolsArguments, ModesTiedOrAtTheLimitAreDecidedExactly) {
  const ProgramRun tied = run_with_args("yombric.exe", {"5", "4", "3", "500"});
  EXPECT_EQ(tied.exit_code, 0) << tied.err;
  EXPECT_NE(tied.out.find(" 0   0  7         400.417  axial       coincident x3\n"
                          " 5   8  2         400.417  oblique     coincident x3\n"
                          "10   4  2         400.417  oblique     coincident x3\n"),
            std::string::npos)
      << tied.out;
  const ProgramRun at_limit = run_with_args("yombric.exe", {"1", "1", "1", "496.95", "0"});
  EXPECT_EQ(at_limit.exit_code, 0) << at_limit.err;
  EXPECT_NE(at_limit.out.find("0  0  3         496.950  axial       coincident x6\n"
                              "0  3  0         496.950  axial       coincident x6\n"
                              "1  2  2         496.950  oblique     coincident x6\n"),
            std::string::npos)
      << at_limit.out;
  EXPECT_NE(at_limit.out.find("All modes: 28\n"), std::string::npos);
}

// --summary counts a room far beyond the listing; --kind lists one kind and counts all.
TEST(SpaceTimeToolsArguments, RoomSummaryAndOneKind) {
  const ProgramRun hall = run_with_args("yombric.exe", {"--summary", "30", "20", "12", "1000"});
  EXPECT_EQ(hall.exit_code, 0) << hall.err;
  EXPECT_EQ(hall.out.find("Frequency (Hz)"), std::string::npos);
  EXPECT_NE(hall.out.find("Axial modes: 359\nTangential modes: 31631\nOblique modes: 730019\n"
                          "All modes: 762009\n"),
            std::string::npos)
      << hall.out;
  EXPECT_NE(hall.out.find("                   800  268093"), std::string::npos) << hall.out;
  const ProgramRun axial = run_with_args("yombric.exe", {"--kind", "axial", "5", "4", "3", "60"});
  EXPECT_EQ(axial.exit_code, 0) << axial.err;
  EXPECT_NE(axial.out.find("0  0  1         57.2024  axial\nAxial modes: 3\nTangential modes: 1\n"),
            std::string::npos)
      << axial.out;
  EXPECT_EQ(axial.out.find("tangential\n"), std::string::npos) << axial.out;
}

// Schroeder's frequency 2000 sqrt(T60 / V): 48 m^3 at 0.5 s is 204.124 Hz; the 250 Hz band
// (from 223.9 Hz) lies wholly above it. Its question comes last and may be left empty; then
// nothing is added.
TEST(SpaceTimeToolsArguments, SchroederFrequencyFromTheReverberationTime) {
  const ProgramRun run = run_with_args("yombric.exe", {"6", "4", "2", "300", "20", "0.5"});
  EXPECT_EQ(run.exit_code, 0) << run.err;
  EXPECT_NE(run.out.find("Volume: 48.0000 m^3\nSchroeder frequency: 204.124 Hz\n"),
            std::string::npos);
  EXPECT_NE(run.out.find("   250     73          21  above Schroeder  "), std::string::npos);
  EXPECT_EQ(run.out.find("   200     42          14  above"), std::string::npos) << run.out;
  const ProgramRun skipped = run_with_input("yombric.exe", "6\n4\n2\n300\n\n\n");
  EXPECT_NE(skipped.err.find("Reverberation time T60 (s) [leave empty to skip]: \n"),
            std::string::npos);
  EXPECT_EQ(skipped.out.find("Schroeder"), std::string::npos) << skipped.out;
}

TEST(SpaceTimeToolsInteractive, AskAgainAfterARefusal) {
  // LOW >= HIGH is found at the second answer, which is asked again.
  const ProgramRun band = run_with_input("salduven.exe", "100\n50\n200\n");
  EXPECT_EQ(band.exit_code, 0);
  EXPECT_EQ(band.out,
            "Centre frequency: 141.421 Hz\nBandwidth: 100.000 Hz\nQuality factor (Q): 1.41421\n"
            "Bandwidth in octaves: 1.00000 octaves\nArithmetic mean: 150.000 Hz\n");
  EXPECT_EQ(band.err,
            "SALDUVEN - It calculates the center frequency of a bandpass filter\n"
            "Low cut-off frequency (Hz): High cut-off frequency (Hz): "
            "salduven.exe: high cut-off must be above the low cut-off (100 Hz)\n"
            "High cut-off frequency (Hz): \n");

  // A source faster than sound is found once every value is known; the source speed, which
  // can always mend it, is asked again (no temperature reaches 400 m/s and beyond).
  const ProgramRun doppler = run_with_input("grendax.exe", "440\n400\n0\n20\n300\n");
  EXPECT_EQ(doppler.exit_code, 0) << doppler.err;
  EXPECT_NE(doppler.err.find("not below the speed of sound"), std::string::npos);
  EXPECT_NE(doppler.err.find("Air temperature (degrees C) [20]: grendax.exe: source speed 400"),
            std::string::npos)
      << doppler.err;
  EXPECT_NE(doppler.err.find("not allowed\nSource speed toward the listener (m/s): \n"),
            std::string::npos)
      << doppler.err;

  // Too many modes are mended by a lower limit, never by the temperature, which cannot.
  const ProgramRun hall = run_with_input("yombric.exe", "30\n20\n12\n1000\n\n\n100\n");
  EXPECT_EQ(hall.exit_code, 0) << hall.err;
  EXPECT_NE(hall.err.find("more than the 10000 that can be listed"), std::string::npos);
  EXPECT_NE(hall.err.find(" without listing them\nHighest frequency (Hz) [300]: \n"),
            std::string::npos)
      << hall.err;

  // Defaults for the unanswered values once input ends: 300 Hz and 20 degrees C.
  const ProgramRun room = run_with_input("yombric.exe", "5\n4\n3\n");
  EXPECT_EQ(room.exit_code, 0);
  EXPECT_NE(room.err.find("Highest frequency (Hz) [300]: "), std::string::npos);
  EXPECT_NE(room.out.find("Axial modes: 19\n"), std::string::npos);
}

// Modes per third-octave band against a count by brute force over every p, q, r below 200
// (a short Python script; band edges 10^((n -/+ 0.5) / 10) Hz): in a 3 m cube up to 200 Hz
// the bands of 100 and 160 Hz hold fewer modes than the band below them, and the three axial
// modes of 63 Hz and the three tangential ones of 80 Hz coincide in bands of three modes. The
// 3:2:1 room's three axial modes at 85.8037 Hz coincide in the 80 Hz band of four modes.
TEST(SpaceTimeToolsArguments, ModesPerThirdOctaveBandAndBonellosCriterion) {
  const ProgramRun cube = run_with_args("yombric.exe", {"3", "3", "3", "200"});
  EXPECT_EQ(cube.exit_code, 0);
  const std::string bands = cube.out.substr(cube.out.find("Third-octave band (Hz)"));
  EXPECT_EQ(
      bands,
      "Third-octave band (Hz)  Modes  Coincident  Remark                         Count\n"
      "                    63      3           1  coincident among fewer than 5  ###\n"
      "                    80      3           1  coincident among fewer than 5  ###\n"
      "                   100      1           0  fewer than the band below      #\n"
      "                   125     12           3                                 ############\n"
      "                   160      9           2  fewer than the band below      #########\n"
      "                   200     10           2  partial (cut at MAX_HZ)        ##########\n"
      "Bonello's criterion: not met (fewer modes than the band below at 100, 160 Hz; "
      "coincident modes in the 63 Hz band of 3 modes, the 80 Hz band of 3 modes)\n");
  const ProgramRun three_two_one = run_with_args("yombric.exe", {"6", "4", "2", "200"});
  EXPECT_NE(three_two_one.out.find("Bonello's criterion: not met (coincident modes in the 80 Hz "
                                   "band of 4 modes)\n"),
            std::string::npos)
      << three_two_one.out;
  // No mode up to the limit: no band to judge.
  const ProgramRun none = run_with_args("yombric.exe", {"5", "4", "3", "20"});
  EXPECT_NE(none.out.find("Bonello's criterion: not judged (fewer than two full bands)\n"),
            std::string::npos)
      << none.out;
}

}  // namespace
}  // namespace quesdral::testing
