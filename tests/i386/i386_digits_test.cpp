// The 32-bit x86 programs against the 64-bit ones: every tool run here is made twice, once on
// this build's programs and once on the 32-bit x86 Linux build under qemu-i386, and both must
// write the same bytes to stdout and stderr and end with the same status. The runs are the
// cases where excess precision once showed (a level of two equal amplitudes printed
// 5.58364e-17 dB instead of 0.00000 dB), values at the edges of the double range, Bessel
// zeros, exact notes, room modes, then a few hundred runs drawn from a fixed seed (all of
// these byte for byte), and batches of full-precision JSON results (numbers to 11 digits).
//
// QUESDRAL_I386_BIN_DIR names another 32-bit build's bin/ to compare instead of the one the
// test i386_build makes (for instance one built with -mfpmath=387, to see the comparison
// catch x87 digits).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "catalogue_rows.hpp"
#include "run_program.hpp"

namespace quesdral::testing {
namespace {

namespace fs = std::filesystem;

// Written by CMake from what it found when the build was configured.
const std::string kQemuI386 = QUESDRAL_QEMU_I386;
const std::string kI386TestDir = QUESDRAL_I386_TEST_DIR;

std::string i386_bin_dir() {
  const char* dir = std::getenv("QUESDRAL_I386_BIN_DIR");
  return dir != nullptr ? dir : QUESDRAL_I386_BUILD_BIN_DIR;
}

// Why the 32-bit programs cannot run here, or empty when they can.
std::string missing_for_i386() {
  if (kQemuI386.empty() || kQemuI386.find("NOTFOUND") != std::string::npos)
    return "qemu-i386 was not found when the build was configured (Debian: qemu-user)";
  if (std::getenv("QUESDRAL_I386_BIN_DIR") == nullptr && !fs::exists(kI386TestDir + "/i386-ready"))
    return "the 32-bit build is missing (see the test i386_build)";
  return "";
}

struct ToolRun {
  std::string command;
  std::vector<std::string> args;
  std::string input = "";  // standard input; the tool asks its questions when args is empty
};

std::string describe(const ToolRun& run) {
  std::string text = run.command;
  for (const std::string& arg : run.args)
    text += " " + arg;
  if (!run.input.empty())
    text += " < '" + run.input + "'";
  return text;
}

std::string describe(const ProgramRun& run) {
  return "status " + std::to_string(run.exit_code) + ", signal " + std::to_string(run.signal) +
         (run.timed_out ? ", timed out" : "") + "\n--- stdout\n" + run.out + "--- stderr\n" +
         run.err;
}

// How two outputs must agree: byte for byte, or (for full-precision csv and json) with the
// same text around numbers that agree to 11 significant digits.
enum class Agreement { kBytes, kNumbersNear };

// The numbers in a text, and the text with each number replaced by '#'.
struct Numbers {
  std::string skeleton;
  std::vector<double> values;
};

Numbers split_numbers(const std::string& text) {
  static const std::regex number(R"(-?[0-9]+(\.[0-9]+)?([eE][-+]?[0-9]+)?)");
  Numbers numbers;
  std::size_t end = 0;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), number);
       it != std::sregex_iterator(); ++it) {
    numbers.skeleton += text.substr(end, static_cast<std::size_t>(it->position()) - end) + "#";
    numbers.values.push_back(std::strtod(it->str().c_str(), nullptr));
    end = static_cast<std::size_t>(it->position() + it->length());
  }
  numbers.skeleton += text.substr(end);
  return numbers;
}

// Counts of numbers compared in full-precision output, and of those not bit-identical.
struct NearStats {
  long compared = 0;
  long inexact = 0;
  double worst_relative = 0.0;
};

bool numbers_near(const std::string& wide, const std::string& narrow, NearStats& stats) {
  const Numbers a = split_numbers(wide);
  const Numbers b = split_numbers(narrow);
  if (a.skeleton != b.skeleton || a.values.size() != b.values.size())
    return false;
  bool near = true;
  for (std::size_t i = 0; i < a.values.size(); ++i) {
    ++stats.compared;
    if (a.values[i] == b.values[i])
      continue;
    ++stats.inexact;
    const double relative = std::fabs(a.values[i] - b.values[i]) /
                            std::max(std::fabs(a.values[i]), std::fabs(b.values[i]));
    stats.worst_relative = std::max(stats.worst_relative, relative);
    near = near && relative <= 1e-11;
  }
  return near;
}

