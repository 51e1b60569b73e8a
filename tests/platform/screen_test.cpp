// Where a canvas lands on the window, how it is scaled, and how window
// points map back to canvas pixels.
#include "platform/screen.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "sdl_env.h"

namespace quendrix {
namespace {

struct FitCase {
  const char* name;
  int32_t canvasW, canvasH, outW, outH, maxTexture;
  int32_t x, y, w, h;
  FitFilter filter;
  int32_t prescale;
};

const FitCase kFits[] = {
    {"Game640On1024", 640, 480, 1024, 768, 0, 0, 0, 1024, 768, FitFilter::kSharp, 2},
    {"WholeDouble", 640, 480, 1280, 960, 0, 0, 0, 1280, 960, FitFilter::kNearest, 2},
    {"WholeWithBarsAboveAndBelow", 640, 480, 1280, 1024, 0, 0, 32, 1280, 960, FitFilter::kNearest,
     2},
    {"WideScreenBarsLeftAndRight", 640, 480, 1920, 1080, 0, 240, 0, 1440, 1080, FitFilter::kSharp,
     3},
    {"OddLeftover", 640, 480, 1366, 768, 0, 171, 0, 1024, 768, FitFilter::kSharp, 2},
    {"Portrait", 640, 480, 768, 1024, 0, 0, 224, 768, 576, FitFilter::kSharp, 2},
    {"TinyWindow", 640, 480, 64, 48, 0, 0, 0, 64, 48, FitFilter::kLinear, 1},
    {"SliverWindowRoundsHalfUp", 640, 480, 10, 100, 0, 0, 46, 10, 8, FitFilter::kLinear, 1},
    {"CanvasLargerThanWindow", 1024, 768, 800, 600, 0, 0, 0, 800, 600, FitFilter::kLinear, 1},
    {"OnePixelCanvas", 1, 1, 1024, 768, 0, 128, 0, 768, 768, FitFilter::kNearest, 768},
    {"TextureLimitDropsTheSharpStep", 640, 480, 1920, 1080, 1024, 240, 0, 1440, 1080,
     FitFilter::kLinear, 1},
    {"TextureLimitLowersTheSharpStep", 640, 480, 1920, 1080, 1280, 240, 0, 1440, 1080,
     FitFilter::kSharp, 2},
};

class Fit : public ::testing::TestWithParam<FitCase> {};

TEST_P(Fit, PlacesTheCanvasAndMapsEveryPixelBack) {
  const FitCase& c = GetParam();
  const CanvasFit f = FitCanvas(c.canvasW, c.canvasH, c.outW, c.outH, c.maxTexture);
  EXPECT_EQ(f.x, c.x);
  EXPECT_EQ(f.y, c.y);
  EXPECT_EQ(f.width, c.w);
  EXPECT_EQ(f.height, c.h);
  EXPECT_EQ(f.filter, c.filter);
  EXPECT_EQ(f.prescale, c.prescale);
  EXPECT_DOUBLE_EQ(f.scale, std::min(static_cast<double>(c.outW) / c.canvasW,
                                     static_cast<double>(c.outH) / c.canvasH));
  // Canvas pixel -> its centre on the output -> the same canvas pixel.
  for (int32_t y = 0; y < c.canvasH; y += std::max(c.canvasH / 7, 1))
    for (int32_t x : {0, c.canvasW / 3, c.canvasW - 1}) {
      double ox = 0, oy = 0;
      CanvasToOutput(f, x, y, ox, oy);
      ASSERT_EQ(OutputToCanvas(f, ox, oy), (CanvasPoint{x, y})) << x << "," << y;
    }
  // Enlarged, the picture's corner pixels on the output are the canvas's
  // corners; the black around lies outside the canvas.
  if (f.scale >= 1) {
    EXPECT_EQ(OutputToCanvas(f, f.x + 0.5, f.y + 0.5), (CanvasPoint{0, 0}));
    EXPECT_EQ(OutputToCanvas(f, f.x + f.width - 0.5, f.y + f.height - 0.5),
              (CanvasPoint{c.canvasW - 1, c.canvasH - 1}));
  }
  if (f.x > 0) {
    EXPECT_LT(OutputToCanvas(f, 0.5, f.y + 0.5).x, 0);
    EXPECT_GE(OutputToCanvas(f, c.outW - 0.5, f.y + 0.5).x, c.canvasW);
  }
  if (f.y > 0) {
    EXPECT_LT(OutputToCanvas(f, f.x + 0.5, 0.5).y, 0);
  }
}

std::string FitName(const ::testing::TestParamInfo<FitCase>& fit) {
  return fit.param.name;
}

INSTANTIATE_TEST_SUITE_P(Screens, Fit, ::testing::ValuesIn(kFits), FitName);

TEST(FitPoints, ScaleOfOnePointSixMapsByFloor) {
  const CanvasFit f = FitCanvas(640, 480, 1024, 768);
  EXPECT_DOUBLE_EQ(f.scale, 1.6);
  EXPECT_EQ(OutputToCanvas(f, 800.5, 400.5), (CanvasPoint{500, 250}));
  EXPECT_EQ(OutputToCanvas(f, 1.5, 1.5), (CanvasPoint{0, 0}));
  EXPECT_EQ(OutputToCanvas(f, 2.5, 2.5), (CanvasPoint{1, 1}));
}

TEST(FitPoints, EmptySizesGiveNoPicture) {
  for (const auto& [cw, ch, ow, oh] : {std::array{0, 480, 1024, 768}, std::array{640, 480, 0, 768},
                                       std::array{640, -1, 1024, 768}}) {
    const CanvasFit f = FitCanvas(cw, ch, ow, oh);
    EXPECT_EQ(f.width, 0);
    EXPECT_EQ(f.height, 0);
    EXPECT_EQ(OutputToCanvas(f, 10, 10), (CanvasPoint{0, 0}));
  }
}

// The real window on SDL's window-less driver (a 1024 x 768 display) with
// the software renderer.
class ScreenWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseDummyDrivers();
    SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
    ASSERT_TRUE(screen.Open(true)) << screen.LastError();
  }
  // A red canvas with one green pixel at (10, 20).
  void DrawFrame() {
    SDL_Renderer* r = screen.BeginFrame(640, 480);
    ASSERT_NE(r, nullptr) << screen.LastError();
    SDL_SetRenderDrawColor(r, 255, 0, 0, 255);
    SDL_RenderClear(r);
    SDL_SetRenderDrawColor(r, 0, 255, 0, 255);
    SDL_RenderDrawPoint(r, 10, 20);
    screen.EndFrame();
  }
  std::vector<uint32_t> Window(int& w, int& h) {
    SDL_GetRendererOutputSize(screen.Renderer(), &w, &h);
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    EXPECT_EQ(SDL_RenderReadPixels(screen.Renderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(),
                                   w * 4),
              0)
        << SDL_GetError();
    for (uint32_t& p : px) p &= 0xFFFFFF;
    return px;
  }
  Screen screen;
};

