// FLIC playback costs: decoding (FFmpeg), the 8-bit to 32-bit paint and
// presenting through SDL's software renderer into a 640 x 480 target (the
// launch pad's canvas), against memcpy of the same 32-bit frames.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "core/program_folder.h"
#include "widgets/flic_player.h"
#include "widgets/flic_presenter.h"

namespace {

using namespace quendrix;

constexpr int kW = 640, kH = 480;

std::string DataFile(const char* name) {
  return (ExecutableFolder().parent_path() / "bin" / name).string();
}

struct SoftwareTarget {
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(surface);
  ~SoftwareTarget() {
    SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(surface);
  }
};

// One background frame: the clock moves one frame on, the tick decodes and
// paints it, the presenter uploads it and copies it into the target.
void BM_LoopFrameDecodePresent(benchmark::State& state) {
  ManualClock clock;
  FlicPlayer player(clock);
  player.SetFileName(DataFile("interface_loop.flc"));
  SoftwareTarget target;
  FlicPresenter presenter;
  if (!player.Play() || target.renderer == nullptr) {
    state.SkipWithError("no interface_loop.flc or no software renderer");
    return;
  }
  for (auto _ : state) {
    clock.Advance(static_cast<uint32_t>(player.SpeedMs()));
    player.Tick();
    presenter.Draw(target.renderer, player, kW, kH);
    benchmark::DoNotOptimize(target.surface->pixels);
  }
  state.SetLabel("software renderer, 640x480 ARGB8888 target");
}
BENCHMARK(BM_LoopFrameDecodePresent)->Unit(benchmark::kMicrosecond);

// Decoding and painting alone (no presenting).
void BM_LoopFrameDecode(benchmark::State& state) {
  ManualClock clock;
  FlicPlayer player(clock);
  player.SetFileName(DataFile("interface_loop.flc"));
  if (!player.Play()) {
    state.SkipWithError("no interface_loop.flc");
    return;
  }
  for (auto _ : state) {
    clock.Advance(static_cast<uint32_t>(player.SpeedMs()));
    player.Tick();
    benchmark::DoNotOptimize(player.Picture());
  }
}
BENCHMARK(BM_LoopFrameDecode)->Unit(benchmark::kMicrosecond);

// The reference: one 32-bit 640 x 480 frame copied with memcpy.
void BM_MemcpyFrame(benchmark::State& state) {
  std::vector<uint32_t> src(kW * kH, 0xFF102030u), dst(kW * kH);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), src.size() * 4);
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyFrame)->Unit(benchmark::kMicrosecond);

// The panel change as the launch pad runs it: file name, play, frames
// 1 ... 30 each painted at once (opening the file included).
void BM_PanelChangeThirtyFrames(benchmark::State& state) {
  ManualClock clock;
  FlicPlayer player(clock);
  const std::string path = DataFile("interface.flc");
  for (auto _ : state) {
    player.SetFileName(path);
    player.Play();
    for (int n = 1; n <= 30; ++n)
      if (!player.ShowFrame(n)) state.SkipWithError("interface.flc has fewer than 30 frames");
    player.Stop();
    benchmark::DoNotOptimize(player.Picture());
  }
}
BENCHMARK(BM_PanelChangeThirtyFrames)->Unit(benchmark::kMillisecond);

// The reference: thirty such frames copied with memcpy.
void BM_MemcpyThirtyFrames(benchmark::State& state) {
  std::vector<uint32_t> src(kW * kH, 0xFF102030u), dst(kW * kH);
  for (auto _ : state) {
    for (int n = 0; n < 30; ++n) {
      std::memcpy(dst.data(), src.data(), src.size() * 4);
      benchmark::ClobberMemory();
    }
    benchmark::DoNotOptimize(dst.data());
  }
}
BENCHMARK(BM_MemcpyThirtyFrames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
