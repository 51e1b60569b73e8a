// The end of a frame on a 1024 x 768 window (SDL's window-less driver, its
// software renderer), each beside references measured in the same run:
// - BM_EndFrame/640: an empty 640 x 480 canvas scaled to the whole window
//   (the sharp step: nearest to 1280 x 960, then smoothed down) and
//   presented; /512 is a whole scale of 2 (nearest), /1024 is 1:1.
// - BM_PlayPresent/640: the play screen's present: the RGB565 back surface
//   uploaded, converted into the canvas at 1:1 and shown the same way;
//   /1024 fills the window at 1:1.
// - BM_RenderCopyOneToOne (reference): SDL's own copy of the same 640 x 480
//   texture at 1:1 into the window, and present.
// - BM_RenderCopyNearestStretch (reference): SDL's own nearest-sample
//   stretch of it over the whole window, and present.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "media/display.h"
#include "media/surface.h"
#include "platform/screen.h"
#include "platform/sdl_display.h"

namespace quendrix {
namespace {

// One window for every benchmark, as for the whole run of the game.
Screen& TheScreen() {
  static Screen* screen = [] {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    auto* s = new Screen;
    if (!s->Open(true)) std::abort();
    return s;
  }();
  return *screen;
}

// A 640 x 480 RGB565 picture with something in it.
SDL_Texture* Picture(int w, int h) {
  SDL_Texture* t = SDL_CreateTexture(TheScreen().Renderer(), SDL_PIXELFORMAT_RGB565,
                                     SDL_TEXTUREACCESS_STREAMING, w, h);
  std::vector<uint16_t> px(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < px.size(); ++i) px[i] = static_cast<uint16_t>(i * 2654435761u >> 7);
  SDL_UpdateTexture(t, nullptr, px.data(), w * 2);
  return t;
}

void BM_EndFrame(benchmark::State& state) {
  Screen& screen = TheScreen();
  const auto w = static_cast<int32_t>(state.range(0)), h = w * 3 / 4;
  for (auto _ : state) {
    screen.BeginFrame(w, h);
    screen.EndFrame();
  }
  state.counters["filter"] = static_cast<double>(screen.Fit().filter);
}
BENCHMARK(BM_EndFrame)->Arg(640)->Arg(512)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_PlayPresent(benchmark::State& state) {
  Screen& screen = TheScreen();
  SdlDisplay display(screen);
  const auto w = static_cast<int32_t>(state.range(0)), h = w * 3 / 4;
  if (!display.Open({w, h, 16}, true)) std::abort();
  TDirectDrawSurface back;
  back.SetSize(w, h);
  back.FillRaw(0x7BEF);
  PresentRequest request;
  request.dest = {0, 0, w, h};
  for (auto _ : state) display.Present(back, request);
}
BENCHMARK(BM_PlayPresent)->Arg(640)->Arg(1024)->Unit(benchmark::kMicrosecond);

void BM_RenderCopyOneToOne(benchmark::State& state) {
  SDL_Renderer* r = TheScreen().Renderer();
  SDL_Texture* t = Picture(640, 480);
  const SDL_Rect dest{192, 144, 640, 480};
  for (auto _ : state) {
    SDL_RenderClear(r);
    SDL_RenderCopy(r, t, nullptr, &dest);
    SDL_RenderPresent(r);
  }
  SDL_DestroyTexture(t);
}
BENCHMARK(BM_RenderCopyOneToOne)->Unit(benchmark::kMicrosecond);

void BM_RenderCopyNearestStretch(benchmark::State& state) {
  SDL_Renderer* r = TheScreen().Renderer();
  SDL_Texture* t = Picture(640, 480);
  SDL_SetTextureScaleMode(t, SDL_ScaleModeNearest);
  for (auto _ : state) {
    SDL_RenderClear(r);
    SDL_RenderCopy(r, t, nullptr, nullptr);
    SDL_RenderPresent(r);
  }
  SDL_DestroyTexture(t);
}
BENCHMARK(BM_RenderCopyNearestStretch)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quendrix

BENCHMARK_MAIN();
