#include "room_report.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "acoustics/column_count.hpp"
#include "acoustics/extended_precision.hpp"
#include "cli/number_format.hpp"

namespace quesdral::tools {
namespace {

// Width of the longest bar of the band table: one # per mode up to it, scaled beyond.
constexpr std::size_t kBandBarWidth = 40;

std::string band_remark(const acoustics::ModeBand& band, bool above_schroeder) {
  std::string remark = band.partial ? "partial (cut at MAX_HZ)" : "";
  if (band.below_lower)
    remark = "fewer than the band below";
  if (band.crowded)
    remark += (remark.empty() ? "" : "; ") + std::string("coincident among fewer than 5");
  if (above_schroeder)
    remark += (remark.empty() ? "" : "; ") + std::string("above Schroeder");
  return remark;
}

}  // namespace

cli::Table band_table(const std::vector<acoustics::ModeBand>& bands,
                      std::optional<double> schroeder_hz) {
  std::uint64_t most = 0;
  for (const acoustics::ModeBand& band : bands)
    most = std::max(most, band.modes);
  cli::Table table;
  table.add_column("Third-octave band (Hz)", cli::Table::Align::kRight, "band_hz");
  table.add_column("Modes");
  table.add_column("Coincident", cli::Table::Align::kRight, "coincident_groups");
  table.add_column("Remark", cli::Table::Align::kLeft);
  table.add_column("Count", cli::Table::Align::kLeft);
  table.add_hidden_column("band_name");
  table.add_hidden_column("partial");
  table.add_hidden_column("fewer_than_band_below");
  table.add_hidden_column("coincident_among_few");
  table.add_hidden_column("above_schroeder");
  for (const acoustics::ModeBand& band : bands) {
    // The band's name, a preferred number, rather than a computed value.
    const std::string name = acoustics::band_name(band.index);
    const auto centre = cli::Table::Cell::numbered(name, band.nominal_hz);
    const auto width = static_cast<std::size_t>(
        most <= kBandBarWidth ? acoustics::count_as_double(band.modes)
                              : std::round(acoustics::count_as_double(band.modes) * kBandBarWidth /
                                           acoustics::count_as_double(most)));
    const bool above = schroeder_hz && acoustics::band_lower_edge_hz(band.index) > *schroeder_hz;
    table.add_row({centre, cli::Table::Cell::integer(static_cast<long long>(band.modes)),
                   band.groups_counted
                       ? cli::Table::Cell::integer(static_cast<long long>(band.coincident_groups))
                       : cli::Table::Cell(),
                   band_remark(band, above), std::string(width, '#'), name,
                   cli::Table::Cell::integer(band.partial),
                   cli::Table::Cell::integer(band.below_lower),
                   cli::Table::Cell::integer(band.crowded), cli::Table::Cell::integer(above)});
  }
  return table;
}

BonelloVerdict bonello_verdict(const std::vector<acoustics::ModeBand>& bands) {
  std::string falling;
  std::string crowded;
  std::size_t full = 0;
  for (const acoustics::ModeBand& band : bands) {
    full += band.partial ? 0 : 1;
    if (band.below_lower)
      falling += (falling.empty() ? "" : ", ") + acoustics::band_name(band.index);
    if (band.crowded) {
      crowded += (crowded.empty() ? "the " : ", the ") + acoustics::band_name(band.index) +
                 " Hz band of " + std::to_string(band.modes) +
                 (band.modes == 1 ? " mode" : " modes");
    }
  }
  if (full < 2)
    return {"not judged (fewer than two full bands)", "not_judged"};
  if (falling.empty() && crowded.empty()) {
    return {
        "met (no full band holds fewer modes than the band below, nor coincident modes "
        "among fewer than 5)",
        "met"};
  }
  std::string reasons;
  if (!falling.empty())
    reasons = "fewer modes than the band below at " + falling + " Hz";
  if (!crowded.empty())
    reasons += (reasons.empty() ? "" : "; ") + std::string("coincident modes in ") + crowded;
  return {"not met (" + reasons + ")", "not_met"};
}

// The volume is refused outside the normal doubles, where it would keep too few digits or
// none; so is T60 / V, whose square root would otherwise carry a subnormal's lost digits.
Schroeder schroeder_of(double length_m, double width_m, double height_m, double t60_s) {
  Schroeder schroeder;
  schroeder.volume_m3 = length_m * width_m * height_m;
  if (!std::isnormal(schroeder.volume_m3)) {
    schroeder.error = std::string("the room's volume is too ") +
                      (std::isinf(schroeder.volume_m3) ? "large" : "small") +
                      " to be shown, so Schroeder's frequency cannot be given; leave the "
                      "reverberation time out";
    return schroeder;
  }
  // L * W in two parts, each times H in two more: the product exactly.
  const acoustics::DoubleDouble floor_m2 = acoustics::two_product(length_m, width_m);
  const acoustics::DoubleDouble high = acoustics::two_product(floor_m2.hi, height_m);
  const acoustics::DoubleDouble low = acoustics::two_product(floor_m2.lo, height_m);
  schroeder.volume_text =
      cli::format_exact_sum(schroeder.volume_m3, {high.hi, high.lo, low.hi, low.lo});
  const double ratio = t60_s / schroeder.volume_m3;
  if (!std::isnormal(ratio)) {
    schroeder.error = std::string("the reverberation time is too ") +
                      (std::isinf(ratio) ? "long" : "short") + " for a room of " +
                      schroeder.volume_text +
                      " m^3 (Schroeder's frequency would lie beyond the numbers that can be "
                      "shown); give a " +
                      (std::isinf(ratio) ? "shorter" : "longer") + " one or none";
    return schroeder;
  }
  schroeder.frequency_hz = 2000.0 * std::sqrt(ratio);
  return schroeder;
}

}  // namespace quesdral::tools
