// The computer players' search, in the same run as the whole frame of play
// (BM_Frame1024 of this program), its reference:
// - BM_SearchSlice: one frame's slice of a master's search (kPuttsPerFrame
//   simulated putts) from the tee of the busiest generated hole; the goal is
//   at most 2 ms a frame, also for the worst slice ("worst_ms", processor
//   time of this thread).
// - BM_MapSlice: one frame's share of building that hole's distance map.
// - BM_FramesToDecide: the frames a master's search (with the map it
//   waits for) takes on the tee shot of every hole of both courses; the
//   counters give the hardest's ("frames", "seconds_at_60"), the label its
//   hole. A master also thinks at least half a second, whatever its search.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <string>

#include "computer/computer_player.h"
#include "computer/putt_search.h"
#include "core/rounding.h"
#include "game/headless_play.h"
#include "generated_holes.h"

namespace quendrix {
namespace {

// A master's one-player game on the generated data, at the tee of `hole`
// with the title card closed: the session as the player's turn finds it.
class TeeShot {
 public:
  explicit TeeShot(const std::string& hole) : play_(Settings(), GeneratedData(), 5) {
    play_.Start();
    play_.session().holeName = hole;
    play_.main().HoleInit();
    play_.Key(vk::kSpace);
    play_.Frames(2);
    const playerrec& b = s().players[s().currentPlayer];
    map.Start(s(), Nearest(b.x), Nearest(b.y), true);
  }
  const GameSession& s() { return play_.session(); }
  DistanceMap map;

 private:
  static LaunchSettings Settings() {
    LaunchSettings settings;
    settings.computer[0] = static_cast<int32_t>(ComputerLevel::kMaster);
    return settings;
  }
  HeadlessPlay play_;
};

// This thread's processor time in milliseconds: a slice's worst case, not
// the other programs' share of a busy machine.
double ThreadMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void BM_SearchSlice(benchmark::State& state) {
  const std::string hole = BusiestHole(GeneratedData());
  if (hole.empty()) {
    state.SkipWithError("no generated holes");
    return;
  }
  TeeShot tee(hole);
  tee.map.Build(DistanceMap::kAll);
  const Strength& master = StrengthOf(ComputerLevel::kMaster);
  PuttSearch search;
  search.Start(tee.s(), master, tee.map);
  int64_t putts = 0;
  double worst = 0;
  for (auto _ : state) {
    if (search.Done()) {
      state.PauseTiming();
      search.Start(tee.s(), master, tee.map);
      state.ResumeTiming();
    }
    const double start = ThreadMs();
    const int64_t before = search.PuttsPlayed();
    search.Step(kPuttsPerFrame);
    putts += search.PuttsPlayed() - before;
    worst = std::max(worst, ThreadMs() - start);
  }
  state.SetLabel(hole);
  state.counters["putts_per_frame"] =
      static_cast<double>(putts) / static_cast<double>(state.iterations());
  state.counters["worst_ms"] = worst;
}
BENCHMARK(BM_SearchSlice)->Unit(benchmark::kMillisecond)->MinTime(2.0)->Repetitions(3);

void BM_MapSlice(benchmark::State& state) {
  const std::string hole = BusiestHole(GeneratedData());
  if (hole.empty()) {
    state.SkipWithError("no generated holes");
    return;
  }
  TeeShot tee(hole);
  const playerrec& b = tee.s().players[1];
  for (auto _ : state) {
    if (tee.map.Done()) {
      state.PauseTiming();
      tee.map.Start(tee.s(), Nearest(b.x), Nearest(b.y), true);
      state.ResumeTiming();
    }
    tee.map.Build(kMapWorkPerFrame);
  }
  state.SetLabel(hole);
}
BENCHMARK(BM_MapSlice)->Unit(benchmark::kMillisecond)->Repetitions(3);

void BM_FramesToDecide(benchmark::State& state) {
  if (BusiestHole(GeneratedData()).empty()) {
    state.SkipWithError("no generated holes");
    return;
  }
  int32_t most = 0;
  std::string hardest;
  for (auto _ : state) {
    for (const char* course : {"course1hole", "course2hole"}) {
      for (int n = 1; n <= 9; ++n) {
        const std::string hole = course + std::to_string(n);
        TeeShot tee(hole);
        int32_t frames = 1;
        while (!tee.map.Build(kMapWorkPerFrame)) ++frames;
        PuttSearch search;
        search.Start(tee.s(), StrengthOf(ComputerLevel::kMaster), tee.map);
        while (!search.Step(kPuttsPerFrame)) ++frames;
        if (frames > most) {
          most = frames;
          hardest = hole;
        }
      }
    }
  }
  state.SetLabel(hardest);
  state.counters["frames"] = most;
  state.counters["seconds_at_60"] = most / 60.0;
}
BENCHMARK(BM_FramesToDecide)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
}  // namespace quendrix
