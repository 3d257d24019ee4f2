// The charts the tools draw with --svg: a spectrum (QUAV, ZIRR), pitches against the
// equal-tempered grid (LIPRA, RUMBEL), and a room's modes with their third-octave bands
// (YOMBRIC). Each returns a whole SVG document (svg_document.hpp).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "acoustics/room_modes.hpp"

namespace quesdral::render {

// One line of a spectrum, drawn as high as its magnitude, coloured by its sign.
struct SpectrumLine {
  double frequency_hz = 0.0;
  double amplitude = 0.0;  // signed
  std::string label;       // over the line when there is room: "carrier", "-3 and +1"
  bool reflected = false;  // folded over from below 0 Hz: drawn dashed
  bool summed = false;     // several components on one frequency: marked with a ring
};

struct SpectrumChart {
  std::string title;
  std::string amplitude_label;  // the y axis: "Magnitude (carrier = 1)"
  std::string note;             // how to read the marks: "dashed: reflected from below 0 Hz"
  std::vector<SpectrumLine> lines;
};

std::string draw_spectrum(const SpectrumChart& chart);

// One pitch, placed by its number (harmonic n, step k) and raised or lowered by its
// deviation from the nearest equal-tempered note.
struct PitchPoint {
  double position = 0.0;
  double deviation_cents = 0.0;  // from -50 to +50
  std::string label;             // "E5 (660 Hz)"
};

struct PitchChart {
  std::string title;
  std::string position_label;  // the x axis: "Harmonic"
  std::vector<PitchPoint> points;
};

std::string draw_pitches(const PitchChart& chart);

struct RoomChart {
  std::string title;
  // Shown one by one when there are at most kMaxListedModes.
  std::vector<acoustics::RoomMode> modes;
  std::vector<acoustics::ModeBand> bands;
  double max_hz = 0.0;
  std::string verdict;  // Bonello's criterion, as the tool words it
};

// The modes as ticks on a logarithmic frequency axis, one row per kind, and below them the
// third-octave bands as bars of their counts, the bands that break Bonello's criterion in
// red and a band cut at MAX_HZ lighter. A room with no mode up to MAX_HZ has an empty chart.
std::string draw_room_modes(const RoomChart& chart);

}  // namespace quesdral::render
