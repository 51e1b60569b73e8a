// Physics substeps per second, beside references measured in the same run:
// a bare loop of the cosine-table lookups one substep makes, and a copy of
// one player record.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

#include "core/angles.h"
#include "game/ball_motion.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"

namespace {

using namespace quendrix;

// One ball rolling on an empty hole; it is shot again whenever it stops.
void BM_BallSubsteps(benchmark::State& state) {
  LaunchSettings settings;
  auto session = std::make_unique<GameSession>(settings, nullptr, 1);
  GameSession& s = *session;
  s.playerCount = 1;
  LoadHoleText(s, "[ball]\nx=400\ny=300\n");
  ResetPlayersForHole(s);
  s.players[1].inPlay = true;
  int32_t direction = 17;
  for (auto _ : state) {
    playerrec& b = s.players[1];
    if (!b.moving) {
      b.x = 400;
      b.y = 300;
      b.direction = direction;
      b.speed = 4.0;
      direction += 37;
      StartShot(s, 1, true);
    }
    BallSubstep(s, 1);
    benchmark::DoNotOptimize(b.x);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BallSubsteps);

// Reference: the eight table lookups of one substep (velocity, push, roll)
// in a bare loop.
void BM_Reference_CosTableLookups(benchmark::State& state) {
  int32_t a = 0;
  double sum = 0;
  for (auto _ : state) {
    for (int i = 0; i < 4; ++i) {
      sum += BinCos(a + i) + BinSin(a - i);
    }
    ++a;
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Reference_CosTableLookups);

// Reference: copying the bytes of one player record per iteration.
void BM_Reference_PlayerrecCopy(benchmark::State& state) {
  struct Plain {
    unsigned char bytes[sizeof(playerrec)];
  };
  Plain from{}, to{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(&from);
    std::memcpy(&to, &from, sizeof to);
    benchmark::DoNotOptimize(&to);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Reference_PlayerrecCopy);

}  // namespace

BENCHMARK_MAIN();
