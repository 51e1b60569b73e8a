// The helpers sit in the innermost physics loop: an angle, two distances and
// a few table reads per area per substep.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/angles.h"
#include "core/random.h"

namespace {

void BM_BinAngle(benchmark::State& state) {
  double dx = 1.25, dy = -0.75;
  for (auto _ : state) {
    benchmark::DoNotOptimize(quendrix::BinAngle(dx, dy));
    dx += 0.001;
  }
}
BENCHMARK(BM_BinAngle);

// Reference: the bare library call the helper wraps.
void BM_Atan2Reference(benchmark::State& state) {
  double dx = 1.25, dy = -0.75;
  for (auto _ : state) {
    benchmark::DoNotOptimize(std::atan2(dy, dx));
    dx += 0.001;
  }
}
BENCHMARK(BM_Atan2Reference);

void BM_ViewDistance(benchmark::State& state) {
  int32_t x = 0;
  for (auto _ : state) benchmark::DoNotOptimize(quendrix::ViewDistance(x++ & 1023, 10, 500, 400));
}
BENCHMARK(BM_ViewDistance);

void BM_RandomBelow(benchmark::State& state) {
  quendrix::Pcg32 rng(1, quendrix::kPlayStream);
  for (auto _ : state) benchmark::DoNotOptimize(rng.RandomBelow(256));
}
BENCHMARK(BM_RandomBelow);

}  // namespace

BENCHMARK_MAIN();
