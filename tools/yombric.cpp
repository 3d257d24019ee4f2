// YOMBRIC: the standing waves (modes) of a rectangular room up to a frequency.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "acoustics/room_modes.hpp"
#include "cli/number_format.hpp"
#include "cli/table.hpp"
#include "render/charts.hpp"
#include "render/svg_rendering.hpp"
#include "room_report.hpp"
#include "space_time_inputs.hpp"
#include "tool_definitions.hpp"

namespace quesdral::tools {
namespace {

enum Value { kLengthM, kWidthM, kHeightM, kMaxHz, kTemperatureC, kT60S };

constexpr const char* kKindNames[] = {"axial", "tangential", "oblique"};

std::string too_many_modes(const acoustics::RoomModeSearch& search, double max_hz) {
  const std::string limit = cli::format_integer(static_cast<long long>(acoustics::kMaxListedModes));
  const std::string count = cli::format_integer(static_cast<long long>(search.count.modes));
  return "up to " + cli::format_short(max_hz) + " Hz the room has " +
         (search.count.exact ? count : "at least " + count) + " modes, more than the " + limit +
         " that can be listed; the highest limit that lists at most " + limit + " is " +
         cli::format_number(search.highest_max_hz) + " Hz" +
         (search.count.exact ? "; --summary counts them by kind and band without listing them"
                             : "");
}

// The modes with, for each, how many share its frequency exactly (sizes); the remark column
// shows only when some do.
cli::Table mode_table(const std::vector<acoustics::RoomMode>& modes,
                      const std::vector<std::size_t>& sizes) {
  cli::Table table;
  table.add_column("p");
  table.add_column("q");
  table.add_column("r");
  table.add_column("Frequency (Hz)");
  table.add_column("Kind", cli::Table::Align::kLeft);
  const bool any_coincident =
      std::any_of(sizes.begin(), sizes.end(), [](std::size_t size) { return size > 1; });
  if (any_coincident) {
    table.add_column("Remark", cli::Table::Align::kLeft);
  } else {
    table.add_hidden_column("remark");
  }
  table.add_hidden_column("coincident");
  table.reserve_rows(modes.size());
  for (std::size_t m = 0; m < modes.size(); ++m) {
    const acoustics::RoomMode& mode = modes[m];
    table.add_row({cli::Table::Cell::integer(mode.p), cli::Table::Cell::integer(mode.q),
                   cli::Table::Cell::integer(mode.r), mode.frequency_hz,
                   kKindNames[static_cast<int>(mode.kind)],
                   sizes[m] > 1 ? "coincident x" + std::to_string(sizes[m]) : std::string(),
                   cli::Table::Cell::integer(static_cast<long long>(sizes[m]))});
  }
  return table;
}

// Why the room's modes cannot be computed or shown, asking again for the side that can mend
// it: sides too far apart for the steps between modes to be doubles (the shortest), or a
// lowest mode, c / (2 * longest side), beyond the doubles (the longest).
cli::Outcome unusable_room(const double (&sides_m)[3], double temperature_c) {
  const auto [shortest, longest] = std::minmax_element(std::begin(sides_m), std::end(sides_m));
  const auto side = [&](const double* found) {
    return kLengthM + static_cast<std::size_t>(found - std::begin(sides_m));
  };
  if (!acoustics::sides_in_proportion(sides_m[0], sides_m[1], sides_m[2])) {
    return cli::Outcome::failure(
        "the longest side is more than 1.79769e+308 times the shortest, too far apart for "
        "the modes to be computed",
        side(shortest));
  }
  const bool too_small = speed_at(temperature_c) / *longest / 2.0 > 1.0;
  return cli::Outcome::failure(std::string("the room is too ") + (too_small ? "small" : "large") +
                                   " for its modes to be shown at " + speed_phrase(temperature_c),
                               side(longest));
}

// Schroeder's frequency when the reverberation time is given.
std::optional<Schroeder> schroeder_of(const cli::Values& values) {
  if (values.left_out(kT60S))
    return std::nullopt;
  return tools::schroeder_of(values[kLengthM], values[kWidthM], values[kHeightM], values[kT60S]);
}

// The counts by kind, the band table and Bonello's verdict.
cli::Results& add_counts(cli::Results& results, const std::uint64_t (&kinds)[3],
                         const std::vector<acoustics::ModeBand>& bands,
                         const std::optional<Schroeder>& schroeder) {
  const BonelloVerdict verdict = bonello_verdict(bands);
  const auto count = [](std::uint64_t value) { return static_cast<long long>(value); };
  results.add_integer("Axial modes", count(kinds[0]))
      .add_integer("Tangential modes", count(kinds[1]))
      .add_integer("Oblique modes", count(kinds[2]))
      .add_integer("All modes", count(kinds[0] + kinds[1] + kinds[2]));
  std::optional<double> schroeder_hz;
  if (schroeder) {
    schroeder_hz = schroeder->frequency_hz;
    results.add("Volume", schroeder->volume_m3, "m^3")
        .as("volume_m3")
        .shown_as(schroeder->volume_text)
        .add("Schroeder frequency", schroeder->frequency_hz, "Hz")
        .as("schroeder_hz");
  }
  return results.add_table("bands", band_table(bands, schroeder_hz))
      .add_text("Bonello's criterion", verdict.text)
      .data_word("bonello", verdict.word);
}

// --summary: the counts, bands and verdict from exact counts, without the listing.
cli::Outcome summarize(const acoustics::Room& room, double max_hz, double speed_m_per_s,
                       const std::optional<Schroeder>& schroeder) {
  const std::optional<acoustics::ModeSummary> summary =
      acoustics::summarize_room_modes(room, max_hz);
  if (!summary) {
    return cli::Outcome::failure(
        "up to " + cli::format_short(max_hz) + " Hz the room has too many modes to count exactly",
        kMaxHz);
  }
  cli::Results results;
  results.add("Speed of sound", speed_m_per_s, "m/s");
  return add_counts(results, summary->kinds, summary->bands, schroeder).finish(kMaxHz);
}

// Too many modes is mended by a lower MAX_HZ, never by the temperature, whose whole range
// moves the count too little.
cli::Outcome compute(const cli::Values& values) {
  const double sides_m[] = {values[kLengthM], values[kWidthM], values[kHeightM]};
  const double max_hz = values[kMaxHz];
  const double speed_m_per_s = speed_at(values[kTemperatureC]);
  const auto room =
      acoustics::make_room_in_air(sides_m[0], sides_m[1], sides_m[2], values[kTemperatureC]);
  if (!room)
    return unusable_room(sides_m, values[kTemperatureC]);
  // Only the reverberation time can mend Schroeder's frequency; leaving it out always does.
  const std::optional<Schroeder> schroeder = schroeder_of(values);
  if (schroeder && !schroeder->error.empty())
    return cli::Outcome::failure(schroeder->error, kT60S);
  if (values.has_option("--summary"))
    return summarize(*room, max_hz, speed_m_per_s, schroeder);
  const acoustics::RoomModeSearch search = acoustics::search_room_modes(*room, max_hz);
  if (search.too_many)
    return cli::Outcome::failure(too_many_modes(search, max_hz), kMaxHz);

  const std::vector<std::size_t> sizes = acoustics::coincident_sizes(*room, search.modes);
  const std::vector<acoustics::ModeBand> bands =
      acoustics::third_octave_bands(search.modes, max_hz, sizes);
  std::uint64_t kinds[3] = {0, 0, 0};
  for (const acoustics::RoomMode& mode : search.modes)
    ++kinds[static_cast<int>(mode.kind)];
  // --kind lists one kind; the counts, bands and verdict still cover every mode.
  std::vector<acoustics::RoomMode> shown;
  std::vector<std::size_t> shown_sizes;
  const std::string kind = values.option_value("--kind");
  for (std::size_t m = 0; m < search.modes.size(); ++m) {
    if (kind.empty() || kind == kKindNames[static_cast<int>(search.modes[m].kind)]) {
      shown.push_back(search.modes[m]);
      shown_sizes.push_back(sizes[m]);
    }
  }
  cli::Results results;
  results.add("Speed of sound", speed_m_per_s, "m/s")
      .add_table("modes", mode_table(shown, shown_sizes));
  return add_counts(results, kinds, bands, schroeder).finish(kMaxHz);
}

// The modes by kind on a logarithmic axis, the bands and the verdict. Only called once
// compute has accepted the room and the count.
std::string draw(const cli::Values& values) {
  const double max_hz = values[kMaxHz];
  const auto room = acoustics::make_room_in_air(values[kLengthM], values[kWidthM], values[kHeightM],
                                                values[kTemperatureC]);
  render::RoomChart chart;
  chart.title = "YOMBRIC: room " + cli::format_short(values[kLengthM]) + " x " +
                cli::format_short(values[kWidthM]) + " x " + cli::format_short(values[kHeightM]) +
                " m, modes up to " + cli::format_short(max_hz) + " Hz";
  acoustics::RoomModeSearch search = acoustics::search_room_modes(*room, max_hz);
  chart.modes = std::move(search.modes);
  // A room beyond the listing, drawn with --summary, shows its bands from the exact counts.
  chart.bands = search.too_many
                    ? acoustics::summarize_room_modes(*room, max_hz)->bands
                    : acoustics::third_octave_bands(
                          chart.modes, max_hz, acoustics::coincident_sizes(*room, chart.modes));
  chart.max_hz = max_hz;
  chart.verdict = bonello_verdict(chart.bands).text;
  return render::draw_room_modes(chart);
}

}  // namespace

cli::Tool yombric_tool() {
  cli::Tool tool = cli::catalogued_tool("yombric.exe");
  tool.help =
      "Lists every standing wave (mode) of a rectangular room up to MAX_HZ:\n"
      "  f = (c / 2) * sqrt((p / LENGTH_M)^2 + (q / WIDTH_M)^2 + (r / HEIGHT_M)^2) Hz\n"
      "for whole p, q, r from 0 up, not all 0, with c = 331.3 * sqrt(1 + TEMPERATURE_C / 273.15)\n"
      "m/s. The table is sorted by frequency (equal frequencies by p, q, r) and names each\n"
      "mode's kind: axial (one index above 0), tangential (two) or oblique (three), and marks\n"
      "modes of exactly the same frequency (coincident x3: three modes share it); the count\n"
      "of each kind follows. A mode exactly at MAX_HZ is listed.\n"
      "Then the modes per third-octave band (centres 10^(n/10) Hz, named by the preferred\n"
      "numbers of ISO 266: 31.5, 40, 50, 63 Hz ...), from the band of the lowest mode to the\n"
      "band of MAX_HZ, which is cut there and marked partial, each with its groups of\n"
      "coincident modes and a bar; and Bonello's criterion on the full bands: every band\n"
      "holds at least as many modes as the band below, and no band of fewer than 5 modes\n"
      "holds coincident ones; the verdict names the bands that fail either condition.\n"
      "Dimensions and MAX_HZ must be above 0; MAX_HZ defaults to 300. TEMPERATURE_C must be\n"
      "from -100 to 200 (the formula is for air) and defaults to 20 (c = 343.215 m/s). At\n"
      "most 10000 modes are listed: a higher count is refused, naming the count and the\n"
      "highest MAX_HZ that stays within it.\n"
      "--summary prints the speed of sound, the counts by kind, the band table and the\n"
      "verdict without the listing, from exact counts, for rooms of billions of modes;\n"
      "coincident groups are counted in the bands up to the 10000th mode (the bands above\n"
      "hold 5 modes or more, so the verdict is whole).\n"
      "--kind axial|tangential|oblique lists only that kind; the counts, the bands and the\n"
      "verdict still cover every mode.\n"
      "T60_S, the reverberation time in seconds (above 0; optional, no default), adds the\n"
      "room's volume V and Schroeder's frequency 2000 * sqrt(T60_S / V) Hz, above which\n"
      "modes overlap, and marks the bands wholly above it.\n"
      "--svg FILE draws the modes by kind on a logarithmic axis, over the band counts.\n"
      "\n"
      "Example: yombric.exe 5 4 3 60  lists (1,0,0) 34.3215 Hz, (0,1,0) 42.9018 Hz,\n"
      "         (1,1,0) 54.9411 Hz and (0,0,1) 57.2024 Hz: 3 axial, 1 tangential, 0 oblique;\n"
      "         one mode in each band from 31.5 to 63 Hz (partial), Bonello's criterion met.\n";
  tool.inputs = {
      cli::real_input("LENGTH_M", "Length (m)")
          .checked_by(cli::must_be_positive("length must be above 0 m")),
      cli::real_input("WIDTH_M", "Width (m)")
          .checked_by(cli::must_be_positive("width must be above 0 m")),
      cli::real_input("HEIGHT_M", "Height (m)")
          .checked_by(cli::must_be_positive("height must be above 0 m")),
      cli::real_input("MAX_HZ", "Highest frequency (Hz)")
          .defaults_to(300)
          .checked_by(cli::must_be_positive("highest frequency must be above 0 Hz")),
      temperature_input(),
      cli::real_input("T60_S", "Reverberation time T60 (s)")
          .may_be_skipped()
          .checked_by(cli::must_be_positive("reverberation time must be above 0 s")),
  };
  tool.options = {
      {"--summary", "", {}, "the counts, bands and verdict without the listing, for any count"},
      {"--kind",
       "axial|tangential|oblique",
       {"axial", "tangential", "oblique"},
       "list only modes of this kind; counts, bands and verdict cover all"},
  };
  tool.compute = compute;
  tool.output.fields = {
      cli::number_field("speed_of_sound_m_per_s", "the speed of sound at TEMPERATURE_C"),
      cli::integer_field("axial_modes", "the number of axial modes up to MAX_HZ"),
      cli::integer_field("tangential_modes", "the number of tangential modes up to MAX_HZ"),
      cli::integer_field("oblique_modes", "the number of oblique modes up to MAX_HZ"),
      cli::integer_field("all_modes", "the number of modes up to MAX_HZ"),
      cli::number_field("volume_m3", "the room's volume, when T60_S is given"),
      cli::number_field("schroeder_hz",
                        "Schroeder's frequency 2000 sqrt(T60_S / V), when T60_S is given"),
      cli::text_field("bonello", "Bonello's criterion on the full third-octave bands",
                      {"met", "not_met", "not_judged"}),
  };
  tool.output.tables = {
      {"modes",
       "every mode up to MAX_HZ, by frequency",
       {cli::integer_field("p", "the index along LENGTH_M"),
        cli::integer_field("q", "the index along WIDTH_M"),
        cli::integer_field("r", "the index along HEIGHT_M"),
        cli::number_field("frequency_hz", "the frequency of the mode"),
        cli::text_field("kind", "how many indices are above 0: one, two or three",
                        {"axial", "tangential", "oblique"}),
        cli::integer_field("coincident",
                           "how many modes share this frequency exactly, 1 for a mode alone")}},
      {"bands",
       "the modes per third-octave band",
       {cli::number_field("band_hz", "the band's nominal centre frequency"),
        cli::text_field("band_name", "the band's preferred-number name"),
        cli::integer_field("modes", "the number of modes in the band"),
        cli::integer_field("coincident_groups",
                           "the sets of two or more modes of exactly one frequency in the band"),
        cli::flag_field("partial", "whether MAX_HZ cuts the band"),
        cli::flag_field("fewer_than_band_below",
                        "whether the full band holds fewer modes than the band below"),
        cli::flag_field("coincident_among_few",
                        "whether the full band holds fewer than 5 modes, some coincident"),
        cli::flag_field("above_schroeder",
                        "whether the band lies wholly above Schroeder's frequency (given T60_S)")}},
  };
  render::renders_drawing(tool, draw);
  return tool;
}

}  // namespace quesdral::tools