// Runs each tool run on both builds; reports the first few that differ in full and the count.
void expect_same_on_both(const std::vector<ToolRun>& runs, Agreement agreement) {
  int differing = 0;
  NearStats stats;
  for (const ToolRun& run : runs) {
    ProgramOptions options;
    options.args = run.args;
    options.input = run.input;
    const ProgramRun wide = run_program(program_path(run.command), options);
    options.args.insert(options.args.begin(), i386_bin_dir() + "/" + run.command);
    const ProgramRun narrow = run_program(kQemuI386, options);
    const bool same_out = agreement == Agreement::kBytes
                              ? wide.out == narrow.out
                              : numbers_near(wide.out, narrow.out, stats);
    const bool same = !wide.timed_out && !narrow.timed_out && wide.exit_code == narrow.exit_code &&
                      wide.signal == narrow.signal && same_out && wide.err == narrow.err;
    if (!same && ++differing <= 5) {
      ADD_FAILURE() << describe(run) << "\n=== 64-bit: " << describe(wide)
                    << "=== 32-bit: " << describe(narrow);
    }
  }
  std::cout << "Compared " << runs.size() << " runs: " << differing << " differ\n";
  if (agreement == Agreement::kNumbersNear) {
    std::cout << "Of " << stats.compared << " numbers, " << stats.inexact
              << " differ in their last digits (largest relative difference "
              << stats.worst_relative << ")\n";
  }
  EXPECT_EQ(differing, 0) << "of " << runs.size() << " runs";
}

class I386Digits : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string missing = missing_for_i386();
    if (!missing.empty())
      GTEST_SKIP() << "Skipped: " << missing;
  }
};

// The 32-bit programs really are 32-bit x86: a build that lost -m32 would compare the 64-bit
// programs with themselves and prove nothing.
TEST_F(I386Digits, ProgramsAreThirtyTwoBitX86) {
  for (const char* command : {"vorlix.exe", "zirr.exe", "yombric.exe", "quesdral"}) {
    SCOPED_TRACE(command);
    std::ifstream program(i386_bin_dir() + "/" + command, std::ios::binary);
    unsigned char header[20] = {};
    ASSERT_TRUE(program.read(reinterpret_cast<char*>(header), sizeof header));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(header), 4),
              "\x7f"
              "ELF");
    EXPECT_EQ(header[4], 1);   // ELFCLASS32
    EXPECT_EQ(header[18], 3);  // EM_386, little-endian
    EXPECT_EQ(header[19], 0);
  }
}