TEST_F(ScreenWindow, ACanvasFillsTheDisplayAndPointsMapToItsPixels) {
  DrawFrame();
  int w = 0, h = 0;
  const std::vector<uint32_t> px = Window(w, h);
  ASSERT_EQ(w, 1024);
  ASSERT_EQ(h, 768);
  size_t black = 0;
  for (uint32_t p : px) black += p == 0;
  EXPECT_EQ(black, 0u) << "the picture covers the whole display";
  EXPECT_EQ(px[0], 0xFF0000u);
  EXPECT_EQ(px[px.size() - 1], 0xFF0000u);
  // Canvas (10, 20) covers output 16..17 x 32..33: mostly green there.
  const uint32_t g = px[32 * 1024 + 16];
  EXPECT_GT((g >> 8) & 0xFF, (g >> 16) & 0xFF) << std::hex << g;
  EXPECT_EQ(px[32 * 1024 + 40], 0xFF0000u) << "smoothing stays at the pixel's seams";
  EXPECT_EQ(screen.WindowToCanvas(16, 32), (CanvasPoint{10, 20}));
  EXPECT_EQ(screen.WindowToCanvas(1023, 767), (CanvasPoint{639, 479}));
  EXPECT_DOUBLE_EQ(screen.CanvasPerWindowPoint(), 0.625);
}

TEST_F(ScreenWindow, InputIsTimedFromItsOldestEventToTheNextFrame) {
  DrawFrame();
  const uint32_t now = SDL_GetTicks();
  screen.NoteInput(now - 30);
  screen.NoteInput(now - 10);  // the same frame shows both
  screen.Repaint();            // the old picture again: not the input's frame
  DrawFrame();
  DrawFrame();
  const Screen::PaceCounts& p = screen.Pace();
  EXPECT_EQ(p.frames, 3u);
  EXPECT_EQ(p.inputs, 1u);
  EXPECT_GE(p.longestInputDelayMs, 30u);
  EXPECT_EQ(p.inputDelayMs, p.longestInputDelayMs);
}

TEST_F(ScreenWindow, AWindowShowsTheCanvasAtAWholeScaleWithBlackAround) {
  DrawFrame();
  screen.SetFullScreen(false);
  EXPECT_FALSE(screen.FullScreen());
  SDL_SetWindowSize(screen.Window(), 800, 480);
  SDL_PumpEvents();
  screen.Repaint();
  int w = 0, h = 0;
  const std::vector<uint32_t> px = Window(w, h);
  ASSERT_EQ(w, 800);
  ASSERT_EQ(h, 480);
  EXPECT_EQ(px[20 * 800 + 79], 0u) << "black left of the picture";
  EXPECT_EQ(px[20 * 800 + 720], 0u) << "black right of it";
  EXPECT_EQ(px[20 * 800 + 90], 0x00FF00u) << "1:1 and sharp";
  EXPECT_EQ(px[20 * 800 + 91], 0xFF0000u);
  EXPECT_EQ(screen.WindowToCanvas(90, 20), (CanvasPoint{10, 20}));
  EXPECT_LT(screen.WindowToCanvas(40, 20).x, 0);
  screen.SetFullScreen(true);
  EXPECT_TRUE(screen.FullScreen());
}

}  // namespace
}  // namespace quendrix
