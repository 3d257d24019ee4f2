#include "acoustics/pitch.hpp"

#include <cmath>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace quesdral::acoustics {
namespace {

// Reference frequencies of the MIDI tuning table (A4 = 440 Hz): note 0 is 8.1757989 Hz,
// middle C 261.6255653 Hz, note 127 is 12543.8539514 Hz.
TEST(PitchConversion, KnownFrequenciesGiveKnownMidiNumbers) {
  struct Case {
    double frequency_hz;
    double a4_hz;
    double midi_number;
  };
  const Case cases[] = {
      {440.0, 440.0, 69.0},
      {261.6255653005986, 440.0, 60.0},
      {880.0, 440.0, 81.0},
      {27.5, 440.0, 21.0},
      {8.175798915643707, 440.0, 0.0},
      {12543.853951415975, 440.0, 127.0},
      {432.0, 432.0, 69.0},
      {415.0, 415.0, 69.0},
      {440.0, 415.0, 70.0127062},  // 440 Hz is 101.271 cents above A4 = 415
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.frequency_hz);
    EXPECT_NEAR(midi_from_frequency(c.frequency_hz, c.a4_hz), c.midi_number, 1e-7);
    EXPECT_NEAR(frequency_from_midi(c.midi_number, c.a4_hz), c.frequency_hz, 1e-7 * c.frequency_hz);
  }
}

TEST(PitchConversion, RoundTripsThroughFrequency) {
  for (const double a4_hz : {440.0, 415.3, 1e-3}) {
    for (double midi = -40.0; midi <= 160.0; midi += 0.37) {
      EXPECT_NEAR(midi_from_frequency(frequency_from_midi(midi, a4_hz), a4_hz), midi, 1e-9);
    }
  }
}

TEST(PitchConversion, ExtremeRatiosStayFinite) {
  EXPECT_NEAR(midi_from_frequency(1e300, 1e-300), 69.0 + 12.0 * 600.0 * std::log2(10.0), 1e-6);
  EXPECT_TRUE(std::isfinite(midi_from_frequency(5e-324, 1e308)));
}

TEST(NoteName, AcrossOctaveBoundariesAndBelowMidiZero) {
  const std::pair<long long, std::string> cases[] = {
      {60, "C4"},   {69, "A4"},   {59, "B3"},  {71, "B4"},   {72, "C5"},   {61, "C#4"},
      {70, "A#4"},  {0, "C-1"},   {1, "C#-1"}, {11, "B-1"},  {12, "C0"},   {-1, "B-2"},
      {-12, "C-2"}, {-13, "B-3"}, {127, "G9"}, {128, "G#9"}, {-11, "C#-2"}};
  for (const auto& [midi_number, name] : cases)
    EXPECT_EQ(note_name(midi_number), name);
}

