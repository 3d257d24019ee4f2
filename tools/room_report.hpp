// What YOMBRIC reports beside its listing: the modes per third-octave band, Bonello's verdict
// on them, and Schroeder's frequency from the reverberation time.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "acoustics/room_modes.hpp"
#include "cli/table.hpp"

namespace quesdral::tools {

// Bonello's criterion, judged on the full bands: the text, and its word for csv and json.
struct BonelloVerdict {
  std::string text;
  const char* word;
};

// Each full band must hold at least as many modes as the band below, and no band of fewer
// than five modes may hold coincident ones; the verdict names the bands that fail either.
BonelloVerdict bonello_verdict(const std::vector<acoustics::ModeBand>& bands);

// The band table, the bands wholly above Schroeder's frequency (when known) marked.
cli::Table band_table(const std::vector<acoustics::ModeBand>& bands,
                      std::optional<double> schroeder_hz);

// Schroeder's frequency 2000 sqrt(T60 / V) Hz, above which modes overlap, or why it cannot
// be shown (error not empty).
struct Schroeder {
  double volume_m3 = 0.0;
  std::string volume_text;  // as the exact product L * W * H rounds
  double frequency_hz = 0.0;
  std::string error;
};

// REQUIRES: the sides and t60_s above 0 and finite.
Schroeder schroeder_of(double length_m, double width_m, double height_m, double t60_s);

}  // namespace quesdral::tools