// The cases where the last digits are most fragile, written out.
TEST_F(I386Digits, FragileCasesMatch) {
  const std::vector<ToolRun> runs = {
      // Equal amplitudes and powers: exactly 0 dB however the ratio is formed.
      {"vorlix.exe", {"2", "2"}},
      {"vorlix.exe", {"3", "3"}},
      {"vorlix.exe", {"0.1", "0.1"}},
      {"vorlix.exe", {"0.7", "0.7"}},
      {"vorlix.exe", {"7.3", "7.3"}},
      {"vorlix.exe", {"-5", "5"}},
      {"vorlix.exe", {"1e-300", "1e-300"}},
      {"vorlix.exe", {"1e300", "1e300"}},
      {"vorlix.exe", {"1", "1.0000000000000002"}},
      {"vorlix.exe", {"0.5"}},
      {"vorlix.exe", {"1e-300", "1e300"}},
      {"vorlix.exe", {"4.9e-324"}},
      {"vorlix.exe", {"2.2250738585072014e-308"}},
      {"vorlix.exe", {"1.7976931348623157e308"}},
      {"vorlix.exe", {"1", "SPL"}},
      {"vorlix.exe", {"0.775", "dBu"}},
      {"truska.exe", {"0"}},
      {"truska.exe", {"-6.0206"}},
      {"truska.exe", {"6400", "1e-300"}},
      {"truska.exe", {"6000"}},
      {"truska.exe", {"-6000"}},
      {"truska.exe", {"6165.5"}},
      {"quilbern.exe", {"32768", "16"}},
      {"quilbern.exe", {"-32768", "16"}},
      {"quilbern.exe", {"1"}},
      {"quilbern.exe", {"0.5"}},
      {"quilbern.exe", {"8388608", "24"}},
      {"quilbern.exe", {"-2147483648", "32"}},
      {"quilbern.exe", {"2147483647", "32"}},
      {"quilbern.exe", {"1", "32"}},
      {"quilbern.exe", {"2", "2"}},
      {"quilbern.exe", {"-128", "8"}},
      {"noskarte.exe", {"0"}},
      {"noskarte.exe", {"0", "32"}},
      {"noskarte.exe", {"-6.020599913279624"}},
      {"noskarte.exe", {"-90.30899869919435"}},
      {"noskarte.exe", {"-96.32959861247399"}},  // half a code: rounds away from zero
      {"noskarte.exe", {"-3", "24"}},
      {"noskarte.exe", {"-400", "32"}},
      {"pelundA.exe", {"1e-12"}},
      {"pelundA.exe", {"3", "3"}},
      {"pelundA.exe", {"0.001"}},
      {"pelundA.exe", {"1e-300", "1e300"}},
      {"zorivek.exe", {"0"}},
      {"zorivek.exe", {"120"}},
      {"zorivek.exe", {"-120"}},
      {"zorivek.exe", {"3000", "1e-300"}},
      {"fenzo.exe", {"85", "3", "3"}},
      {"fenzo.exe", {"94", "1", "1"}},
      {"fenzo.exe", {"85", "0.1", "0.1"}},
      {"fenzo.exe", {"60", "7", "7"}},
      {"fenzo.exe", {"0", "1e-300", "1e-300"}},
      {"fenzo.exe", {"94", "1", "2"}},
      {"fenzo.exe", {"100", "1e-300", "1e300"}},
      // Exact notes, a half-semitone, the ends of the MIDI range.
      {"braskel.exe", {"440"}},
      {"braskel.exe", {"261.6255653005986"}},
      {"braskel.exe", {"466.1637615180899"}},
      {"braskel.exe", {"452.8929841231365"}},  // A4 + 50 cents
      {"braskel.exe", {"427.4740541075866"}},  // A4 - 50 cents
      {"braskel.exe", {"8.175798915643707"}},
      {"braskel.exe", {"12543.853951415975"}},
      {"braskel.exe", {"440", "432"}},
      {"braskel.exe", {"1e-300"}},
      {"braskel.exe", {"1e300"}},
      {"braskel.exe", {"--flats", "466.1637615180899"}},
      {"braskel.exe", {"--middle-c", "C3", "261.6255653005986"}},
      {"tolveni.exe", {"69"}},
      {"tolveni.exe", {"60"}},
      {"tolveni.exe", {"0"}},
      {"tolveni.exe", {"127"}},
      {"tolveni.exe", {"69.5"}},
      {"tolveni.exe", {"60", "432"}},
      {"tolveni.exe", {"0.000001"}},
      {"lipra.exe", {"110", "16"}},
      {"lipra.exe", {"1", "1000"}},
      {"lipra.exe", {"261.6255653005986", "12"}},
      {"lipra.exe", {"55", "40", "415"}},
      // AM: a sideband at 0 Hz, a reflected one, the largest carriers.
      {"quav.exe", {"1000", "1000"}},
      {"quav.exe", {"1000", "1500"}},
      {"quav.exe", {"1000", "100", "0.5"}},
      {"quav.exe", {"1e308", "1e308", "1"}},
      // FM: Bessel zeros of J0, J1 and J2, index 0 and 100, reflections onto the carrier.
      {"zirr.exe", {"1000", "100", "2.404825557695773"}},
      {"zirr.exe", {"1000", "100", "5.520078110286311"}},
      {"zirr.exe", {"1000", "100", "8.653727912911012"}},
      {"zirr.exe", {"1000", "100", "3.831705970207512"}},
      {"zirr.exe", {"1000", "100", "5.135622301840683"}},
      {"zirr.exe", {"1000", "100", "0"}},
      {"zirr.exe", {"1000", "100", "100"}},
      {"zirr.exe", {"1000", "100", "100", "100"}},
      {"zirr.exe", {"1000", "300", "5"}},
      {"zirr.exe", {"1000", "500", "1", "4"}},
      {"zirr.exe", {"440", "220", "10"}},
      {"zirr.exe", {"100", "1000", "3"}},
      {"zirr.exe", {"1e308", "1e306", "1", "1"}},
      {"rumbeldv.exe", {"12"}},
      {"rumbeldv.exe", {"19"}},
      {"rumbeldv.exe", {"31"}},
      {"rumbeldv.exe", {"53"}},
      {"rumbeldv.exe", {"1200"}},
      {"rumbeldv.exe", {"12", "440"}},
      {"rumbeldv.exe", {"24", "1000", "432"}},
      {"hopri.exe", {"440", "440"}},
      {"hopri.exe", {"440", "441"}},
      {"hopri.exe", {"440.0000000000001", "440"}},
      {"hopri.exe", {"1e-300", "2e-300"}},
      {"salduven.exe", {"707.1067811865476", "1414.213562373095"}},
      {"salduven.exe", {"1", "2"}},
      {"salduven.exe", {"1000", "1000.0000000000002"}},
      {"salduven.exe", {"20", "20000"}},
      {"wirn.exe", {"1"}},
      {"wirn.exe", {"343.215"}},
      {"wirn.exe", {"100", "-100"}},
      {"wirn.exe", {"0.001", "200"}},
      {"wirn.exe", {"17.1607", "20"}},
      {"grendax.exe", {"440", "0"}},
      {"grendax.exe", {"440", "34.3215"}},
      {"grendax.exe", {"440", "-34.3215"}},
      {"grendax.exe", {"1000", "100", "-100", "-40"}},
      {"grendax.exe", {"440", "343"}},
      {"grendax.exe", {"440", "0", "0", "200"}},
      // Rooms: cubes put many modes on one frequency, where ties and bands are decided.
      {"yombric.exe", {"5", "4", "3"}},
      {"yombric.exe", {"5", "4", "3", "300", "20"}},
      {"yombric.exe", {"3", "3", "3", "200"}},
      {"yombric.exe", {"10", "10", "10", "100"}},
      {"yombric.exe", {"1", "1", "1", "1000"}},
      {"yombric.exe", {"7", "5", "2.5", "150", "-10"}},
      {"yombric.exe", {"2.2", "3.3", "4.4", "250", "35"}},
      {"yombric.exe", {"30", "20", "12", "230.554"}},
      {"yombric.exe", {"30", "20", "12", "1000"}},
      {"yombric.exe", {"--summary", "7", "5", "2.5", "600", "-10", "1.3"}},
      {"zirr.exe", {"440", "0.0005", "1", "2"}},  // next to ties of six-digit rounding
      // The same results through the questions, and in the machine-readable formats.
      {"vorlix.exe", {}, "2\n2\n"},
      {"fenzo.exe", {}, "85\n3\n3\n"},
      {"zirr.exe", {}, "1000\n100\n2.404825557695773\n\n"},
      {"yombric.exe", {}, "5\n4\n3\n\n\n"},
      {"vorlix.exe", {"--format", "json", "2", "2"}},
      {"quilbern.exe", {"--format", "csv", "32768", "16"}},
      {"zirr.exe", {"--format", "json", "1000", "100", "2.404825557695773"}},
      {"yombric.exe", {"--format", "csv", "5", "4", "3", "120"}},
  };
  expect_same_on_both(runs, Agreement::kBytes);
}

