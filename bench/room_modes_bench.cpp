// The room-mode search at the sizes the tool meets: a living room at its default limit, a
// hall at the limit that lists just under 10000 modes, and two limits it must refuse (one
// counted exactly, one too large to count, where the count stops at its work budget).
#include <benchmark/benchmark.h>

#include "acoustics/room_modes.hpp"
#include "acoustics/space_time.hpp"

namespace {

using quesdral::acoustics::make_room;
using quesdral::acoustics::search_room_modes;

void search(benchmark::State& state, double length_m, double width_m, double height_m,
            double max_hz) {
  const double speed_m_per_s = quesdral::acoustics::speed_of_sound_m_per_s(20.0).value();
  const auto room = make_room(length_m, width_m, height_m, speed_m_per_s).value();
  std::size_t modes = 0;
  for (auto _ : state) {
    const auto result = search_room_modes(room, max_hz);
    modes = result.too_many ? static_cast<std::size_t>(result.count.modes) : result.modes.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["modes"] = static_cast<double>(modes);
}

void LivingRoom300Hz(benchmark::State& state) {
  search(state, 5, 4, 3, 300);
}
// 230.554 Hz is the highest limit that lists at most 10000 modes of this hall (9999).
void Hall230Hz(benchmark::State& state) {
  search(state, 30, 20, 12, 230.554);
}
void HallRefused1kHz(benchmark::State& state) {
  search(state, 30, 20, 12, 1000);
}
void HugeHallRefused20kHz(benchmark::State& state) {
  search(state, 1000, 1000, 1000, 20000);
}

// The slowest refusals bench/yombric_slowest.py found: sides typed across hundreds of
// decades, whose exact tests run on numbers of a thousand bits.
void FarApartSidesRefused(benchmark::State& state) {
  search(state, 2.61e-300, 0.3995, 1.389e+06, 6.116e+08);
}
void ThinSlabRefused(benchmark::State& state) {
  search(state, 7.5e+3, 8.6e+7, 8e-239, 1.161e+08);
}

// The --summary of the hall refused above, and the slowest summary the search found.
void summarize(benchmark::State& state, double length_m, double width_m, double height_m,
               double max_hz) {
  const double speed_m_per_s = quesdral::acoustics::speed_of_sound_m_per_s(20.0).value();
  const auto room = make_room(length_m, width_m, height_m, speed_m_per_s).value();
  for (auto _ : state)
    benchmark::DoNotOptimize(quesdral::acoustics::summarize_room_modes(room, max_hz));
}
void HallSummary1kHz(benchmark::State& state) {
  summarize(state, 30, 20, 12, 1000);
}
void FarApartSidesSummary(benchmark::State& state) {
  summarize(state, 8.86e-84, 3.968e-94, 7.6e-92, 2.811e+97);
}

BENCHMARK(LivingRoom300Hz)->Unit(benchmark::kMicrosecond);
BENCHMARK(Hall230Hz)->Unit(benchmark::kMillisecond);
BENCHMARK(HallRefused1kHz)->Unit(benchmark::kMillisecond);
BENCHMARK(HugeHallRefused20kHz)->Unit(benchmark::kMillisecond);
BENCHMARK(FarApartSidesRefused)->Unit(benchmark::kMillisecond);
BENCHMARK(ThinSlabRefused)->Unit(benchmark::kMillisecond);
BENCHMARK(HallSummary1kHz)->Unit(benchmark::kMillisecond);
BENCHMARK(FarApartSidesSummary)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
