// Pitch: conversions between frequency and MIDI note numbers, and the nearest note's name.
//
// MIDI numbers are on the equal-tempered scale anchored at A4 = MIDI 69 (440 Hz unless the
// caller tunes otherwise); they need not be whole, so fractions are microtones. Notes are
// named in scientific pitch notation with sharps and the octave after the name: C4 is MIDI 60,
// C-1 is MIDI 0, and notes below it continue into octave -2 (B-2 is MIDI -1). A cent is a
// hundredth of a semitone.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quesdral::acoustics {

// Pitch of A4 used wherever the caller does not choose one.
constexpr double kStandardA4Hz = 440.0;

// The equal-tempered MIDI number of frequency_hz, unrounded: 69 + 12 log2(f / A4), to the
// last digit of a double however close it lies to a whole number (0 included). As in
// nearest_note_to_frequency, a number within kSnapSemitones of a whole or a half-way
// number is taken as that number.
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

// Frequencies meant as exact notes or exact half-way points (a step of 24 divisions of the
// octave from middle C) reach the computation as doubles, about 1e-13 semitones off. Within
// this distance of a whole or a half-way MIDI number (1e-9 cents, far above that noise and
// far below any deviation a user means) a pitch is taken as exactly that number: a deviation
// of 0, or of -50 cents from the upper note.
inline constexpr double kSnapSemitones = 1e-11;

// Rounds an exact MIDI number half up to the nearest note, so a value exactly between two
// notes belongs to the upper one at -50 cents.
// REQUIRES: midi_number is finite and its magnitude below 2^52.
NearestNote nearest_note(double midi_number);

// The nearest note to frequency_hz with A4 tuned to a4_hz, rounding half up (after the
// snapping described at kSnapSemitones). The deviation is computed to about 30 digits
// before it is rounded to a double, so every digit of it is true, down to the smallest.
// REQUIRES: as midi_from_frequency.
NearestNote nearest_note_to_frequency(double frequency_hz, double a4_hz = kStandardA4Hz);

// The same for multiple * frequency_hz, the product taken exactly (a harmonic).
// REQUIRES: as midi_from_frequency; 1 <= multiple <= 2^20.
NearestNote nearest_note_to_multiple(double frequency_hz, int multiple,
                                     double a4_hz = kStandardA4Hz);

// The same for start_hz * 2^(step / divisions), exactly (a step of an equal division of the
// octave; one step of 24 from a note lands exactly half way to the next).
// REQUIRES: as midi_from_frequency; 0 <= step <= divisions, 1 <= divisions <= 2^20.
NearestNote nearest_note_to_step(double start_hz, int step, int divisions,
                                 double a4_hz = kStandardA4Hz);

// How notes are named: sharps or flats for the black keys, and the octave number of middle
// C (MIDI 60). Conventions differ: some name middle C "C3", which moves every octave number
// down by one (MIDI 0 is then C-2).
struct NoteNaming {
  bool flats = false;       // Db4 rather than C#4
  int middle_c_octave = 4;  // 4: MIDI 60 is C4; 3: MIDI 60 is C3
};

// The name of a whole MIDI number: "A4", "C#-1", "B-2" by default; "Bb4" with flats, "A3"
// for MIDI 69 when middle C is C3.
// REQUIRES: naming.middle_c_octave is 3 or 4.
std::string note_name(long long midi_number, NoteNaming naming = {});

// The MIDI number a note name stands for under `naming`'s middle C, or nothing when `text`
// is no note name. A name is a letter A to G in either case, an optional sharp '#' or flat
// 'b', and an octave number with an optional minus sign: "A4" is 69, "c#-1" is 1, "Bb3" is
// 58, "Cb4" is 59 and "B#3" is 60. Octave numbers beyond +-100000 count as +-100000, far
// outside every range a value may take, so that no text overflows the result.
// REQUIRES: naming.middle_c_octave is 3 or 4.
std::optional<long long> midi_from_note_name(std::string_view text, NoteNaming naming = {});

// True when midi_number is a whole number from 0 to 127.
bool is_midi_note(long long midi_number);

}  // namespace quesdral::acoustics