// Values drawn from a fixed seed. std::mt19937_64's sequence is fixed by the C++ standard,
// and the values are made from its integers with integer arithmetic only, so the table is
// the same on every machine.
class Draw {
 public:
  explicit Draw(std::uint64_t seed) : engine_(seed) {}

  // A whole number from lo to hi.
  long long whole(long long lo, long long hi) {
    return lo + static_cast<long long>(engine_() % static_cast<std::uint64_t>(hi - lo + 1));
  }

  // A decimal from lo to hi with `places` digits after the point, e.g. fixed(20, 20000, 3).
  std::string fixed(long long lo, long long hi, int places) {
    long long scale = 1;
    for (int i = 0; i < places; ++i)
      scale *= 10;
    const long long scaled = whole(lo * scale, hi * scale);
    const long long magnitude = scaled < 0 ? -scaled : scaled;
    std::string text = (scaled < 0 ? "-" : "") + std::to_string(magnitude / scale);
    if (places > 0) {
      std::string fraction = std::to_string(magnitude % scale);
      text += "." + std::string(static_cast<std::size_t>(places) - fraction.size(), '0') + fraction;
    }
    return text;
  }

  // A positive decimal of 1 to 9 significant digits times 10^e, e from lo_exp to hi_exp.
  std::string scientific(int lo_exp, int hi_exp) {
    const int digits = static_cast<int>(whole(1, 9));
    std::string mantissa = std::to_string(whole(1, 9));
    std::string rest;
    for (int i = 1; i < digits; ++i)
      rest += static_cast<char>('0' + whole(0, 9));
    if (!rest.empty())
      mantissa += "." + rest;
    return mantissa + "e" + std::to_string(whole(lo_exp, hi_exp));
  }

