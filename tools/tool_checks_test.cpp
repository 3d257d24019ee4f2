// Each tool's own checks at their edges: the last value accepted and the first refused, with
// the reason as printed. Expected values come from the formulas worked out apart from the
// code (20 log10(2^-31) = -186.639 dB; c = 331.3 sqrt(1 + T / 273.15) is 263.774 m/s at
// -100 and 436.034 m/s at 200 degrees C (mpmath at 50 digits), and an echo from 10 m
// returns after 20 m / c; half the largest double, 8.988465674311579e307, is the highest
// start whose octave is still a double).
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

struct Case {
  const char* name;
  ToolFactory factory;
  std::vector<std::string> args;
  int status;
  const char* text;  // a part of stdout when accepted; all of stderr when refused
};

const Case kCases[] = {
    {"bit depth 1",
     quilbern_tool,
     {"1", "1"},
     2,
     "quilbern.exe: bit depth must be a whole number from 2 to 32\n"},
    {"bit depth 2", quilbern_tool, {"1", "2"}, 0, "Level: -6.02060 dBFS\nFull scale: 2\n"},
    {"bit depth 32",
     quilbern_tool,
     {"1", "32"},
     0,
     "Level: -186.639 dBFS\nFull scale: 2147483648\n"},
    {"bit depth 33",
     quilbern_tool,
     {"1", "33"},
     2,
     "quilbern.exe: bit depth must be a whole number from 2 to 32\n"},
    {"bit depth 1 from a level",
     noskarte_tool,
     {"-6", "1"},
     2,
     "noskarte.exe: bit depth must be a whole number from 2 to 32\n"},
    {"equal cut-offs",
     salduven_tool,
     {"100", "100"},
     2,
     "salduven.exe: high cut-off must be above the low cut-off (100 Hz)\n"},
    {"cut-offs a hair apart",
     salduven_tool,
     {"100", "100.001"},
     0,
     "Centre frequency: 100.000 Hz\nBandwidth: 0.00100000 Hz\n"},
    {"carrier equal to the modulator",
     quav_tool,
     {"100", "100"},
     0,
     "Lower sideband: 0.00000 Hz (DC)\nUpper sideband: 200.000 Hz\n"},
    {"carrier just below the modulator",
     quav_tool,
     {"100", "101"},
     0,
     "Lower sideband: 1.00000 Hz (reflected from -1.00000 Hz)\n"},
    // The air temperature that WIRN, GRENDAX and YOMBRIC take last: -100 and 200 degrees C
    // are accepted, anything beyond them refused.
    {"coldest air",
     grendax_tool,
     {"440", "0", "0", "-100"},
     0,
     "Speed of sound: 263.774 m/s\nObserved frequency: 440.000 Hz\n"},
    {"colder than that",
     grendax_tool,
     {"440", "0", "0", "-100.001"},
     2,
     "grendax.exe: temperature must be from -100 to 200 degrees C (the speed of sound is "
     "computed for air)\n"},
    {"a hair colder than that",
     grendax_tool,
     {"440", "0", "0", "-100.0001"},
     2,
     "grendax.exe: temperature must be from -100 to 200 degrees C (the speed of sound is "
     "computed for air)\n"},
    {"hottest air", grendax_tool, {"440", "0", "0", "200"}, 0, "Speed of sound: 436.034 m/s\n"},
    {"hotter than that",
     grendax_tool,
     {"440", "0", "0", "200.001"},
     2,
     "grendax.exe: temperature must be from -100 to 200 degrees C (the speed of sound is "
     "computed for air)\n"},
    {"echo in the coldest air",
     wirn_tool,
     {"10", "-100"},
     0,
     "Speed of sound: 263.774 m/s\nEcho interval: 0.0758225 s\nEcho interval: 75.8225 ms\n"},
    {"echo in the hottest air",
     wirn_tool,
     {"10", "200"},
     0,
     "Speed of sound: 436.034 m/s\nEcho interval: 0.0458680 s\nEcho interval: 45.8680 ms\n"},
    {"echo a hair hotter",
     wirn_tool,
     {"10", "200.0001"},
     2,
     "wirn.exe: temperature must be from -100 to 200 degrees C (the speed of sound is computed "
     "for air)\n"},
    {"echo at absolute zero",
     wirn_tool,
     {"10", "-273.15"},
     2,
     "wirn.exe: temperature must be from -100 to 200 degrees C (the speed of sound is computed "
     "for air)\n"},
    {"echo at 1e300 degrees C",
     wirn_tool,
     {"1e-300", "1e300"},
     2,
     "wirn.exe: temperature must be from -100 to 200 degrees C (the speed of sound is computed "
     "for air)\n"},
    {"room in hotter air",
     yombric_tool,
     {"5", "4", "3", "300", "201"},
     2,
     "yombric.exe: temperature must be from -100 to 200 degrees C (the speed of sound is "
     "computed for air)\n"},
    {"highest start of an octave",
     rumbeldv_tool,
     {"1", "8.988465674311579e307"},
     0,
     "   1    1.79769e+308  2.00000  1200.00  C1020*           -37.6317\n"
     "* outside the MIDI range 0 to 127\n"},
    {"next start up",
     rumbeldv_tool,
     {"1", "8.98846567431158e307"},
     2,
     "rumbeldv.exe: the octave above 8.98847e+307 Hz is too large to show\n"},
    {"harmonics above the MIDI range",
     lipra_tool,
     {"10000", "3"},
     0,
     "       3         2         30000.0  A#10*  9.57820\n"
     "* outside the MIDI range 0 to 127\n"},
    // 2.1 - 3 * 0.7 is 0 as typed, although the doubles of 2.1 and 0.7 leave 4.4e-16.
    {"a sideband at 0 Hz as typed",
     zirr_tool,
     {"2.1", "0.7", "1", "3"},
     0,
     "      -3         0.00000    0.00000  silent (0 Hz)\n"},
    {"sides further apart than a double can say",
     yombric_tool,
     {"12", "2.2250738585072014e-308", "2"},
     2,
     "yombric.exe: the longest side is more than 1.79769e+308 times the shortest, too far apart "
     "for the modes to be computed\n"},
    {"a room whose lowest mode is above every double",
     yombric_tool,
     {"2.2250738585072014e-308", "2.2250738585072014e-308", "2.2250738585072014e-308"},
     2,
     "yombric.exe: the room is too small for its modes to be shown at 343.215 m/s at 20 degrees "
     "C\n"},
    {"steps above the MIDI range",
     rumbeldv_tool,
     {"2", "20000"},
     0,
     "   2         40000.0  2.00000  1200.00  D#11*            7.62320\n"
     "* outside the MIDI range 0 to 127\n"},
};

TEST(ToolChecks, LastValueAcceptedAndFirstRefused) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(cli::run_tool(c.factory(), c.args, in, out, err), c.status) << err.str();
    if (c.status == cli::kExitOk) {
      EXPECT_NE(out.str().find(c.text), std::string::npos) << out.str();
      EXPECT_EQ(err.str(), "");
    } else {
      EXPECT_EQ(err.str(), c.text);
      EXPECT_EQ(out.str(), "");
    }
  }
}

// The footnote explains the mark and comes only with it: an octave from middle C and the
// first harmonics of 100 Hz have none.
TEST(ToolChecks, NoMarkNoFootnote) {
  const std::pair<ToolFactory, std::vector<std::string>> runs[] = {{rumbeldv_tool, {"12"}},
                                                                   {lipra_tool, {"100", "3"}}};
  for (const auto& [factory, args] : runs) {
    std::istringstream in;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(cli::run_tool(factory(), args, in, out, err), cli::kExitOk);
    EXPECT_EQ(out.str().find('*'), std::string::npos) << out.str();
  }
}

}  // namespace
}  // namespace quesdral::tools
