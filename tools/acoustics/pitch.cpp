#include "acoustics/pitch.hpp"

#include <array>
#include <cmath>
#include <string>

namespace quesdral::acoustics {
namespace {

constexpr long long kSemitonesPerOctave = 12;
constexpr double kA4MidiNumber = 69.0;
constexpr double kCentsPerSemitone = 100.0;
constexpr double kFractionGrid = 1e10;  // steps per semitone: 1e-8 cents

}  // namespace

double midi_from_frequency(double frequency_hz, double a4_hz) {
  // The difference of logarithms stays finite where the quotient f / A4 would overflow or
  // underflow (a huge frequency against a tiny A4).
  return kA4MidiNumber + 12.0 * (std::log2(frequency_hz) - std::log2(a4_hz));
}

double frequency_from_midi(double midi_number, double a4_hz) {
  return a4_hz * std::exp2((midi_number - kA4MidiNumber) / 12.0);
}

NearestNote nearest_note(double midi_number) {
  // Splitting off the whole part first keeps the fraction exact, so a value exactly half way
  // lands on the upper note at -50 cents instead of drifting with rounding in midi + 0.5.
  const double whole = std::floor(midi_number);
  auto note = static_cast<long long>(whole);
  // A number computed through logarithms carries noise of about 1e-13 semitones; on the grid
  // the notes of equal temperament and the half-way points come out exact, not 1e-12 cents
  // off or on the wrong side of a tie.
  double fraction = std::round((midi_number - whole) * kFractionGrid) / kFractionGrid;
  if (fraction >= 0.5) {
    ++note;
    fraction -= 1.0;
  }
  NearestNote nearest;
  nearest.midi_number = note;
  nearest.deviation_cents = fraction * kCentsPerSemitone;
  nearest.in_midi_range = is_midi_note(note);
  return nearest;
}

NearestNote nearest_note_to_frequency(double frequency_hz, double a4_hz) {
  return nearest_note(midi_from_frequency(frequency_hz, a4_hz));
}

std::string note_name(long long midi_number) {
  static const std::array<const char*, 12> kNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                     "F#", "G",  "G#", "A",  "A#", "B"};
  // Floor division, so that notes below MIDI 0 fall into octave -2 and lower rather than
  // folding back towards octave -1.
  long long octave = midi_number / kSemitonesPerOctave;
  long long pitch_class = midi_number % kSemitonesPerOctave;
  if (pitch_class < 0) {
    pitch_class += kSemitonesPerOctave;
    --octave;
  }
  return std::string(kNames[static_cast<std::size_t>(pitch_class)]) + std::to_string(octave - 1);
}

bool is_midi_note(long long midi_number) {
  return midi_number >= 0 && midi_number <= 127;
}

}  // namespace quesdral::acoustics
