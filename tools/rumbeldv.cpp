// RUMBEL: the steps of an equal division of the octave, against the 12-tone notes.
#include <cmath>
#include <optional>
#include <string>

#include "acoustics/spectra.hpp"
#include "cli/number_format.hpp"
#include "cli/table.hpp"
#include "pitch_inputs.hpp"
#include "render/charts.hpp"
#include "render/svg_rendering.hpp"
#include "render/wav_rendering.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kDivisions, kStartHz, kA4Hz };

constexpr int kMaxDivisions = 1200;

// Every step lies within the octave above the start, so a start whose octave is in range
// puts the whole table in range: this is the start's own limit, refused as it is given.
std::optional<std::string> check_octave_in_range(double start_hz) {
  if (std::isfinite(2.0 * start_hz))
    return std::nullopt;
  return "the octave above " + cli::format_number(start_hz) + " Hz is too large to show";
}

cli::Outcome compute(const cli::Values& values) {
  cli::Table table;
  table.add_column("Step");
  table.add_column("Frequency (Hz)");
  table.add_column("Ratio");
  table.add_column("Cents");
  table.add_column("Note", cli::Table::Align::kLeft);
  table.add_column("Deviation (cents)");
  table.add_hidden_column("midi");
  table.add_hidden_column("in_midi_range");
  const acoustics::NoteNaming naming = note_naming(values);
  bool any_outside = false;
  for (const acoustics::EqualStep& step : acoustics::equal_divisions(
           static_cast<int>(values[kDivisions]), values[kStartHz], values[kA4Hz])) {
    any_outside = any_outside || !step.note.in_midi_range;
    table.add_row({cli::Table::Cell::integer(step.step), step.frequency_hz, step.ratio, step.cents,
                   note_name_cell(step.note, naming), deviation_cell(step.note.deviation_cents),
                   cli::Table::Cell::integer(step.note.midi_number),
                   cli::Table::Cell::integer(step.note.in_midi_range)});
  }
  cli::Results results;
  results.add_table("steps", std::move(table));
  if (any_outside)
    results.add_note(kOutsideMidiFootnote);
  return results.finish();
}

// Each step in turn, from the start up to the octave.
render::SoundRecipe sound(const cli::Values& values) {
  acoustics::Sound sound;
  for (const acoustics::EqualStep& step : acoustics::equal_divisions(
           static_cast<int>(values[kDivisions]), values[kStartHz], values[kA4Hz])) {
    sound.parts.push_back({{{"step " + std::to_string(step.step), step.frequency_hz}}});
  }
  return {std::move(sound), kStartHz, kDivisions};
}

// Each step against the equal-tempered grid.
std::string draw(const cli::Values& values) {
  render::PitchChart chart;
  chart.title = "RUMBEL: " + cli::format_short(values[kDivisions]) +
                " equal divisions of the octave from " + cli::format_number(values[kStartHz]) +
                " Hz";
  chart.position_label = "Step";
  for (const acoustics::EqualStep& step : acoustics::equal_divisions(
           static_cast<int>(values[kDivisions]), values[kStartHz], values[kA4Hz])) {
    chart.points.push_back({static_cast<double>(step.step), step.note.deviation_cents,
                            note_cell(step.note, note_naming(values)) + " (" +
                                cli::format_number(step.frequency_hz) + " Hz)"});
  }
  return render::draw_pitches(chart);
}

}  // namespace

cli::Tool rumbeldv_tool() {
  cli::Tool tool = cli::catalogued_tool("rumbeldv.exe");
  tool.help =
      "Divides the octave above START_HZ into DIVISIONS equal steps. Step k, from 0 to\n"
      "DIVISIONS, lies at\n"
      "  START_HZ * 2^(k / DIVISIONS) Hz, a ratio of 2^(k / DIVISIONS), k * 1200 / DIVISIONS\n"
      "cents above the start; each row also gives the nearest 12-tone note (A4 tuned to\n"
      "A4_HZ, C4 = MIDI 60, sharps; --flats and --middle-c C3 name notes otherwise) and the\n"
      "deviation from it in cents (notes outside MIDI 0 to 127 are marked *). DIVISIONS is a\n"
      "whole number from 1 to 1200; START_HZ must be above 0 and defaults to middle C at\n"
      "A4 = 440 Hz, 440 * 2^(-9/12) = 261.626 Hz, and may be a note name such as A3, F#2\n"
      "or Eb4 (letter A to G, optional # or b, octave number), read at A4_HZ and under\n"
      "--middle-c; A4_HZ must be above 0, default 440.\n"
      "--wav FILE plays each step in turn; --svg FILE draws each step's deviation\n"
      "from the equal-tempered grid.\n"
      "\n"
      "Example: rumbeldv.exe 12  lists the notes C4 to C5, each 0 cents off\n"
      "         rumbeldv.exe --flats 12  names the black keys Db4, Eb4, Gb4, Ab4, Bb4\n"
      "         rumbeldv.exe 12 432 432  lists A4 to A5 at A4 = 432 Hz, each 0 cents off\n"
      "         rumbeldv.exe 19 A3  divides the octave from 220 Hz into 19 steps\n";
  tool.inputs = {
      cli::integer_input("DIVISIONS", "Number of divisions")
          .checked_by(
              cli::must_be_within(1, kMaxDivisions, "number of divisions must be from 1 to 1200")),
      cli::real_input("START_HZ", "Start frequency (Hz)")
          .defaults_to(acoustics::middle_c_hz())
          .checked_by(cli::must_be_positive("start frequency must be above 0 Hz"))
          .checked_by(check_octave_in_range)
          .also_noted(frequency_note_reading(kA4Hz)),
      a4_input(),
  };
  tool.options = note_naming_options();
  tool.variables = note_naming_variables();
  tool.compute = compute;
  tool.output.tables = {
      {"steps", "steps 0 to DIVISIONS",
       with_nearest_note_fields(
           {cli::integer_field("step", "the step k"),
            cli::number_field("frequency_hz", "START_HZ * 2^(k / DIVISIONS)"),
            cli::number_field("ratio", "2^(k / DIVISIONS)"),
            cli::number_field("cents", "k * 1200 / DIVISIONS, from the start")})}};
  render::renders_sound(tool, sound);
  render::renders_drawing(tool, draw);
  return tool;
}

}  // namespace quesdral::tools