  const char* pick(std::initializer_list<const char*> choices) {
    return choices.begin()[whole(0, static_cast<long long>(choices.size()) - 1)];
  }

  bool chance(int percent) { return whole(1, 100) <= percent; }

 private:
  std::mt19937_64 engine_;
};

// One tool's values for one run, as they would be typed after its command.
using Drawer = std::function<std::vector<std::string>(Draw&)>;

// How each tool's values are drawn, by command; the tools run are the catalogue's rows, in
// its order, which fixes the values each one draws.
struct ToolDrawer {
  const char* command;
  Drawer draw;
};

// Typical values, values near 0 dB (a ratio of nearly equal numbers), and extreme exponents.
std::vector<ToolDrawer> tool_drawers() {
  auto amplitude = [](Draw& d) -> std::string {
    return d.chance(20) ? std::string("-") + d.scientific(-30, 30) : d.scientific(-30, 30);
  };
  auto temperature = [](Draw& d) { return d.fixed(-100, 200, d.chance(50) ? 0 : 2); };
  auto a4 = [](Draw& d) { return d.chance(60) ? std::string("440") : d.fixed(400, 470, 2); };
  return {
      {"vorlix.exe",
       [=](Draw& d) -> std::vector<std::string> {
         const std::string a = amplitude(d);
         if (d.chance(30))
           return {a, a.front() == '-' ? a.substr(1) : a};  // equal magnitudes: 0 dB
         if (d.chance(20))
           return {a, d.pick({"SPL", "dBu", "dBV", "spl"})};
         return {a, d.scientific(-30, 30)};
       }},
      {"truska.exe",
       [](Draw& d) -> std::vector<std::string> {
         return {d.fixed(-600, 600, static_cast<int>(d.whole(0, 6))), d.scientific(-20, 20)};
       }},
      {"quilbern.exe",
       [](Draw& d) -> std::vector<std::string> {
         const int bits = static_cast<int>(d.whole(2, 32));
         const long long full_scale = 1LL << (bits - 1);
         const long long sample = d.chance(20) ? (d.chance(50) ? -full_scale : full_scale - 1)
                                               : d.whole(-full_scale, full_scale - 1);
         const std::string text =
             sample == 0 ? std::string("1") : std::to_string(sample) + (d.chance(20) ? ".5" : "");
         return {text, std::to_string(bits)};
       }},
      {"noskarte.exe",
       [](Draw& d) -> std::vector<std::string> {
         return {d.fixed(-200, 0, static_cast<int>(d.whole(0, 9))), std::to_string(d.whole(2, 32))};
       }},
      {"pelundA.exe",
       [](Draw& d) -> std::vector<std::string> {
         const std::string p = d.scientific(-15, 5);
         return {p, d.chance(30) ? p : d.scientific(-15, 0)};
       }},
      {"zorivek.exe",
       [](Draw& d) -> std::vector<std::string> {
         return {d.fixed(-300, 300, static_cast<int>(d.whole(0, 4))), d.scientific(-15, 0)};
       }},
      {"fenzo.exe",
       [](Draw& d) -> std::vector<std::string> {
         const std::string d1 = d.scientific(-3, 4);
         return {d.fixed(0, 140, 1), d1, d.chance(40) ? d1 : d.scientific(-3, 4)};
       }},
      {"braskel.exe",
       [=](Draw& d) -> std::vector<std::string> {
         std::vector<std::string> values;
         if (d.chance(20))
           values.push_back(d.pick({"--flats", "--middle-c=C3"}));
         values.push_back(d.fixed(8, 20000, static_cast<int>(d.whole(0, 6))));
         values.push_back(a4(d));
         return values;
       }},
      {"tolveni.exe",
       [=](Draw& d) -> std::vector<std::string> {
         return {d.fixed(0, 127, d.chance(50) ? 0 : static_cast<int>(d.whole(1, 6))), a4(d)};
       }},
      {"lipra.exe",
       [=](Draw& d) -> std::vector<std::string> {
         return {d.fixed(20, 2000, static_cast<int>(d.whole(0, 3))), std::to_string(d.whole(1, 40)),
                 a4(d)};
       }},
      {"quav.exe",
       [](Draw& d) -> std::vector<std::string> {
         const std::string carrier = d.fixed(1, 20000, 1);
         return {carrier, d.chance(20) ? carrier : d.fixed(1, 20000, 1), d.fixed(0, 1, 3)};
       }},
      {"zirr.exe",
       [](Draw& d) -> std::vector<std::string> {
         return {d.fixed(100, 10000, 0), d.fixed(10, 2000, 0),
                 d.fixed(0, d.chance(70) ? 15 : 100, static_cast<int>(d.whole(0, 4)))};
       }},
      {"rumbeldv.exe",
       [=](Draw& d) -> std::vector<std::string> {
         return {std::to_string(d.whole(1, 72)), d.fixed(20, 2000, 3), a4(d)};
       }},
      {"hopri.exe",
       [](Draw& d) -> std::vector<std::string> {
         const std::string f1 = d.fixed(20, 5000, 3);
         return {f1, d.chance(25) ? f1 : d.fixed(20, 5000, 3)};
       }},
      {"salduven.exe",
       [](Draw& d) -> std::vector<std::string> {
         const long long low = d.whole(20, 9000);
         return {std::to_string(low), std::to_string(d.whole(low + 1, 20000))};
       }},
      {"wirn.exe",
       [=](Draw& d) -> std::vector<std::string> {
         return {d.scientific(-3, 4), temperature(d)};
       }},
      {"grendax.exe",
       [=](Draw& d) -> std::vector<std::string> {
         return {d.fixed(20, 20000, 1), d.fixed(-150, 150, 2), d.fixed(-150, 150, 2),
                 temperature(d)};
       }},
      {"yombric.exe",
       [=](Draw& d) -> std::vector<std::string> {
         return {d.fixed(2, 12, 2), d.fixed(2, 10, 2), d.fixed(2, 5, 2), d.fixed(40, 200, 0),
                 temperature(d)};
       }},
  };
}