// The MIDI standard fixes note 60 as middle C and 69 as A at 440 Hz; whether middle C
// is called C4 or C3 is a convention, and so is naming the black keys by sharps or flats.
TEST(NoteName, FlatsAndTheOctaveOfMiddleC) {
  struct Case {
    long long midi_number;
    bool flats;
    int middle_c_octave;
    const char* name;
  };
  const Case cases[] = {
      {61, true, 4, "Db4"},  {63, true, 4, "Eb4"},  {66, true, 4, "Gb4"}, {68, true, 4, "Ab4"},
      {70, true, 4, "Bb4"},  {60, true, 4, "C4"},   {1, true, 4, "Db-1"}, {-1, true, 4, "B-2"},
      {60, false, 3, "C3"},  {69, false, 3, "A3"},  {59, false, 3, "B2"}, {0, false, 3, "C-2"},
      {-1, false, 3, "B-3"}, {127, false, 3, "G8"}, {70, true, 3, "Bb3"}, {13, true, 3, "Db-1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.midi_number);
    EXPECT_EQ(note_name(c.midi_number, {c.flats, c.middle_c_octave}), c.name);
  }
}

// Note names read as input. Frequencies at A4 = 440 Hz from the MIDI tuning table: C2 is
// 65.4064 Hz, A0 (the piano's lowest key) 27.5 Hz, C-1 8.17580 Hz, middle C 261.626 Hz.
TEST(NoteName, ReadAsInputUnderEitherMiddleC) {
  struct Case {
    const char* text;
    int middle_c_octave;
    std::optional<long long> midi_number;  // nothing: not a note name
    double frequency_hz;                   // at A4 = 440 Hz; 0 when not a note name
  };
  const Case cases[] = {
      {"A4", 4, 69, 440.0},        {"C2", 4, 36, 65.4064},       {"A0", 4, 21, 27.5},
      {"C-1", 4, 0, 8.17580},      {"c4", 4, 60, 261.626},       {"C4", 3, 72, 523.251},
      {"C-2", 3, 0, 8.17580},      {"a#4", 4, 70, 466.164},      {"bb4", 4, 70, 466.164},
      {"Cb4", 4, 59, 246.942},     {"B#3", 4, 60, 261.626},      {"H4", 4, std::nullopt, 0},
      {"A-", 4, std::nullopt, 0},  {"A4.5", 4, std::nullopt, 0}, {"Ab#4", 4, std::nullopt, 0},
      {"440", 4, std::nullopt, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<long long> midi_number =
        midi_from_note_name(c.text, {false, c.middle_c_octave});
    EXPECT_EQ(midi_number, c.midi_number);
    if (midi_number && c.frequency_hz > 0) {
      EXPECT_NEAR(frequency_from_midi(static_cast<double>(*midi_number), kStandardA4Hz),
                  c.frequency_hz, 5e-6 * c.frequency_hz);
    }
  }
  // An octave number of any length is bounded, never overflowing the MIDI number.
  EXPECT_EQ(midi_from_note_name("C99999999999999999999999"), 60 + 12 * (100000LL - 4));
  EXPECT_EQ(midi_from_note_name("C-99999999999999999999999"), 60 + 12 * (-100000LL - 4));
}

TEST(NearestNote, RoundsHalfUpWithDeviationFromMinusFiftyBelowFifty) {
  struct Case {
    double midi_number;
    long long note;
    double cents;
    bool in_range;
  };
  const Case cases[] = {
      {69.0, 69, 0.0, true},      {69.5, 70, -50.0, true},       {69.499, 69, 49.9, true},
      {59.75, 60, -25.0, true},   {60.25, 60, 25.0, true},       {-0.5, 0, -50.0, true},
      {-0.51, -1, 49.0, false},   {-1.5, -1, -50.0, false},      {127.49, 127, 49.0, true},
      {127.5, 128, -50.0, false}, {-200.25, -200, -25.0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.midi_number);
    const NearestNote nearest = nearest_note(c.midi_number);
    EXPECT_EQ(nearest.midi_number, c.note);
    EXPECT_NEAR(nearest.deviation_cents, c.cents, 1e-7);
    EXPECT_EQ(nearest.in_midi_range, c.in_range);
  }
}

// Computed through logarithms, an exact semitone or half-semitone must not come out a hair
// away from it (0 cents, and the tie going to the upper note).
TEST(NearestNote, ExactNotesAndTiesSurviveTheLogarithm) {
  for (long long note = -30; note <= 140; ++note) {
    SCOPED_TRACE(note);
    const double on_note_hz = frequency_from_midi(static_cast<double>(note), 440.0);
    const NearestNote on = nearest_note_to_frequency(on_note_hz);
    EXPECT_EQ(on.midi_number, note);
    EXPECT_EQ(on.deviation_cents, 0.0);
    const double tie_hz = frequency_from_midi(static_cast<double>(note) + 0.5, 440.0);
    const NearestNote tie = nearest_note_to_frequency(tie_hz);
    EXPECT_EQ(tie.midi_number, note + 1);
    EXPECT_EQ(tie.deviation_cents, -50.0);
  }
}

// Deviations far below a cent keep all their digits, and those just below +50 stay below it.
// References: mpmath at 50 digits, 69 + 12 * log2(multiple * mpf(f) / mpf(a4)) (plus
// 12 * step / divisions for a step), the nearest note by rounding half up, and the rest in
// cents.
TEST(NearestNote, DeviationsMatchHighPrecisionReferences) {
  struct Case {
    const char* what;
    NearestNote nearest;
    long long note;
    double cents;
  };
  const Case cases[] = {
      {"0.1 uHz above A4", nearest_note_to_frequency(440.0000001), 69, 3.9346237230366545e-07},
      {"0.01 uHz above A4", nearest_note_to_frequency(440.00000001), 69, 3.9346259600131995e-08},
      {"A4 = 432", nearest_note_to_frequency(23249.10409651489, 432), 138, 5.644554177722605e-07},
      {"just below half way", nearest_note_to_frequency(452.89298412), 69, 49.99999998801039},
      {"A4 = 415, just below half way", nearest_note_to_frequency(1917.8854760717131, 415), 95,
       49.99999933539384},
      {"1e300 against 1e-300", nearest_note_to_frequency(1e300, 1e-300), 23987,
       -11.771681099109486},
      {"harmonic 7 of 110 Hz", nearest_note_to_multiple(110, 7), 79, -31.174093530875073},
      {"harmonic 1000 of 27.5 Hz", nearest_note_to_multiple(27.5, 1000), 141, -41.05885840549555},
      {"harmonic 8 of 55.000000001 Hz", nearest_note_to_multiple(55.000000001, 8), 69,
       3.147687348572869e-08},
      // 12 * 11 / 19 semitones above A4: 100 * (132/19 - 7) = -100/19 cents from D#5.
      {"step 11 of 19 from A4", nearest_note_to_step(440, 11, 19), 76, -5.2631578947368425},
      {"step 31 of 53", nearest_note_to_step(100.0000001, 31, 53), 50, 36.88256568414224},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.nearest.midi_number, c.note);
    EXPECT_NEAR(c.nearest.deviation_cents, c.cents, std::fabs(c.cents) * 1e-14);
  }
}

// Deviations at every decade from 1e-15 to 1 cent from a frequency (as BRASKEL computes it),
// and across that range from a third harmonic (LIPRA) and step 7 of 12 (RUMBEL). References: mpmath
// at 50 digits on the doubles as given. Deviations below kSnapSemitones (1e-9 cents) show as
// exactly 0, which agrees with them to every digit shown; every other one keeps its digits.
TEST(NearestNote, DeviationsAtEveryDecadeMatchFiftyDigitReferences) {
  enum Kind { kFrequency, kHarmonic, kStep };
  struct Row {
    Kind kind;
    double frequency_hz, a4_hz;
    long long note;
    double cents;
  };
  const Row rows[] = {
      {kFrequency, 65.40639132512432, 439.9999999998295, 36, 5.6718106800221296253e-15},
      {kFrequency, 65.40639132512433, 439.99999999982964, 36, -6.5497581991872358152e-14},
      {kFrequency, 65.40639132512429, 439.99999999982947, 36, -5.2296164623004627558e-13},
      {kFrequency, 65.40639132514971, 440.0, 36, 1.4289802046599661019e-12},
      {kFrequency, 65.40639132515022, 440.0, 36, 1.4970215882559027806e-11},
      {kFrequency, 65.40639132515533, 440.0, 36, 1.5000642722604665417e-10},
      {kFrequency, 65.40639132520633, 440.0, 36, 1.4999923952248467407e-9},
      {kFrequency, 65.40639132571636, 440.0, 36, 1.4999852075154949359e-8},
      {kFrequency, 65.40639133081669, 440.0, 36, 1.4999995345040800929e-7},
      {kFrequency, 65.40639138181999, 440.0, 36, 1.5000002143330728925e-6},
      {kFrequency, 65.40639189185285, 440.0, 36, 0.000014999999756096791332},
      {kFrequency, 65.40639699218187, 440.0, 36, 0.0001499999999158609236},
      {kFrequency, 65.40644799549389, 440.0, 36, 0.001500000000278200994},
      {kFrequency, 65.40695803080143, 440.0, 36, 0.014999999999818705908},
      {kFrequency, 65.4120586026294, 440.0, 36, 0.14999999999989302751},
      {kFrequency, 65.4630862024589, 440.0, 36, 1.5000000000000631198},
      {kFrequency, 65.4063913251, 440.0, 36, -1.3143277531650373366e-9},
      {kHarmonic, 219.75170460860116, 440.00000000004246, 76, -9.9282056914368961865e-15},
      {kHarmonic, 146.6666666666668, 440.0, 69, 1.5656018985917263357e-12},
      {kHarmonic, 146.66666666679373, 440.0, 69, 1.4998466188502248152e-9},
      {kHarmonic, 146.66666679374364, 440.0, 69, 1.4999999353584040288e-6},
      {kHarmonic, 146.79379871758022, 440.0, 69, 1.4999999999998727657},
      {kStep, 261.62556530049727, 439.9999999998295, 67, 5.6718106800221296253e-15},
      {kStep, 261.62556530059885, 440.0, 67, 1.4289802046599661019e-12},
      {kStep, 261.6255653008253, 440.0, 67, 1.4999923952248467407e-9},
      {kStep, 261.62556552727995, 440.0, 67, 1.5000002143330728925e-6},
      {kStep, 261.8523448098356, 440.0, 67, 1.5000000000000631198},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.frequency_hz << " Hz at A4 = " << row.a4_hz);
    const NearestNote nearest =
        row.kind == kFrequency  ? nearest_note_to_frequency(row.frequency_hz, row.a4_hz)
        : row.kind == kHarmonic ? nearest_note_to_multiple(row.frequency_hz, 3, row.a4_hz)
                                : nearest_note_to_step(row.frequency_hz, 7, 12, row.a4_hz);
    EXPECT_EQ(nearest.midi_number, row.note);
    if (std::fabs(row.cents) < kSnapSemitones * 100) {
      EXPECT_EQ(nearest.deviation_cents, 0.0);
    } else {
      EXPECT_NEAR(nearest.deviation_cents, row.cents, std::fabs(row.cents) * 1e-15);
    }
  }
}

