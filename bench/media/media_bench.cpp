// The per-frame hot path: colour-keyed copies and blends of full 1024x768
// RGB565 frames, each beside plain memcpy of the same bytes and SDL's own
// blitter on the same picture. A summary table with the ratios follows the
// usual output.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/random.h"
#include "media/blit.h"
#include "media/image_list.h"
#include "media/surface.h"

namespace {

using quendrix::TDirectDrawSurface;
using quendrix::TRect;

constexpr int kW = 1024, kH = 768;
constexpr uint16_t kKey = 0xF81F;  // fuchsia

// A picture like the game's sprites and overlays: colour runs with about a
// quarter of the pixels transparent (fuchsia, the colour key).
quendrix::TPictureCollectionItem MakeItem(int w, int h) {
  quendrix::Pcg32 rng(7, quendrix::kVisualStream);
  quendrix::TPictureCollectionItem item;
  item.picture = quendrix::Bitmap(w, h);
  item.transparentColor = quendrix::clFuchsia;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w;) {
      const int run = 1 + rng.RandomBelow(24);
      const quendrix::TColor c =
          rng.RandomBelow(4) == 0 ? quendrix::clFuchsia : (rng.Next32() & 0xF0F0F0);
      for (int i = 0; i < run && x < w; ++i, ++x) item.picture.SetPixel(x, y, c);
    }
  }
  item.BuildSurface();  // as the image list does when the display opens
  return item;
}

struct Frames {
  TDirectDrawSurface back{kW, kH};
  quendrix::TPictureCollectionItem picture = MakeItem(kW, kH);
  quendrix::TPictureCollectionItem half = MakeItem(kW / 2, kH / 2);
  Frames() { back.FillRaw(0x4208); }
};

Frames& F() {
  static Frames f;
  return f;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * int64_t{kW} * kH * 2);
}

