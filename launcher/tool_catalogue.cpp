#include "tool_catalogue.hpp"

namespace quesdral {
namespace {

// The menu lines are fixed text, so they are held ready-made in static storage: writing
// the menu needs neither formatting nor allocation. The catalogue test checks every one
// against the layout rule, so the rows and their lines cannot drift apart.
struct Row {
  ToolEntry entry;
  std::string_view menu_line;
};

constexpr std::array<Row, kToolCount> kRows{{
    {{1, "VORLIX", "It converts raw amplitude to dBs", "vorlix.exe"},
     "\n\n\n 1  VORLIX    It converts raw amplitude to dBs"},
    {{2, "TRUSKA", "It converts dBs to raw amplitude", "truska.exe"},
     "\n 2  TRUSKA    It converts dBs to raw amplitude"},
    {{3, "QUILBERN", "It converts raw amplitude to dB in full scale (dBFS)", "quilbern.exe"},
     "\n 3  QUILBERN  It converts raw amplitude to dB in full scale (dBFS)"},
    {{4, "NOSKARTE", "It converts dB in full scale (dBFS) to raw amplitude", "noskarte.exe"},
     "\n 4  NOSKARTE  It converts dB in full scale (dBFS) to raw amplitude"},
    {{5, "PELUNDA", "It converts Watts to dBs", "pelundA.exe"},
     "\n 5  PELUNDA   It converts Watts to dBs"},
    {{6, "ZORIVEK", "It converts dBs to Watts", "zorivek.exe"},
     "\n 6  ZORIVEK   It converts dBs to Watts"},
    {{7, "FENZO", "It finds the amplitude [dB] according to the inverse square law", "fenzo.exe"},
     "\n 7  FENZO     It finds the amplitude [dB] according to the inverse square law"},
    {{8, "BRASKEL", "It converts Hz to MIDI numbers", "braskel.exe"},
     "\n 8  BRASKEL   It converts Hz to MIDI numbers"},
    {{9, "TOLVENI", "It converts MIDI numbers to Hz", "tolveni.exe"},
     "\n 9  TOLVENI   It converts MIDI numbers to Hz"},
    {{10, "LIPRA", "It calculates the frequency of overtones in periodic sounds", "lipra.exe"},
     "\n 10 LIPRA     It calculates the frequency of overtones in periodic sounds"},
    {{11, "QUAV", "It calculates the sidebands frequency in AM synthesis", "quav.exe"},
     "\n 11 QUAV      It calculates the sidebands frequency in AM synthesis"},
    {{12, "ZIRR", "It calculates the sidebands frequency in FM synthesis", "zirr.exe"},
     "\n 12 ZIRR      It calculates the sidebands frequency in FM synthesis"},
    {{13, "RUMBEL", "It divides the octave in equal parts", "rumbeldv.exe"},
     "\n 13 RUMBEL    It divides the octave in equal parts"},
    {{14, "HOPRI", "It calculates the beat frequency between two sine waves", "hopri.exe"},
     "\n 14 HOPRI     It calculates the beat frequency between two sine waves"},
    {{15, "SALDUVEN", "It calculates the center frequency of a bandpass filter", "salduven.exe"},
     "\n 15 SALDUVEN  It calculates the center frequency of a bandpass filter"},
    {{16, "WIRN", "It calculates the time interval between echoes", "wirn.exe"},
     "\n 16 WIRN      It calculates the time interval between echoes"},
    {{17, "GRENDAX", "It calculates the frequency of Doppler shift", "grendax.exe"},
     "\n 17 GRENDAX   It calculates the frequency of Doppler shift"},
    {{18, "YOMBRIC", "It calculates the frequencies of standing waves in a room", "yombric.exe"},
     "\n 18 YOMBRIC   It calculates the frequencies of standing waves in a room"},
}};

constexpr ToolCatalogue make_catalogue() {
  ToolCatalogue catalogue{};
  for (std::size_t i = 0; i < kToolCount; ++i)
    catalogue[i] = kRows[i].entry;
  return catalogue;
}

constexpr ToolCatalogue kCatalogue = make_catalogue();

static_assert(
    [] {
      for (std::size_t i = 0; i < kToolCount; ++i) {
        if (kRows[i].entry.number != static_cast<int>(i) + 1)
          return false;
      }
      return true;
    }(),
    "rows are numbered 1, 2, 3... in catalogue order");

}  // namespace

const ToolCatalogue& tool_catalogue() {
  return kCatalogue;
}

std::string_view format_menu_line(const ToolEntry& entry) {
  return kRows[static_cast<std::size_t>(entry.number - 1)].menu_line;
}

const ToolEntry* find_tool(long long number) {
  if (number < 1 || number > static_cast<long long>(kToolCount))
    return nullptr;
  return &kCatalogue[static_cast<std::size_t>(number - 1)];
}

}  // namespace quesdral
