#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "acoustics/synthesis.hpp"
#include "cli/rendering.hpp"
#include "gtest/gtest.h"
#include "render/svg_document.hpp"
#include "render/wav_rendering.hpp"

namespace quesdral::render {
namespace {

TEST(WavFile, HeaderIsTheCanonicalPcmLayout) {
  // RIFF size 40, "fmt " size 16, PCM 1, 1 channel, 48000 Hz (0xBB80), 96000 bytes/s
  // (0x017700), block 2, 16 bits, data size 4; then the samples little-endian.
  const std::string expected(
      "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x80\xBB\0\0\0\x77\x01\0\x02\0\x10\0"
      "data\x04\0\0\0\x01\0\x00\x80",
      48);
  EXPECT_EQ(wav_file_bytes({1, -32768}), expected);
}

TEST(NumberedPath, TakesTheLineBeforeTheExtension) {
  struct Case {
    const char* path;
    std::size_t line;
    const char* numbered;
  } cases[] = {
      {"out.wav", 0, "out.wav"},
      {"out.wav", 3, "out-3.wav"},
      {"out", 12, "out-12"},
      {"a/b.c.svg", 1, "a/b.c-1.svg"},
      {"dir.d/out", 2, "dir.d/out-2"},
      {"dir.d\\out", 2, "dir.d\\out-2"},
      {"sounds/.wav", 4, "sounds/.wav-4"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(cli::numbered_path(c.path, c.line), c.numbered) << c.path << " " << c.line;
}

// Sidebands count while |J_k(index)| >= 1e-5: J_6(1) = 2.0938e-5, J_7(1) = 1.5023e-6
// (published tables), so at index 1 the sixth sideband counts and the seventh does not.
TEST(ComponentsOutOfRange, NamesTheFirstAtOrAboveHalfTheSampleRate) {
  struct Case {
    double frequency_hz;
    double modulator_hz;
    double index;
    std::optional<std::string> name;
    double found_hz;
  } cases[] = {
      {23999.99, 0, 0, std::nullopt, 0},
      {24000, 0, 0, "the tone", 24000},
      {17000, 1000, 1, std::nullopt, 0},  // sideband +7 at 24000 Hz is negligible
      {18000, 1000, 1, "sideband +6 of the tone", 24000},
  };
  for (const Case& c : cases) {
    const acoustics::Sound sound{
        {{{{"the tone", c.frequency_hz, 1.0, false, c.modulator_hz, c.index}}}}};
    const auto found = acoustics::first_component_out_of_range(sound);
    ASSERT_EQ(found.has_value(), c.name.has_value()) << c.frequency_hz;
    if (found) {
      EXPECT_EQ(found->name, *c.name);
      EXPECT_EQ(found->frequency_hz, c.found_hz);
    }
  }
}

TEST(Synthesis, EachSoundPeaksAtMinusOneDbfsBetweenSilentEnds) {
  // -1 dBFS of a 16-bit full scale of 32768 is 29204.5, and the quieter second tone is
  // raised to the same peak.
  const acoustics::Sound sound{{{{{"a", 440.0, 1.0}}}, {{{"b", 1000.0, 0.1}}}}};
  const std::vector<std::int16_t> samples = acoustics::synthesize(sound, 4800, -1.0);
  ASSERT_EQ(samples.size(), 9600u);
  for (const std::size_t start : {std::size_t{0}, std::size_t{4800}}) {
    int peak = 0;
    for (std::size_t n = start; n < start + 4800; ++n)
      peak = std::max(peak, std::abs(static_cast<int>(samples[n])));
    EXPECT_EQ(peak, 29205);
    EXPECT_EQ(samples[start], 0);
    EXPECT_EQ(samples[start + 4799], 0);
  }
}

TEST(ChartTicks, FallOnRoundValues) {
  struct Case {
    double min, max;
    int count;
    std::vector<std::string> labels;
  } cases[] = {
      {0, 1.1, 5, {"0", "0.5", "1"}},
      {0, 1650, 8, {"0", "500", "1000", "1500"}},
      {-50, 50, 5, {"-40", "-20", "0", "20", "40"}},
      {0.5, 3.5, 10, {"0.5", "1", "1.5", "2", "2.5", "3", "3.5"}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> labels;
    for (const Tick& tick : linear_ticks(c.min, c.max, c.count))
      labels.push_back(tick.label);
    EXPECT_EQ(labels, c.labels) << c.min << " " << c.max;
  }
  std::vector<std::string> logarithmic;
  for (const Tick& tick : log_ticks(28.2, 355))
    logarithmic.push_back(tick.label);
  EXPECT_EQ(logarithmic, (std::vector<std::string>{"50", "100", "200"}));
}

}  // namespace
}  // namespace quesdral::render
