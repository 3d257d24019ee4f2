// What the pitch tools (BRASKEL, TOLVENI, LIPRA, RUMBEL, and HOPRI in part) share: the
// reference pitch A4 they take last, the options that choose how notes are named (--flats,
// --middle-c C3|C4), note names read in place of numbers, and how a table names the nearest
// note of a frequency.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "acoustics/pitch.hpp"
#include "cli/number_format.hpp"
#include "cli/table.hpp"
#include "cli/tool.hpp"

namespace quesdral::tools {

// The last input of every pitch tool: A4_HZ, default 440, above 0.
inline cli::Input a4_input() {
  return cli::real_input("A4_HZ", "Frequency of A4 (Hz)")
      .defaults_to(acoustics::kStandardA4Hz)
      .checked_by(cli::must_be_positive("frequency of A4 must be above 0 Hz"));
}

inline constexpr const char* kFlatsOption = "--flats";
inline constexpr const char* kSharpsOption = "--sharps";
inline constexpr const char* kMiddleCOption = "--middle-c";

// --middle-c C3|C4, which octave number MIDI 60 has in note names.
inline cli::ToolOption middle_c_option(std::string help) {
  return {kMiddleCOption, "C3|C4", {"C3", "C4"}, std::move(help)};
}

// The options of every pitch tool that choose how notes are named.
inline std::vector<cli::ToolOption> note_naming_options() {
  return {
      {kFlatsOption, "", {}, "name the black keys with flats (Db4, not C#4)"},
      {kSharpsOption, "", {}, "name the black keys with sharps (C#4), the default"},
      middle_c_option("the name of MIDI 60, middle C (default C4)"),
  };
}

// The environment's defaults of the naming options, so that a musician who starts the tools
// from the menu, where only questions are asked, reads and writes the names they use.
inline cli::OptionVariable middle_c_variable() {
  return {"QUESDRAL_MIDDLE_C", kMiddleCOption, {"C3", "C4"}};
}
inline std::vector<cli::OptionVariable> note_naming_variables() {
  return {{"QUESDRAL_NOTE_NAMES", kFlatsOption, {"sharps", "flats"}}, middle_c_variable()};
}

// The naming the options given ask for; of --flats and --sharps, the later wins.
inline acoustics::NoteNaming note_naming(const cli::Values& values) {
  acoustics::NoteNaming naming;
  naming.flats = values.given_after(kFlatsOption, kSharpsOption);
  if (values.option_value(kMiddleCOption) == "C3")
    naming.middle_c_octave = 3;
  return naming;
}

// How an input reads a note name, under the case's --middle-c: as its MIDI number.
inline cli::NoteReading midi_note_reading() {
  cli::NoteReading reading;
  reading.midi_of = [](std::string_view text, const cli::Values& values) -> std::optional<double> {
    const std::optional<long long> midi_number =
        acoustics::midi_from_note_name(text, note_naming(values));
    if (!midi_number)
      return std::nullopt;
    return static_cast<double>(*midi_number);
  };
  reading.value_of = [](double midi_number, const cli::Values&) { return midi_number; };
  reading.forms = "a MIDI number such as 69 or a note such as A4";
  return reading;
}

// How a frequency input reads a note name: its frequency with A4 tuned to the value of input
// `a4_input`, a later one, or to 440 Hz when there is none.
inline cli::NoteReading frequency_note_reading(std::optional<std::size_t> a4_input) {
  cli::NoteReading reading = midi_note_reading();
  reading.value_of = [a4_input](double midi_number, const cli::Values& values) {
    return acoustics::frequency_from_midi(midi_number,
                                          a4_input ? values[*a4_input] : acoustics::kStandardA4Hz);
  };
  reading.reads_later = a4_input;
  reading.forms = "a frequency such as 440 or a note such as A4";
  return reading;
}

// A note's name for a table cell, marked with kOutsideMidiFootnote's star when the note
// lies outside MIDI 0 to 127.
inline std::string note_cell(const acoustics::NearestNote& note, acoustics::NoteNaming naming) {
  return acoustics::note_name(note.midi_number, naming) + (note.in_midi_range ? "" : "*");
}

// A note cell as the text shows it ("A4", "C-2*") whose csv and json value is the name alone.
inline cli::Table::Cell note_name_cell(const acoustics::NearestNote& note,
                                       acoustics::NoteNaming naming) {
  return cli::Table::Cell::worded(note_cell(note, naming),
                                  acoustics::note_name(note.midi_number, naming));
}

// `fields`, then the nearest note in csv and json: its name, its MIDI number, whether that
// lies in the MIDI range, and the deviation from it.
inline std::vector<cli::FieldSpec> with_nearest_note_fields(std::vector<cli::FieldSpec> fields) {
  fields.push_back(cli::text_field("note", "the nearest equal-tempered note"));
  fields.push_back(cli::integer_field("midi", "the MIDI number of the nearest note"));
  fields.push_back(
      cli::flag_field("in_midi_range", "whether the nearest note lies in MIDI 0 to 127"));
  fields.push_back(
      cli::number_field("deviation_cents", "the deviation from the nearest note in cents"));
  return fields;
}

inline constexpr const char* kOutsideMidiFootnote = "* outside the MIDI range 0 to 127\n";

// A deviation from the nearest note never reaches +50 cents (the note is found by rounding
// half up), so it never reads as +50 either: six digits, or more where six would round a
// deviation such as 49.99999998 up to "50.0000".
inline std::string deviation_text(double deviation_cents) {
  return cli::format_number_below(deviation_cents, 50.0);
}

// The deviation as a table cell, its number in full for csv and json.
inline cli::Table::Cell deviation_cell(double deviation_cents) {
  return cli::Table::Cell::numbered(deviation_text(deviation_cents), deviation_cents);
}

}  // namespace quesdral::tools
