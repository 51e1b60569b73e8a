// BM_Frame1024: one whole frame of the play screen at 1024 x 768 (physics of
// four rolling balls, camera, course picture, effects, balls with their
// overlay, aiming aids, pointer), beside a plain memcpy of one frame's
// pixels measured in the same run. Presenting is the platform's upload and
// is left out: the display here takes the frame and does nothing with it.
//
// The hole is the busiest of the generated data (most areas) when the data
// folder holds the holes (build/<tree>/bin beside this program's folder, or
// $QUENDRIX_BENCH_DATA); otherwise a busy synthetic hole.
// BM_Frame1024/1 adds the worst the effect stores can do: all 50 course-effect
// slots in view (plain, additive, subtractive and glowing pictures of the
// sizes the holes use), all 33 particles flying and the 40 drifting sprites.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/program_folder.h"
#include "game/ball_motion.h"
#include "game/effects.h"
#include "game/headless_play.h"
#include "game/hole_file.h"
#include "generated_holes.h"
#include "media/display.h"
#include "play_data.h"

namespace quendrix {
namespace {

class NullDisplay final : public DisplayDevice {
 public:
  std::vector<DisplayMode> ListModes() override { return {}; }
  bool Open(const DisplayMode& mode, bool) override {
    mode_ = mode;
    return true;
  }
  void Close() override {}
  int32_t ClientWidth() const override { return mode_.width; }
  int32_t ClientHeight() const override { return mode_.height; }
  void Present(const TDirectDrawSurface&, const PresentRequest&) override {}

 private:
  DisplayMode mode_;
};

// A busy synthetic hole: a 1600 x 1200 course with all 99 areas in use
// (walls round the edge and across, slopes, sand, rough patches), a
// foreground overlay over a third of the cells and the decorations slots.
std::string BusyHole() {
  std::string text = "[ball]\nx=800\ny=600\n[course]\npar=4\n";
  int32_t n = 0;
  auto area = [&](const std::string& body) {
    ++n;
    text += "[area" + std::to_string(n) + "]\nenabled=1\n" + body;
  };
  area("kind=5\nx1=1400\ny1=1000\nr=8\nx2=1388\ny2=994\ncomment=course1hole2\n");
  area("kind=4\nx1=40\ny1=40\nx2=1560\ny2=40\n");
  area("kind=4\nx1=40\ny1=1160\nx2=1560\ny2=1160\n");
  area("kind=2\nx1=40\ny1=40\nx2=40\ny2=1160\n");
  area("kind=2\nx1=1560\ny1=40\nx2=1560\ny2=1160\n");
  while (n < 99) {
    const int32_t k = n;
    const int32_t x = 120 + (k * 137) % 1360, y = 120 + (k * 91) % 960;
    switch (k % 4) {
      case 0:
        area("kind=" + std::to_string(15 + k % 8) + "\nx1=" + std::to_string(x) + "\ny1=" +
             std::to_string(y) + "\nx2=" + std::to_string(x + 60) + "\ny2=" + std::to_string(y) +
             "\nx3=" + std::to_string(x + 60) + "\ny3=" + std::to_string(y + 40) +
             "\nx4=" + std::to_string(x) + "\ny4=" + std::to_string(y + 40) + "\n");
        break;
      case 1:
        area("kind=23\nx1=" + std::to_string(x) + "\ny1=" + std::to_string(y) + "\nr=30\n");
        break;
      case 2:
        area("kind=" + std::to_string(k % 8 < 4 ? 2 : 4) + "\nx1=" + std::to_string(x) +
             "\ny1=" + std::to_string(y) + "\nx2=" + std::to_string(x + (k % 8 < 4 ? 0 : 80)) +
             "\ny2=" + std::to_string(y + (k % 8 < 4 ? 80 : 0)) + "\n");
        break;
      default:
        area("kind=32\np1=160\nx1=" + std::to_string(x) + "\ny1=" + std::to_string(y) + "\nr=25\n");
        break;
    }
  }
  return text;
}

struct BusyPlay {
  BusyPlay() {
    const std::filesystem::path data = GeneratedData();
    hole = BusiestHole(data);
    LaunchSettings settings;
    settings.screen640 = false;
    settings.screen1024 = true;
    settings.players = 3;
    settings.whencollide = 1;
    if (!hole.empty()) {
      play = std::make_unique<HeadlessPlay>(settings, data, 7);
      play->main().DXDraw.SetDevice(&display);
      return;
    }
    hole = "course2hole8";
    playdata::WriteInterfaceData(dir.path());
    playdata::HoleArt art{1600, 1200, {}};
    for (int32_t r = 0; r < 50; ++r)
      for (int32_t c = r % 3; c < 66; c += 3) art.overlayCells.emplace_back(c, r);
    playdata::WriteHole(dir.path(), "course1hole1", BusyHole(), art);
    playdata::WriteHole(dir.path(), hole, BusyHole(), art);
    play = std::make_unique<HeadlessPlay>(settings, dir.path(), 7);
    play->main().DXDraw.SetDevice(&display);
  }