// Fourteen runs of each tool with its values as arguments; the text output rounds to six
// digits, where a difference in the last bit of a double shows only now and then.
TEST_F(I386Digits, SeededArgumentsMatch) {
  Draw draw(20240229);
  std::vector<ToolRun> runs;
  const std::vector<ToolDrawer> drawers = tool_drawers();
  for (const ToolDrawer* tool : entries_for_every_row(drawers)) {
    for (int i = 0; i < 14; ++i)
      runs.push_back({tool->command, tool->draw(draw), ""});
  }
  expect_same_on_both(runs, Agreement::kBytes);
}

// One batch of a hundred cases per tool in JSON, whose numbers are written in full. There the
// C libraries show through: 32-bit glibc computes log10, pow and exp in routines of its own,
// which now and then round the last bit otherwise than the 64-bit ones, and a difference of
// logarithms magnifies that. So the text around the numbers must be the same and the numbers
// the same to 11 significant digits, five more than the text output shows; how many are not
// bit-identical is printed.
TEST_F(I386Digits, SeededJsonBatchesMatch) {
  Draw draw(19450716);
  std::vector<ToolRun> runs;
  const std::vector<ToolDrawer> drawers = tool_drawers();
  for (const ToolDrawer* tool : entries_for_every_row(drawers)) {
    ToolRun run{tool->command, {"--batch", "--format", "json"}, ""};
    for (int i = 0; i < 100; ++i) {
      std::string line;
      for (const std::string& value : tool->draw(draw)) {
        if (value.rfind("--", 0) == 0)
          continue;  // an option applies to the whole batch, not to one line
        line += (line.empty() ? "" : " ") + value;
      }
      run.input += line + "\n";
    }
    runs.push_back(run);
  }
  expect_same_on_both(runs, Agreement::kNumbersNear);
}

}  // namespace
}  // namespace quesdral::testing
