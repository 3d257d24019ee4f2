// Pitch: conversions between frequency and MIDI note numbers, and the nearest note's name.
//
// MIDI numbers are on the equal-tempered scale anchored at A4 = MIDI 69 (440 Hz unless the
// caller tunes otherwise); they need not be whole, so fractions are microtones. Notes are
// named in scientific pitch notation with sharps and the octave after the name: C4 is MIDI 60,
// C-1 is MIDI 0, and notes below it continue into octave -2 (B-2 is MIDI -1). A cent is a
// hundredth of a semitone.
#pragma once

#include <string>

namespace quesdral::acoustics {

// Pitch of A4 used wherever the caller does not choose one.
constexpr double kStandardA4Hz = 440.0;

// The equal-tempered MIDI number of frequency_hz, unrounded: 69 + 12 log2(f / A4).
// REQUIRES: frequency_hz > 0 and a4_hz > 0, both finite. The result is always finite, even
// for frequencies whose ratio to A4 would overflow.
double midi_from_frequency(double frequency_hz, double a4_hz);

// The frequency of midi_number in Hz: A4 * 2^((midi_number - 69) / 12). May overflow to
// infinity for extreme inputs; callers that show it check with std::isfinite.
// REQUIRES: a4_hz > 0, both finite.
double frequency_from_midi(double midi_number, double a4_hz);

// The whole note nearest to a MIDI number and how far the number lies from it.
struct NearestNote {
  long long midi_number = 0;     // the nearest whole note
  double deviation_cents = 0.0;  // from -50 inclusive to +50 exclusive
  bool in_midi_range = false;    // midi_number is from 0 to 127
};

// Rounds midi_number half up to the nearest note, so a value exactly between two notes
// belongs to the upper one at -50 cents. The deviation is resolved to 1e-8 cents (far below
// hearing and display), so that rounding noise does not move a note off its exact value.
// REQUIRES: midi_number is finite and its magnitude below 2^52.
NearestNote nearest_note(double midi_number);

// The nearest note to frequency_hz with A4 tuned to a4_hz.
// REQUIRES: as midi_from_frequency.
NearestNote nearest_note_to_frequency(double frequency_hz, double a4_hz = kStandardA4Hz);

// The name of a whole MIDI number: "A4", "C#-1", "B-2".
std::string note_name(long long midi_number);

// True when midi_number is a whole number from 0 to 127.
bool is_midi_note(long long midi_number);

}  // namespace quesdral::acoustics
