// A frame of play must not allocate: every table is fixed and every string
// is reserved when the session is made. This plays every generated hole
// with four balls kept rolling (walls, slopes, water, pipes, cups, effects,
// particles, hole animations, the HUD, ticker and banners) and counts the
// allocations frame by frame. Frames that set up a new hole are left out:
// loading a hole reads files and may allocate.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "game/ball_motion.h"
#include "game/headless_play.h"
#include "media/sound_device.h"

// The replacements below pair malloc with free on purpose; the compiler sees
// only the library's pairing of new with delete.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

namespace {

std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};

void* Allocate(std::size_t size, std::size_t alignment = 0) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1);
  if (size == 0) size = 1;
  void* p = nullptr;
  if (alignment > alignof(std::max_align_t)) {
    if (posix_memalign(&p, alignment, size) != 0) p = nullptr;
  } else {
    p = std::malloc(size);
  }
  return p;
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, std::align_val_t a) {
  if (void* p = Allocate(size, static_cast<std::size_t>(a))) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size, std::align_val_t a) {
  if (void* p = Allocate(size, static_cast<std::size_t>(a))) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace quendrix {
namespace {

const std::filesystem::path kData = "bin";

std::vector<std::string> AllHoles() {
  std::vector<std::string> holes = {"training1"};
  for (int c = 1; c <= 2; ++c)
    for (int h = 1; h <= 9; ++h)
      holes.push_back("course" + std::to_string(c) + "hole" + std::to_string(h));
  return holes;
}

bool HaveData() {
  std::error_code error;
  for (const std::string& hole : AllHoles())
    if (!std::filesystem::exists(kData / (hole + ".dxg"), error)) return false;
  return std::filesystem::exists(kData / "gui.dxg", error);
}

// The allocations made while `run` runs.
template <typename Run>
long AllocationsIn(Run&& run) {
  gAllocations = 0;
  gCounting = true;
  run();
  gCounting = false;
  return gAllocations.load();
}

// A mixer that keeps nothing: every sound ends at once, so the sound lists
// reuse their copies. (The recording test device keeps a log that grows.)
class QuietSoundDevice final : public SoundDevice {
 public:
  bool Open(SoundLevel) override { return true; }
  void Close() override {}
  void SetPrimaryFormat(uint32_t, uint16_t, uint16_t) override {}
  SoundBufferId CreateBuffer(const Wave&) override { return ++last_; }
  SoundBufferId DuplicateBuffer(SoundBufferId) override { return ++last_; }
  void ReleaseBuffer(SoundBufferId) override {}
  void Play(SoundBufferId, bool) override {}
  void Stop(SoundBufferId) override {}
  bool IsPlaying(SoundBufferId) const override { return false; }
  void SetVolume(SoundBufferId, int32_t) override {}

 private:
  SoundBufferId last_ = 0;
};

TEST(Frames, CountingSeesAnAllocation) {
  // The counter itself works (a test that could not fail would prove nothing).
  const long n = AllocationsIn([] {
    auto p = std::make_unique<std::string>(100, 'x');
    ASSERT_EQ(p->size(), 100u);
  });
  EXPECT_GE(n, 1);
}

class EveryHole : public ::testing::TestWithParam<std::string> {};

TEST_P(EveryHole, FramesOfPlayDoNotAllocate) {
  if (!HaveData()) GTEST_SKIP() << "no generated holes in " << kData;
  const std::string hole = GetParam();
  LaunchSettings settings;
  settings.players = 3;
  settings.whencollide = 1;
  settings.training = hole == "training1";
  QuietSoundDevice quiet;  // outlives the play screen, which closes it
  HeadlessPlay play(settings, kData, 5);
  play.main().DXSound.SetDevice(&quiet);
  play.Start();
  GameSession& s = play.session();
  if (s.holeName != hole) {
    s.holeName = hole;
    play.main().HoleInit();
  }
  play.LeftClick();  // leaves the title card
  play.Frames(5);

  struct Spot {
    double x, y;
  } tee[4];
  for (int32_t p = 1; p <= 4; ++p) tee[p - 1] = {s.players[p].x, s.players[p].y};

  // What is made once on first use and kept, made now: the canvas of the
  // back surface (particle trails) and each sound's first playing copy.
  // Every sound ends at once on the quiet device, so that copy is reused.
  play.main().DXDraw.Surface().Canvas();
  play.main().DXDraw.Surface().ReleaseCanvas();
  for (TDXWaveList* list : {&play.main().sounds, &play.main().bgsounds})
    for (int32_t i = 0; i < list->Items.Count(); ++i) {
      list->Items[i].PlaySound();
      list->Items[i].StopSound();
    }

  int32_t framesCounted = 0, framesThatAllocated = 0;
  long allocations = 0;
  for (int32_t frame = 0; frame < 900; ++frame) {
    // Keep every ball in play and rolling; one that was holed goes back to
    // its tee, so holes are won (banner, score, ticker) but rarely all of them.
    for (int32_t p = 1; p <= 4; ++p) {
      playerrec& b = s.players[p];
      if (!b.inPlay) {
        const int32_t strokes = b.strokes;
        b = playerrec{};
        b.x = b.prevX = b.safeX = tee[p - 1].x;
        b.y = b.prevY = b.safeY = tee[p - 1].y;
        b.strokes = strokes;
      }
      b.inPlay = true;
      if (b.moving || b.lost || b.inPipe || b.inCup) continue;
      b.direction = (frame * 37 + p * 64) & 255;
      b.speed = 2.0 + (frame % 5);
      StartShot(s, p, false);
    }
    // Now and then the pointer moves and the panel is hovered, as a player would.
    if (frame % 50 == 0) play.MoveTo(20 + frame % 200, 20 + frame % 90);
    const std::string holeBefore = s.holeName;
    const int32_t numberBefore = s.holeNumber;
    const long n = AllocationsIn([&] { play.Frame(16); });
    if (s.holeName != holeBefore || s.holeNumber != numberBefore) continue;  // a new hole was set up
    ++framesCounted;
    allocations += n;
    framesThatAllocated += n != 0 ? 1 : 0;
  }
  EXPECT_GT(framesCounted, 800) << hole;
  EXPECT_EQ(framesThatAllocated, 0) << hole << ": " << allocations << " allocations";
}

std::string HoleName(const ::testing::TestParamInfo<std::string>& hole) {
  return hole.param;
}

INSTANTIATE_TEST_SUITE_P(Generated, EveryHole, ::testing::ValuesIn(AllHoles()), HoleName);

}  // namespace
}  // namespace quendrix
