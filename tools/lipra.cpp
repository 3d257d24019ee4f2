// LIPRA: the harmonic series of a fundamental, with the nearest note of each harmonic.
#include <cmath>
#include <optional>
#include <string>

#include "acoustics/spectra.hpp"
#include "cli/number_format.hpp"
#include "cli/table.hpp"
#include "exact_text.hpp"
#include "pitch_inputs.hpp"
#include "render/charts.hpp"
#include "render/svg_rendering.hpp"
#include "render/wav_rendering.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kFundamentalHz, kCount, kA4Hz };

// n * FUNDAMENTAL_HZ as its exact product rounds.
std::string harmonic_text(const acoustics::Harmonic& harmonic, double fundamental_hz) {
  return product_text(harmonic.frequency_hz, harmonic.number, fundamental_hz);
}

constexpr int kMaxCount = 1000;

// Fewer harmonics always mend a highest one that is too large: the first harmonic is the
// fundamental itself, which was given as a finite number.
std::optional<std::string> check_highest_harmonic(const cli::Values& values) {
  const double fundamental_hz = values[kFundamentalHz];
  const int count = static_cast<int>(values[kCount]);
  if (std::isfinite(fundamental_hz * count))
    return std::nullopt;
  return "harmonic " + std::to_string(count) + " of " + cli::format_number(fundamental_hz) +
         " Hz is too large to show (choose fewer harmonics)";
}

cli::Outcome compute(const cli::Values& values) {
  cli::Table table;
  table.add_column("Harmonic");
  table.add_column("Overtone");
  table.add_column("Frequency (Hz)");
  table.add_column("Note", cli::Table::Align::kLeft);
  table.add_column("Cents", cli::Table::Align::kRight, "deviation_cents");
  table.add_hidden_column("midi");
  table.add_hidden_column("in_midi_range");
  const acoustics::NoteNaming naming = note_naming(values);
  bool any_outside = false;
  for (const acoustics::Harmonic& harmonic : acoustics::harmonic_series(
           values[kFundamentalHz], static_cast<int>(values[kCount]), values[kA4Hz])) {
    any_outside = any_outside || !harmonic.note.in_midi_range;
    table.add_row(
        {cli::Table::Cell::integer(harmonic.number), cli::Table::Cell::integer(harmonic.number - 1),
         cli::Table::Cell::numbered(harmonic_text(harmonic, values[kFundamentalHz]),
                                    harmonic.frequency_hz),
         note_name_cell(harmonic.note, naming), deviation_cell(harmonic.note.deviation_cents),
         cli::Table::Cell::integer(harmonic.note.midi_number),
         cli::Table::Cell::integer(harmonic.note.in_midi_range)});
  }
  cli::Results results;
  results.add_table("harmonics", std::move(table));
  if (any_outside)
    results.add_note(kOutsideMidiFootnote);
  return results.finish();
}

// Each harmonic alone, then all together with amplitudes 1/n, the series of a sawtooth (a
// bowed string's, roughly), so that the chord sounds as one tone. Fewer harmonics mend a
// highest one out of range, unless the fundamental itself is.
render::SoundRecipe sound(const cli::Values& values) {
  const double fundamental_hz = values[kFundamentalHz];
  const int count = static_cast<int>(values[kCount]);
  acoustics::Sound sound;
  acoustics::SoundPart together;
  for (int n = 1; n <= count; ++n) {
    acoustics::Partial harmonic{"harmonic " + std::to_string(n), n * fundamental_hz, 1.0};
    sound.parts.push_back({{harmonic}});
    harmonic.amplitude = 1.0 / n;
    together.partials.push_back(std::move(harmonic));
  }
  if (count > 1)
    sound.parts.push_back(std::move(together));
  return {std::move(sound), fundamental_hz >= acoustics::kNyquistHz ? kFundamentalHz : kCount,
          kCount};
}

// Each harmonic against the equal-tempered grid.
std::string draw(const cli::Values& values) {
  render::PitchChart chart;
  chart.title = "LIPRA: harmonics of " + cli::format_short(values[kFundamentalHz]) + " Hz";
  chart.position_label = "Harmonic";
  for (const acoustics::Harmonic& harmonic : acoustics::harmonic_series(
           values[kFundamentalHz], static_cast<int>(values[kCount]), values[kA4Hz])) {
    chart.points.push_back({static_cast<double>(harmonic.number), harmonic.note.deviation_cents,
                            note_cell(harmonic.note, note_naming(values)) + " (" +
                                harmonic_text(harmonic, values[kFundamentalHz]) + " Hz)"});
  }
  return render::draw_pitches(chart);
}

}  // namespace

cli::Tool lipra_tool() {
  cli::Tool tool = cli::catalogued_tool("lipra.exe");
  tool.help =
      "Lists harmonics 1 to COUNT of a periodic sound: harmonic n lies at\n"
      "  n * FUNDAMENTAL_HZ\n"
      "and is overtone n - 1 (harmonic 1 is the fundamental itself). Each row also gives the\n"
      "nearest equal-tempered note (A4 tuned to A4_HZ, C4 = MIDI 60, sharps; --flats and\n"
      "--middle-c C3 name notes otherwise) and the deviation from it in cents, from -50\n"
      "inclusive to +50 exclusive; notes outside MIDI 0 to 127 are marked *.\n"
      "FUNDAMENTAL_HZ must be above 0, or a note name such as C2, A#3, Bb-1 or c4 (letter A\n"
      "to G, optional # or b, octave number), read at A4_HZ and under --middle-c; COUNT is\n"
      "a whole number from 1 to 1000, default 10;\n"
      "A4_HZ must be above 0 and defaults to 440.\n"
      "--wav FILE plays each harmonic in turn, then all together (amplitudes 1/n);\n"
      "--svg FILE draws each harmonic's deviation from the equal-tempered grid.\n"
      "\n"
      "Example: lipra.exe 110 4  lists 110, 220, 330 and 440 Hz (A2, A3, E4 +1.955 cents, A4)\n"
      "         lipra.exe 108 2 432  lists 108 and 216 Hz as A2 and A3, 0 cents off\n"
      "         lipra.exe C2 4  lists 65.4064, 130.813, 196.219 and 261.626 Hz\n";
  tool.inputs = {
      cli::real_input("FUNDAMENTAL_HZ", "Fundamental frequency (Hz)")
          .checked_by(cli::must_be_positive("fundamental frequency must be above 0 Hz"))
          .also_noted(frequency_note_reading(kA4Hz)),
      cli::integer_input("COUNT", "Number of harmonics")
          .defaults_to(10)
          .checked_by(
              cli::must_be_within(1, kMaxCount, "number of harmonics must be from 1 to 1000")),
      a4_input(),
  };
  tool.options = note_naming_options();
  tool.variables = note_naming_variables();
  tool.check_across(kCount, check_highest_harmonic);
  tool.compute = compute;
  tool.output.tables = {
      {"harmonics", "harmonics 1 to COUNT",
       with_nearest_note_fields({cli::integer_field("harmonic", "the harmonic number n"),
                                 cli::integer_field("overtone", "the overtone number, n - 1"),
                                 cli::number_field("frequency_hz", "n * FUNDAMENTAL_HZ")})}};
  render::renders_sound(tool, sound);
  render::renders_drawing(tool, draw);
  return tool;
}

}  // namespace quesdral::tools