  // Keeps all four balls in play and rolling; a holed ball goes back to
  // where it started.
  void Kick(int32_t frame) {
    GameSession& s = play->session();
    for (int32_t p = 1; p <= 4; ++p) {
      playerrec& b = s.players[p];
      if (frame == 0) tee[p - 1] = {b.x, b.y};
      if (!b.inPlay || b.inCup) {
        b = playerrec{};
        b.x = b.prevX = b.safeX = tee[p - 1].x;
        b.y = b.prevY = b.safeY = tee[p - 1].y;
      }
      b.inPlay = true;
      if (b.moving || b.lost || b.inCup || b.inPipe) continue;
      b.direction = (frame * 37 + p * 64) & 255;
      b.speed = 3.5;
      StartShot(s, p, false);
    }
  }

  // Effect pictures the size of the holes' own, after the hole's items:
  // hit flash, burst, extra-stroke flash, decoration.
  static constexpr int32_t kFirstBusyImage = 20;
  void AddEffectPictures() {
    TDXImageList& course = play->main().course;
    if (course.Items.Count() >= kFirstBusyImage + 4) return;
    while (course.Items.Count() < kFirstBusyImage) course.Items.Add();
    const struct {
      int32_t w, h, patterns;
      TColor colour;
    } sizes[] = {{60, 60, 6, MakeColor(248, 200, 96)},
                 {110, 110, 8, MakeColor(96, 248, 160)},
                 {160, 124, 8, MakeColor(248, 232, 128)},
                 {40, 40, 8, MakeColor(200, 120, 64)}};
    for (const auto& size : sizes) {
      PictureItemData data;
      data.picture = Bitmap(size.w * size.patterns, size.h, size.colour);
      // A clear rim, as drawn sprites have.
      for (int32_t x = 0; x < size.w * size.patterns; ++x)
        for (int32_t y = 0; y < size.h; ++y)
          if (x % size.w < 4 || y < 4 || y >= size.h - 4) data.picture.SetPixel(x, y, clBlack);
      data.patternWidth = size.w;
      data.patternHeight = size.h;
      TPictureCollectionItem& item = course.Items.Add();
      item = TPictureCollectionItem(std::move(data));
      item.BuildSurface();
    }
  }

  // Every course-effect slot used and in view, every particle flying. The
  // ring slots get transient effects, the fixed ones looping decorations.
  void FillEffects(int32_t frame) {
    AddEffectPictures();
    GameSession& s = play->session();
    for (int32_t slot = 1; slot <= kCourseEffectSlots; ++slot) {
      courseEffect& e = s.courseEffects[slot];
      if (e.x != 0 || e.y != 0) continue;
      e.x = s.scrollX + 8 + (slot * 193) % 880;
      e.y = s.scrollY + 8 + (slot * 131) % 640;
      e.image = kFirstBusyImage + slot % 4;
      e.looping = slot > kEffectRingSlots;
      // Additive flashes, subtractive shadows, plain decorations, glows.
      e.blend = slot % 5 == 0 ? -192 : slot % 5 == 4 ? 0 : 192;
      e.pulse = slot % 10 == 4 ? 4 : 0;
    }
    for (int32_t i = 1; i <= kParticleCount; ++i) {
      Particle& p = s.particles[i];
      if (p.active) continue;
      const playerrec& b = s.players[1 + i % 4];
      p = Particle{};
      p.active = true;
      p.x = b.x;
      p.y = b.y;
      p.z = 20;
      p.heading = (frame * 13 + i * 29) & 255;
      p.speed = 1 + i % 4;
      p.rise = 2 + i % 3;
      p.bouncesLeft = 3;
      p.colour = 0xC9C4AF;
      p.dotted = i % 3 == 0;
      p.groundDot = i % 6 == 0;
    }
  }

  playdata::DataDir dir;
  NullDisplay display;
  std::unique_ptr<HeadlessPlay> play;
  std::string hole;
  struct {
    double x, y;
  } tee[4]{};
};

void BM_Frame1024(benchmark::State& state) {
  const bool allEffects = state.range(0) != 0;
  BusyPlay busy;
  HeadlessPlay& play = *busy.play;
  play.Start();
  play.session().holeName = busy.hole;
  play.main().HoleInit();
  state.SetLabel(busy.hole);
  play.Key(vk::kSpace);  // past the title card
  TMain& main = play.main();
  // The drifting sprites float over this hole only; its name chooses nothing else.
  if (allEffects) play.session().holeName = "course1hole5";
  int32_t frame = 0;
  for (auto _ : state) {
    busy.Kick(frame);  // a few flag tests while the balls roll
    if (allEffects) busy.FillEffects(frame);
    ++frame;
    main.gengineTimer(1);
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_Frame1024)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0)
    ->Repetitions(5);

// The reference: copying one 1024 x 768 RGB565 frame.
void BM_MemcpyFrame1024(benchmark::State& state) {
  std::vector<uint16_t> src(1024 * 768, 0x1234), dst(1024 * 768);
  for (auto _ : state) {
    std::memcpy(dst.data(), src.data(), src.size() * sizeof(uint16_t));
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(src.size() * 2));
}
BENCHMARK(BM_MemcpyFrame1024)->Unit(benchmark::kMicrosecond)->Repetitions(5);

}  // namespace
}  // namespace quendrix

BENCHMARK_MAIN();