// A pitch within 1e-11 semitones of a note or of half way is taken as exactly there: the
// doubles of exact notes (3 * 146.66666666666666 lies 1.1e-13 cents below A4; the default
// middle C's quarter-tone steps lie 8e-14 cents below half way) show 0 and -50 cents.
TEST(NearestNote, PitchesWithinRoundingOfANoteOrOfHalfWayAreExact) {
  struct Case {
    const char* what;
    NearestNote nearest;
    long long note;
    double cents;
  };
  const double middle_c_hz = 261.6255653005986;
  const Case cases[] = {
      {"harmonic 3 of 146.66666666666666 Hz", nearest_note_to_multiple(146.66666666666666, 3), 69,
       0.0},
      {"step 7 of 12 from middle C", nearest_note_to_step(middle_c_hz, 7, 12), 67, 0.0},
      {"step 1 of 24 from middle C", nearest_note_to_step(middle_c_hz, 1, 24), 61, -50.0},
      {"step 23 of 24 from middle C", nearest_note_to_step(middle_c_hz, 23, 24), 72, -50.0},
      // 2e-8 cents below half way is a deviation, not rounding.
      {"2e-8 cents below half way", nearest_note_to_frequency(452.89298411790446), 69,
       49.99999997999998},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(c.nearest.midi_number, c.note);
    EXPECT_NEAR(c.nearest.deviation_cents, c.cents, 1e-12);
  }
}

// The MIDI number keeps its digits near MIDI 0, where 69 + 12 log2(f / A4) cancels: the
// double nearest to MIDI 0 lies within rounding of it, and 8.1757989156 Hz lies
// -9.255134041970623e-11 semitones from it (mpmath at 50 digits).
TEST(PitchConversion, MidiNumbersNearZeroKeepTheirDigits) {
  EXPECT_EQ(midi_from_frequency(8.175798915643707, 440.0), 0.0);
  EXPECT_NEAR(midi_from_frequency(8.1757989156, 440.0), -9.255134041970623e-11, 1e-24);
}

}  // namespace
}  // namespace quesdral::acoustics
