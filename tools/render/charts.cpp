#include "render/charts.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

#include "acoustics/column_count.hpp"
#include "cli/number_format.hpp"
#include "render/svg_document.hpp"

namespace quesdral::render {
namespace {

constexpr const char* kPositiveColour = "#1f5fbf";
constexpr const char* kNegativeColour = "#c0392b";
constexpr const char* kKindColours[] = {"#c0392b", "#1f5fbf", "#5d6d7e"};
constexpr const char* kKindNames[] = {"axial", "tangential", "oblique"};
// Labels beside every line or point only while they fit.
constexpr std::size_t kMostLabels = 40;

double band_edge_hz(int index, double side) {
  return std::pow(10.0, (index + side) / 10.0);
}

// The ticks at whole numbers, for what is counted (modes, harmonics, steps).
std::vector<Tick> whole(std::vector<Tick> ticks) {
  ticks.erase(std::remove_if(ticks.begin(), ticks.end(),
                             [](const Tick& tick) { return tick.value != std::floor(tick.value); }),
              ticks.end());
  return ticks;
}

}  // namespace

std::string draw_spectrum(const SpectrumChart& chart) {
  SvgDocument svg(900, 520, chart.title);
  svg.text(450, 30, chart.title, Anchor::kMiddle, 16);
  double lowest_hz = chart.lines.empty() ? 0.0 : chart.lines.front().frequency_hz;
  double highest_hz = 0.0;
  double largest = 0.0;
  for (const SpectrumLine& line : chart.lines) {
    lowest_hz = std::min(lowest_hz, line.frequency_hz);
    highest_hz = std::max(highest_hz, line.frequency_hz);
    largest = std::max(largest, std::fabs(line.amplitude));
  }
  // A spectrum far from 0 Hz (a narrow FM spectrum at a high carrier) fills the width;
  // one that reaches near 0 Hz, where reflections happen, shows 0 Hz.
  const double margin_hz = (highest_hz - lowest_hz) * 0.1;
  const bool from_zero = lowest_hz <= (highest_hz - lowest_hz) * 0.25 || margin_hz == 0.0;
  const Scale x{from_zero ? 0.0 : lowest_hz - margin_hz,
                highest_hz <= 0.0 ? 1.0
                : from_zero       ? highest_hz * 1.1
                                  : highest_hz + margin_hz,
                90.0, 870.0};
  const Scale y{0.0, largest > 0.0 ? largest * 1.2 : 1.0, 440.0, 90.0};
  draw_axes(svg, x, linear_ticks(x.data_min, x.data_max, 8), "Frequency (Hz)", y,
            linear_ticks(y.data_min, y.data_max, 5), chart.amplitude_label);
  const bool labelled = chart.lines.size() <= kMostLabels;
  for (const SpectrumLine& line : chart.lines) {
    const double at = x.to_px(line.frequency_hz);
    const double top = y.to_px(std::fabs(line.amplitude));
    const char* colour = line.amplitude < 0 ? kNegativeColour : kPositiveColour;
    svg.line(at, y.px_min, at, top, colour, 3.0, line.reflected ? "5 3" : "");
    if (line.summed)
      svg.circle(at, top, 5.0, "none", colour);
    if (labelled)
      svg.text(at, top - 9, line.label, Anchor::kMiddle, 10);
  }
  const bool any_negative =
      std::any_of(chart.lines.begin(), chart.lines.end(),
                  [](const SpectrumLine& line) { return line.amplitude < 0; });
  legend_entry(svg, 700, 60, kPositiveColour, "positive amplitude");
  if (any_negative)
    legend_entry(svg, 700, 76, kNegativeColour, "negative amplitude");
  svg.text(90, 60, chart.note, Anchor::kStart, 11);
  return svg.finish();
}

std::string draw_pitches(const PitchChart& chart) {
  SvgDocument svg(900, 560, chart.title);
  svg.text(450, 30, chart.title, Anchor::kMiddle, 16);
  double first = 0.0;
  double last = 1.0;
  if (!chart.points.empty()) {
    first = chart.points.front().position;
    last = chart.points.back().position;
  }
  const Scale x{first - 0.5, last + 0.5, 90.0, 800.0};
  const Scale y{-50.0, 50.0, 420.0, 100.0};
  // Ticks at whole numbers only: there is no harmonic 1.5.
  const std::vector<Tick> x_ticks =
      last > first
          ? whole(linear_ticks(first, last, static_cast<int>(std::min(10.0, last - first))))
          : std::vector<Tick>{{first, cli::format_short(first)}};
  draw_axes(svg, x, x_ticks, chart.position_label, y, linear_ticks(-50.0, 50.0, 10),
            "Deviation from the nearest equal-tempered note (cents)");
  svg.line(x.px_min, y.to_px(0.0), x.px_max, y.to_px(0.0), "#000000", 1.5);
  svg.text(90, 55, "0 cents: the equal-tempered note; each pitch named by its nearest note",
           Anchor::kStart, 11);
  const bool labelled = chart.points.size() <= kMostLabels;
  const double radius = chart.points.size() <= 100 ? 4.0 : 1.5;
  for (const PitchPoint& point : chart.points) {
    const double at = x.to_px(point.position);
    const double level = y.to_px(point.deviation_cents);
    svg.line(at, y.to_px(0.0), at, level, kPositiveColour, 1.5);
    svg.circle(at, level, radius, kPositiveColour);
    if (labelled) {
      const bool above = point.deviation_cents >= 0;
      svg.text(at + 4, level + (above ? -8 : 14), point.label, Anchor::kStart, 10, "#000000",
               above ? -45 : 45);
    }
  }
  return svg.finish();
}

std::string draw_room_modes(const RoomChart& chart) {
  SvgDocument svg(1000, 680, chart.title);
  svg.text(500, 30, chart.title, Anchor::kMiddle, 16);
  // Without a mode there is no band: the axis then spans the octave below MAX_HZ.
  const bool empty = chart.bands.empty();
  const double low_hz = empty ? chart.max_hz / 2 : band_edge_hz(chart.bands.front().index, -0.5);
  const double high_hz = empty ? chart.max_hz * 1.1 : band_edge_hz(chart.bands.back().index, 0.5);
  std::vector<Tick> ticks;
  for (const acoustics::ModeBand& band : chart.bands)
    ticks.push_back({band.nominal_hz, acoustics::band_name(band.index)});
  if (ticks.size() > 30 || empty)
    ticks = log_ticks(low_hz, high_hz);

  // The modes: one row per kind.
  const Scale x{low_hz, high_hz, 130.0, 960.0, true};
  const Scale rows{0.0, 3.0, 250.0, 70.0};
  draw_axes(svg, x, ticks, "Frequency (Hz), logarithmic", rows, {}, {});
  std::size_t counts[3] = {0, 0, 0};
  for (const acoustics::RoomMode& mode : chart.modes)
    ++counts[static_cast<int>(mode.kind)];
  for (int kind = 0; kind < 3; ++kind) {
    const double bottom = rows.to_px(2.0 - kind) - 6;
    const double top = rows.to_px(3.0 - kind) + 6;
    svg.text(x.px_min - 8, (top + bottom) / 2 + 4,
             std::string(kKindNames[kind]) + " (" +
                 cli::format_integer(static_cast<long long>(counts[kind])) + ")",
             Anchor::kEnd, 12, kKindColours[kind]);
    for (const acoustics::RoomMode& mode : chart.modes) {
      if (static_cast<int>(mode.kind) != kind)
        continue;
      const double at = x.to_px(mode.frequency_hz);
      svg.line(at, bottom, at, top, kKindColours[kind], 1.0);
    }
  }
  svg.line(x.to_px(chart.max_hz), 60, x.to_px(chart.max_hz), 250, "#000000", 1.0, "4 3");
  svg.text(x.to_px(chart.max_hz) - 4, 60, "MAX_HZ", Anchor::kEnd, 10);

  // The bands: one bar each, as wide as the band, as high as its count.
  std::uint64_t most = 1;
  for (const acoustics::ModeBand& band : chart.bands)
    most = std::max(most, band.modes);
  const Scale counts_axis{0.0, acoustics::count_as_double(most) * 1.15, 580.0, 340.0};
  const Scale band_x{low_hz, high_hz, 130.0, 960.0, true};
  draw_axes(svg, band_x, ticks, "Third-octave band (Hz)", counts_axis,
            whole(linear_ticks(0.0, counts_axis.data_max, 5)), "Modes");
  for (const acoustics::ModeBand& band : chart.bands) {
    const double low = band_x.to_px(band_edge_hz(band.index, -0.5));
    const double high = band_x.to_px(std::min(band_edge_hz(band.index, 0.5), chart.max_hz));
    const double top = counts_axis.to_px(acoustics::count_as_double(band.modes));
    const char* fill = band.below_lower ? "#e6b0aa" : band.partial ? "#d6eaf8" : "#85c1e9";
    svg.rect(low + 1, top, high - low - 2, counts_axis.px_min - top, fill, "#34495e");
    svg.text((low + high) / 2, top - 4, cli::format_integer(static_cast<long long>(band.modes)),
             Anchor::kMiddle, 10);
  }
  legend_entry(svg, 140, 318, "#85c1e9", "full band");
  legend_entry(svg, 260, 318, "#d6eaf8", "band cut at MAX_HZ");
  legend_entry(svg, 420, 318, "#e6b0aa", "fewer modes than the band below");
  if (empty)
    svg.text(545, 460, "no mode at or below MAX_HZ", Anchor::kMiddle, 14);
  svg.text(130, 660, "Bonello's criterion: " + chart.verdict, Anchor::kStart, 13);
  return svg.finish();
}

}  // namespace quesdral::render
