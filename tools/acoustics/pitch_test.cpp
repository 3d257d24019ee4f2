#include "acoustics/pitch.hpp"

#include <cmath>
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

}  // namespace
}  // namespace quesdral::acoustics
