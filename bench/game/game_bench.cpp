// Physics substeps per second, beside references measured in the same run:
// a bare loop of the cosine-table lookups one substep makes, and a copy of
// one player record.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <string>

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

// A busy hole: a walled 1000 x 800 course with 99 areas of mixed kinds
// (walls of every angle, slopes, ramps, sand, funnel, rough, highlights,
// next-hole texts) spread over it.
std::string BusyHole() {
  std::string text = "[ball]\nx=500\ny=400\n";
  int n = 0;
  const auto area = [&](const std::string& keys) {
    text += "[area" + std::to_string(++n) + "]\nenabled=1\n" + keys;
  };
  area("kind=4\nx1=0\ny1=0\nx2=1000\ny2=0\n");
  area("kind=4\nx1=0\ny1=800\nx2=1000\ny2=800\n");
  area("kind=2\nx1=0\ny1=0\nx2=0\ny2=800\n");
  area("kind=2\nx1=1000\ny1=0\nx2=1000\ny2=800\n");
  const int kinds[] = {1, 15, 23, 2, 16, 8,  3,  17, 14, 4,  18, 9,
                       6, 19, 30, 7, 20, 10, 32, 21, 11, 28, 22};
  for (int i = 0; n < 99; ++i) {
    const int kind = kinds[i % (sizeof kinds / sizeof kinds[0])];
    const int cx = 60 + (i * 97) % 880, cy = 60 + (i * 61) % 680;
    const std::string k = "kind=" + std::to_string(kind) + "\n";
    const std::string c = "x1=" + std::to_string(cx) + "\ny1=" + std::to_string(cy) + "\n";
    if (kind <= 7) {
      area(k + c + "x2=" + std::to_string(cx + 30) + "\ny2=" + std::to_string(cy + 12) + "\n");
    } else if (kind >= 8 && kind <= 11) {
      area(k + c + "x2=" + std::to_string(cx + 40) + "\ny2=" + std::to_string(cy) +
           "\nx3=" + std::to_string(cx + 40) + "\ny3=" + std::to_string(cy + 30) +
           "\nx4=" + std::to_string(cx) + "\ny4=" + std::to_string(cy + 30) + "\n");
    } else {
      area(k + c + "r=" + std::to_string(20 + i % 30) + "\np1=40\n");
    }
  }
  return text;
}

// Four balls rolling on the busy hole; a ball that stops (or drops into
// something) is put back and shot again. One item is one ball substep.
void BM_PhysicsBusyHole(benchmark::State& state) {
  LaunchSettings settings;
  settings.whencollide = 1;
  auto session = std::make_unique<GameSession>(settings, nullptr, 1);
  GameSession& s = *session;
  s.playerCount = 4;
  LoadHoleText(s, BusyHole());
  ResetPlayersForHole(s);
  Pcg32 shots(7, 3);
  for (int32_t p = 1; p <= 4; ++p) s.players[p].inPlay = true;
  for (auto _ : state) {
    for (int32_t p = 1; p <= 4; ++p) {
      playerrec& b = s.players[p];
      if (!b.moving || b.inCup || b.inPipe || b.lost) {
        b = playerrec{};
        b.inPlay = true;
        b.x = 40 + shots.RandomBelow(920);
        b.y = 40 + shots.RandomBelow(720);
        b.direction = shots.RandomBelow(256);
        b.speed = 1 + shots.RandomBelow(300) / 100.0;
        StartShot(s, p, true);
      }
      BallSubstep(s, p);
    }
    benchmark::DoNotOptimize(s.players[1].x);
  }
  state.SetItemsProcessed(state.iterations() * 4);
}
BENCHMARK(BM_PhysicsBusyHole);

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
