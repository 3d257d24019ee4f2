// The catalogue of the suite's eighteen tools: the one table that the launcher's menu and
// the tools' headings are read from.
//
// Each row says what the menu shows for a tool and which command runs it. The table is
// constant data in this header, so a program can use it without linking the launcher; rows
// are numbered 1 to 18 without gaps, in the order the menu lists them. The build reads the
// rows too (cmake/tool_catalogue.cmake, which also lists them for scripts): each stays a
// plain {number, "LABEL", "description", "command.exe"} of string literals without escapes.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace quesdral {

struct ToolEntry {
  int number;               // what the user types to choose the tool, 1 to 18
  const char* label;        // upper case, at most 8 characters
  const char* description;  // one line, shown after the label
  const char* command;      // the tool's program file name, handed unchanged to the shell
};

inline constexpr std::size_t kToolCount = 18;
using ToolCatalogue = std::array<ToolEntry, kToolCount>;

// The eighteen rows in ascending number order.
inline constexpr ToolCatalogue kToolCatalogue{{
    {1, "VORLIX", "It converts raw amplitude to dBs", "vorlix.exe"},
    {2, "TRUSKA", "It converts dBs to raw amplitude", "truska.exe"},
    {3, "QUILBERN", "It converts raw amplitude to dB in full scale (dBFS)", "quilbern.exe"},
    {4, "NOSKARTE", "It converts dB in full scale (dBFS) to raw amplitude", "noskarte.exe"},
    {5, "PELUNDA", "It converts Watts to dBs", "pelundA.exe"},
    {6, "ZORIVEK", "It converts dBs to Watts", "zorivek.exe"},
    {7, "FENZO", "It finds the amplitude [dB] according to the inverse square law", "fenzo.exe"},
    {8, "BRASKEL", "It converts Hz to MIDI numbers", "braskel.exe"},
    {9, "TOLVENI", "It converts MIDI numbers to Hz", "tolveni.exe"},
    {10, "LIPRA", "It calculates the frequency of overtones in periodic sounds", "lipra.exe"},
    {11, "QUAV", "It calculates the sidebands frequency in AM synthesis", "quav.exe"},
    {12, "ZIRR", "It calculates the sidebands frequency in FM synthesis", "zirr.exe"},
    {13, "RUMBEL", "It divides the octave in equal parts", "rumbeldv.exe"},
    {14, "HOPRI", "It calculates the beat frequency between two sine waves", "hopri.exe"},
    {15, "SALDUVEN", "It calculates the center frequency of a bandpass filter", "salduven.exe"},
    {16, "WIRN", "It calculates the time interval between echoes", "wirn.exe"},
    {17, "GRENDAX", "It calculates the frequency of Doppler shift", "grendax.exe"},
    {18, "YOMBRIC", "It calculates the frequencies of standing waves in a room", "yombric.exe"},
}};

static_assert(
    [] {
      for (std::size_t i = 0; i < kToolCount; ++i) {
        if (kToolCatalogue[i].number != static_cast<int>(i) + 1)
          return false;
      }
      return true;
    }(),
    "rows are numbered 1, 2, 3... in catalogue order");

// The eighteen rows in ascending number order: kToolCatalogue.
const ToolCatalogue& tool_catalogue();

// The row's menu line: a line break, one blank, the number left-aligned in two columns,
// one blank, the label left-aligned in ten columns, then the description with no line
// break of its own. Row 1's line starts with two more line breaks, which separate the
// menu from the banner above it. The lines are built when the launcher is compiled, so
// writing one takes neither formatting nor allocation.
// REQUIRES: entry is one of the rows of tool_catalogue().
std::string_view format_menu_line(const ToolEntry& entry);

// The row whose number equals `number`, or nullptr for any number outside 1 to 18.
const ToolEntry* find_tool(long long number);

// The row whose command is exactly `command` ("vorlix.exe"), or nullptr when no row's is.
// In this header, like the table, for the tools, which do not link the launcher.
constexpr const ToolEntry* find_command(std::string_view command) {
  for (const ToolEntry& entry : kToolCatalogue) {
    if (command == entry.command)
      return &entry;
  }
  return nullptr;
}

}  // namespace quesdral
