// What the pitch tools (BRASKEL, TOLVENI, LIPRA, RUMBEL) share: the reference pitch A4 that
// two of them take, and how a table names the nearest note of a frequency.
#pragma once

#include <string>

#include "acoustics/pitch.hpp"
#include "cli/tool.hpp"

namespace quesdral::tools {

// The last input of BRASKEL and TOLVENI: A4_HZ, default 440, above 0.
inline cli::Input a4_input() {
  return cli::real_input("A4_HZ", "Frequency of A4 (Hz)")
      .defaults_to(acoustics::kStandardA4Hz)
      .checked_by(cli::must_be_positive("frequency of A4 must be above 0 Hz"));
}

// A note's name for a table cell, marked with kOutsideMidiFootnote's star when the note
// lies outside MIDI 0 to 127.
inline std::string note_cell(const acoustics::NearestNote& note) {
  return acoustics::note_name(note.midi_number) + (note.in_midi_range ? "" : "*");
}

inline constexpr const char* kOutsideMidiFootnote = "* outside the MIDI range 0 to 127\n";

}  // namespace quesdral::tools
