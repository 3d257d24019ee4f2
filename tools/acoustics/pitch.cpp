#include "acoustics/pitch.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "acoustics/extended_precision.hpp"

namespace quesdral::acoustics {
namespace {

constexpr long long kSemitonesPerOctave = 12;
constexpr long long kA4MidiNumber = 69;
constexpr double kCentsPerSemitone = 100.0;

// A MIDI number as a whole number and a fraction, the fraction to about 30 digits.
struct Pitch {
  long long whole = 0;
  DoubleDouble fraction;
};

Pitch pitch_of(double frequency_hz, double a4_hz, int multiple) {
  const Twelfths from_a4 = log2_ratio_in_twelfths(frequency_hz, a4_hz, multiple);
  return {kA4MidiNumber + from_a4.whole, from_a4.fraction};
}

// A pitch as its nearest note and the deviation from it, in semitones.
struct RoundedPitch {
  long long note = 0;
  DoubleDouble deviation;
};

bool within_snap(DoubleDouble value, double target) {
  return std::fabs(to_double(subtract(value, {target, 0.0}))) < kSnapSemitones;
}

// Rounds half up, after snapping a fraction within kSnapSemitones of a note or of half way.
RoundedPitch round_half_up(Pitch pitch) {
  const double shift = std::floor(pitch.fraction.hi + 0.5);
  RoundedPitch rounded{pitch.whole + static_cast<long long>(shift),
                       subtract(pitch.fraction, {shift, 0.0})};
  // The deviation now lies within half a semitone either way, up to its low part.
  if (within_snap(rounded.deviation, 0.5)) {
    ++rounded.note;
    rounded.deviation = {-0.5, 0.0};
  } else if (within_snap(rounded.deviation, -0.5)) {
    rounded.deviation = {-0.5, 0.0};
  } else if (within_snap(rounded.deviation, 0.0)) {
    rounded.deviation = {};
  }
  return rounded;
}

NearestNote nearest_note_of(Pitch pitch) {
  const RoundedPitch rounded = round_half_up(pitch);
  NearestNote nearest;
  nearest.midi_number = rounded.note;
  nearest.deviation_cents = to_double(multiply(rounded.deviation, {kCentsPerSemitone, 0.0}));
  nearest.in_midi_range = is_midi_note(rounded.note);
  return nearest;
}

}  // namespace

double midi_from_frequency(double frequency_hz, double a4_hz) {
  const RoundedPitch rounded = round_half_up(pitch_of(frequency_hz, a4_hz, 1));
  return to_double(add({static_cast<double>(rounded.note), 0.0}, rounded.deviation));
}

double frequency_from_midi(double midi_number, double a4_hz) {
  return a4_hz * std::exp2((midi_number - static_cast<double>(kA4MidiNumber)) / 12.0);
}

NearestNote nearest_note(double midi_number) {
  // Splitting off the whole part first keeps the fraction exact, so a value exactly half way
  // lands on the upper note at -50 cents instead of drifting with rounding in midi + 0.5.
  const double whole = std::floor(midi_number);
  auto note = static_cast<long long>(whole);
  double fraction = midi_number - whole;
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
  return nearest_note_of(pitch_of(frequency_hz, a4_hz, 1));
}

NearestNote nearest_note_to_multiple(double frequency_hz, int multiple, double a4_hz) {
  return nearest_note_of(pitch_of(frequency_hz, a4_hz, multiple));
}

NearestNote nearest_note_to_step(double start_hz, int step, int divisions, double a4_hz) {
  // The step adds 12 * step / divisions semitones: its whole part exactly, its fraction to
  // about 30 digits.
  Pitch pitch = pitch_of(start_hz, a4_hz, 1);
  const long long twelfths = kSemitonesPerOctave * step;
  pitch.whole += twelfths / divisions;
  const auto remainder = static_cast<double>(twelfths % divisions);
  pitch.fraction =
      add(pitch.fraction, divide({remainder, 0.0}, {static_cast<double>(divisions), 0.0}));
  return nearest_note_of(pitch);
}

std::string note_name(long long midi_number, NoteNaming naming) {
  static const std::array<const char*, 12> kSharps = {"C",  "C#", "D",  "D#", "E",  "F",
                                                      "F#", "G",  "G#", "A",  "A#", "B"};
  static const std::array<const char*, 12> kFlats = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                     "Gb", "G",  "Ab", "A",  "Bb", "B"};
  const std::array<const char*, 12>& names = naming.flats ? kFlats : kSharps;
  // Floor division, so that notes below MIDI 0 fall into octave -2 and lower rather than
  // folding back towards octave -1.
  long long octave = midi_number / kSemitonesPerOctave;
  long long pitch_class = midi_number % kSemitonesPerOctave;
  if (pitch_class < 0) {
    pitch_class += kSemitonesPerOctave;
    --octave;
  }
  // MIDI 60 lies in octave 5 of the division above; middle C's octave number says how far
  // the names shift from it.
  const long long shift = 5 - naming.middle_c_octave;
  return std::string(names[static_cast<std::size_t>(pitch_class)]) + std::to_string(octave - shift);
}

std::optional<long long> midi_from_note_name(std::string_view text, NoteNaming naming) {
  // Semitones of C D E F G A B above C.
  static const std::array<int, 7> kFromC = {9, 11, 0, 2, 4, 5, 7};  // A to G
  if (text.size() < 2)
    return std::nullopt;
  const char letter = static_cast<char>(text[0] >= 'a' ? text[0] - 'a' + 'A' : text[0]);
  if (letter < 'A' || letter > 'G')
    return std::nullopt;
  long long semitone = kFromC[static_cast<std::size_t>(letter - 'A')];
  std::size_t i = 1;
  if (text[i] == '#' || text[i] == 'b') {
    semitone += text[i] == '#' ? 1 : -1;
    ++i;
  }
  const bool negative = i < text.size() && text[i] == '-';
  if (negative)
    ++i;
  if (i == text.size())
    return std::nullopt;
  constexpr long long kOctaveBound = 100000;
  long long octave = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9')
      return std::nullopt;
    octave = std::min(kOctaveBound, octave * 10 + (text[i] - '0'));
  }
  if (negative)
    octave = -octave;
  // Middle C, MIDI 60, is in octave middle_c_octave.
  return 60 + kSemitonesPerOctave * (octave - naming.middle_c_octave) + semitone;
}

bool is_midi_note(long long midi_number) {
  return midi_number >= 0 && midi_number <= 127;
}

}  // namespace quesdral::acoustics