void BM_Memcpy(benchmark::State& state) {
  auto& f = F();
  for (auto _ : state) {
    std::memcpy(f.back.Row(0), f.picture.Surface()->Row(0), size_t{kW} * kH * 2);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}
BENCHMARK(BM_Memcpy)->Name("reference/memcpy 1024x768x16");

void BM_DrawPatternKeyed(benchmark::State& state) {
  auto& f = F();
  for (auto _ : state) {
    f.picture.DrawPattern(f.back, 0, 0, 0);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}
BENCHMARK(BM_DrawPatternKeyed)->Name("quendrix/DrawPattern keyed");

void BM_Blend(benchmark::State& state, bool add, bool scaled) {
  auto& f = F();
  const auto& item = scaled ? f.half : f.picture;
  for (auto _ : state) {
    if (add) {
      item.DrawPatternAdd(f.back, {0, 0, kW, kH}, 0, 128);
    } else {
      item.DrawPatternAlpha(f.back, {0, 0, kW, kH}, 0, 128);
    }
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}
BENCHMARK_CAPTURE(BM_Blend, add, true, false)->Name("quendrix/DrawPatternAdd 128");
BENCHMARK_CAPTURE(BM_Blend, alpha, false, false)->Name("quendrix/DrawPatternAlpha 128");
BENCHMARK_CAPTURE(BM_Blend, add2x, true, true)->Name("quendrix/DrawPatternAdd 128 2x");
BENCHMARK_CAPTURE(BM_Blend, alpha2x, false, true)->Name("quendrix/DrawPatternAlpha 128 2x");

void BM_Fill(benchmark::State& state) {
  auto& f = F();
  for (auto _ : state) {
    f.back.FillRaw(0x4208);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}
BENCHMARK(BM_Fill)->Name("quendrix/FillRaw");

// SDL surfaces over the same pixels. The blends run on a destination that
// saturates after a few rounds; neither our kernels nor SDL's branch on the
// pixel values, so the figures are not flattered by it.
struct SdlFrames {
  SDL_Surface* back;
  SDL_Surface* picture;
  SdlFrames() {
    auto& f = F();
    back = SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 16, SDL_PIXELFORMAT_RGB565);
    // SDL only reads the source pixels.
    auto* pixels = const_cast<uint16_t*>(f.picture.Surface()->Row(0));
    picture =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels, kW, kH, 16, kW * 2, SDL_PIXELFORMAT_RGB565);
  }
};

SdlFrames& S() {
  static SdlFrames s;
  return s;
}

enum class SdlMode { kPlain, kKeyed, kAdd, kAlpha };

void BM_SdlBlit(benchmark::State& state, SdlMode mode) {
  auto& s = S();
  SDL_SetColorKey(s.picture, mode == SdlMode::kPlain ? SDL_FALSE : SDL_TRUE, kKey);
  SDL_SetSurfaceBlendMode(s.picture, mode == SdlMode::kAdd     ? SDL_BLENDMODE_ADD
                                     : mode == SdlMode::kAlpha ? SDL_BLENDMODE_BLEND
                                                               : SDL_BLENDMODE_NONE);
  SDL_SetSurfaceAlphaMod(s.picture, mode == SdlMode::kAdd || mode == SdlMode::kAlpha ? 128 : 255);
  for (auto _ : state) {
    SDL_Rect dst{0, 0, kW, kH};
    SDL_BlitSurface(s.picture, nullptr, s.back, &dst);
    benchmark::ClobberMemory();
  }
  SetBytes(state);
}
BENCHMARK_CAPTURE(BM_SdlBlit, plain, SdlMode::kPlain)->Name("reference/SDL_BlitSurface plain");
BENCHMARK_CAPTURE(BM_SdlBlit, keyed, SdlMode::kKeyed)->Name("reference/SDL_BlitSurface keyed");
BENCHMARK_CAPTURE(BM_SdlBlit, add, SdlMode::kAdd)->Name("reference/SDL_BlitSurface additive 128");
BENCHMARK_CAPTURE(BM_SdlBlit, alpha, SdlMode::kAlpha)->Name("reference/SDL_BlitSurface alpha 128");

// Collects each benchmark's CPU time per iteration for the summary (the
// machine may be shared; CPU time is what the draw itself costs).
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, double> ns;
  std::set<std::string> medians;
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const auto& r : runs) {
      // With repetitions the median stands for the benchmark; alone, the run itself.
      if (r.run_type == Run::RT_Aggregate && r.aggregate_name == "median") {
        ns[r.run_name.function_name] = r.GetAdjustedCPUTime();
        medians.insert(r.run_name.function_name);
      } else if (r.run_type == Run::RT_Iteration && !medians.count(r.run_name.function_name)) {
        ns[r.run_name.function_name] = r.GetAdjustedCPUTime();
      }
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  // QUENDRIX_BLIT=avx2 (or sse2, scalar) measures older processors' kernels.
  if (const char* kernels = std::getenv("QUENDRIX_BLIT");
      kernels && !quendrix::blit::SelectKernels(kernels))
    std::fprintf(stderr, "QUENDRIX_BLIT=%s: not available here, using %s\n", kernels,
                 quendrix::blit::KernelName());
  // Five repetitions by default, reported as their median: the machine may be
  // busy with other work, and one slow repetition should not decide a figure.
  std::vector<char*> args(argv, argv + argc);
  std::string reps = "--benchmark_repetitions=5",
              aggregates = "--benchmark_display_aggregates_only=true";
  bool haveReps = false;
  for (int i = 1; i < argc; ++i)
    haveReps |= std::string(argv[i]).rfind("--benchmark_repetitions", 0) == 0;
  if (!haveReps) {
    args.push_back(reps.data());
    args.push_back(aggregates.data());
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  SummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto get = [&](const std::string& name) {
    auto it = reporter.ns.find(name);
    return it == reporter.ns.end() ? 0.0 : it->second;
  };
  const double memcpyNs = get("reference/memcpy 1024x768x16");
  const double sdlAdd = get("reference/SDL_BlitSurface additive 128");
  if (memcpyNs <= 0) return 0;
  std::printf("\nSummary (kernels: %s)\n", quendrix::blit::KernelName());
  std::printf("%-40s %10s %10s %12s\n", "draw", "us/frame", "x memcpy", "SDL add / x");
  auto row = [&](const char* label, const std::string& name, bool blend) {
    double t = get(name);
    if (t <= 0) return;
    std::printf("%-40s %10.1f %10.2f", label, t / 1000.0, t / memcpyNs);
    if (blend && sdlAdd > 0) std::printf(" %12.1f", sdlAdd / t);
    std::printf("\n");
  };
  row("memcpy (reference)", "reference/memcpy 1024x768x16", false);
  row("FillRaw", "quendrix/FillRaw", false);
  row("DrawPattern colour-keyed", "quendrix/DrawPattern keyed", false);
  row("DrawPatternAdd 128", "quendrix/DrawPatternAdd 128", true);
  row("DrawPatternAlpha 128", "quendrix/DrawPatternAlpha 128", true);
  row("DrawPatternAdd 128, 2x scaled", "quendrix/DrawPatternAdd 128 2x", true);
  row("DrawPatternAlpha 128, 2x scaled", "quendrix/DrawPatternAlpha 128 2x", true);
  row("SDL_BlitSurface plain (reference)", "reference/SDL_BlitSurface plain", false);
  row("SDL_BlitSurface keyed (reference)", "reference/SDL_BlitSurface keyed", false);
  row("SDL_BlitSurface additive (reference)", "reference/SDL_BlitSurface additive 128", true);
  row("SDL_BlitSurface alpha (reference)", "reference/SDL_BlitSurface alpha 128", true);
  return 0;
}
