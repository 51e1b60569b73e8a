// The launch pad's player on made-up files: frame numbers, loop order,
// showing a frame, missing and damaged files.
#include <gtest/gtest.h>

#include <cstring>

#include "flic_support.h"
#include "widgets/flic_player.h"

namespace quendrix::testing {
namespace {

constexpr uint32_t kSpeed = 66;

// Frame k (1-based) of the clip as the player paints it.
bool Shows(const FlicPlayer& p, const FlicClip& clip, int k) {
  const uint32_t* px = p.Picture();
  if (px == nullptr || p.Width() != clip.width || p.Height() != clip.height) return false;
  const auto& idx = clip.pixels[static_cast<size_t>(k - 1)];
  const auto& pal = clip.palettes[static_cast<size_t>(k - 1)];
  for (size_t i = 0; i < idx.size(); ++i) {
    const uint8_t* c = pal.data() + 3 * idx[i];
    if (px[i] != (0xFF000000u | (c[0] << 16) | (c[1] << 8) | c[2])) return false;
  }
  return true;
}

// The file without its last frame chunk (the ring frame).
std::string WithoutRing(const std::string& file) {
  size_t at = 128, last = at;
  while (at + 4 <= file.size()) {
    uint32_t size;
    std::memcpy(&size, file.data() + at, 4);
    last = at;
    at += size;
  }
  return file.substr(0, last);
}

class FlicLoop : public ::testing::TestWithParam<bool> {};

TEST_P(FlicLoop, ShowsEveryFrameOnceAroundTheLoop) {
  const FlicClip clip = MakeClip(33, 7, kSpeed);
  const int n = static_cast<int>(clip.pixels.size());
  ScratchDir dir;
  std::string file = Encode(clip);
  if (!GetParam()) file = WithoutRing(file);
  ManualClock clock;
  FlicPlayer p(clock);
  p.SetFileName(dir.Write("loop.flc", file));
  ASSERT_TRUE(p.Play());
  EXPECT_EQ(p.FrameCount(), n);
  EXPECT_EQ(p.SpeedMs(), static_cast<int>(kSpeed));
  for (int step = 0; step < 2 * n + 1; ++step) {
    const int want = step % n + 1;
    ASSERT_EQ(p.CurrentFrame(), want) << "step " << step;
    ASSERT_TRUE(Shows(p, clip, want)) << "step " << step;
    clock.Advance(kSpeed - 1);
    EXPECT_FALSE(p.Tick());  // not due yet
    clock.Advance(1);
    EXPECT_TRUE(p.Tick());
  }
  EXPECT_TRUE(p.Playing());
  EXPECT_EQ(p.Status(), FlicStatus::kOpen);
}

INSTANTIATE_TEST_SUITE_P(RingFrame, FlicLoop, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& i) {
                           return i.param ? std::string("ThroughTheRing")
                                          : std::string("ByDecodingAgain");
                         });

TEST(FlicPlayer, ShowsFramesOnRequestAndPacesTheClock) {
  const FlicClip clip = MakeClip(64, 9, kSpeed);
  const int n = static_cast<int>(clip.pixels.size());
  ScratchDir dir;
  ManualClock clock;
  FlicPlayer p(clock);
  p.SetFileName(dir.Write("a.flc", Encode(clip)));
  ASSERT_TRUE(p.ShowFrame(5));
  EXPECT_TRUE(Shows(p, clip, 5));
  ASSERT_TRUE(p.ShowFrame(2));  // backwards
  EXPECT_TRUE(Shows(p, clip, 2));
  EXPECT_FALSE(p.Playing());
  EXPECT_FALSE(p.ShowFrame(n + 5));  // clamped to the last
  EXPECT_EQ(p.CurrentFrame(), n);
  EXPECT_TRUE(Shows(p, clip, n));

  // Two frames late: both are decoded, the second is shown.
  ASSERT_TRUE(p.ShowFrame(1));
  ASSERT_TRUE(p.Play());
  clock.Advance(2 * kSpeed);
  EXPECT_TRUE(p.Tick());
  EXPECT_EQ(p.CurrentFrame(), 3);
  EXPECT_TRUE(Shows(p, clip, 3));
  // Blocked for seconds: one frame, then the normal pace again.
  clock.Advance(5000);
  EXPECT_TRUE(p.Tick());
  EXPECT_EQ(p.CurrentFrame(), 4);
  clock.Advance(kSpeed);
  EXPECT_TRUE(p.Tick());
  EXPECT_EQ(p.CurrentFrame(), 5);

  ASSERT_TRUE(p.ShowStoppedFrame(3));
  EXPECT_FALSE(p.Playing());
  EXPECT_TRUE(Shows(p, clip, 3));

  // Without looping the last frame stays.
  p.SetLoop(false);
  ASSERT_TRUE(p.Play());
  for (int i = 0; i < 2 * n; ++i) {
    clock.Advance(kSpeed);
    p.Tick();
  }
  EXPECT_FALSE(p.Playing());
  EXPECT_EQ(p.CurrentFrame(), n);

  // A new file name stops the old file.
  p.SetLoop(true);
  ASSERT_TRUE(p.Play());
  p.SetFileName(dir.Write("b.flc", Encode(clip)));
  EXPECT_FALSE(p.Playing());
  EXPECT_EQ(p.CurrentFrame(), 0);
}

TEST(FlicPlayer, MissingFileShowsTheTextAndStaysUsable) {
  ScratchDir dir;
  ManualClock clock;
  FlicPlayer p(clock);
  p.SetFileName(dir.Path("gone.flc"));
  EXPECT_FALSE(p.Play());
  EXPECT_TRUE(p.FileMissing());
  EXPECT_FALSE(p.Playing());
  EXPECT_EQ(p.Picture(), nullptr);
  EXPECT_STREQ(FlicPlayer::kMissingText, "Fatal Error: File does not exist!");
  EXPECT_FALSE(p.ShowFrame(1));
  EXPECT_FALSE(p.ShowStoppedFrame(1));
  clock.Advance(1000);
  EXPECT_FALSE(p.Tick());
  p.Repaint();

  const FlicClip clip = MakeClip(20, 4, kSpeed);
  p.SetFileName(dir.Write("here.flc", Encode(clip)));
  EXPECT_FALSE(p.FileMissing());
  ASSERT_TRUE(p.Play());
  EXPECT_TRUE(Shows(p, clip, 1));
}

// Cut anywhere before the ring frame: the whole frames before the cut play, then the player stops.
TEST(FlicPlayer, TruncatedFilePlaysWhatItHoldsThenStops) {
  FlicDecoder::QuietLibraryLog();
  const FlicClip clip = MakeClip(41, 6, kSpeed);
  const std::string file = Encode(clip);
  ScratchDir dir;
  ManualClock clock;
  // A cut into the ring frame only loses the ring: that file still loops.
  const size_t ringStart = WithoutRing(file).size();
  for (size_t cut = 0; cut < ringStart; cut += 37) {
    FlicPlayer p(clock);
    p.SetFileName(dir.Write("cut.flc", file.substr(0, cut)));
    bool played = p.Play();
    int shown = played ? 1 : 0;
    if (played) {
      EXPECT_TRUE(Shows(p, clip, 1)) << "cut at " << cut;
    }
    for (int i = 0; i < 3 * static_cast<int>(clip.pixels.size()) && p.Playing(); ++i) {
      clock.Advance(kSpeed);
      if (p.Tick()) {
        ++shown;
        EXPECT_TRUE(Shows(p, clip, p.CurrentFrame())) << "cut at " << cut;
      }
    }
    EXPECT_FALSE(p.Playing()) << "cut at " << cut;
    EXPECT_EQ(p.Status(), FlicStatus::kDamaged) << "cut at " << cut;
    EXPECT_LT(shown, static_cast<int>(clip.pixels.size()) + 1);
  }
}

// Bytes spoilt inside the frames: no crash, no read past a buffer (the
// sanitizer build), the frames before the damage as they were.
TEST(FlicPlayer, CorruptedChunksNeverCrash) {
  FlicDecoder::QuietLibraryLog();
  const FlicClip clip = MakeClip(41, 6, kSpeed);
  const std::string file = Encode(clip);
  const int n = static_cast<int>(clip.pixels.size());
  ScratchDir dir;
  ManualClock clock;
  uint32_t seed = 12345;
  for (int trial = 0; trial < 60; ++trial) {
    std::string bad = file;
    seed = seed * 1664525u + 1013904223u;
    const size_t at = 128 + (seed >> 8) % (bad.size() - 128);
    for (size_t i = at; i < std::min(bad.size(), at + 1 + trial % 5); ++i)
      bad[i] = static_cast<char>(bad[i] ^ (0x5A + trial));
    FlicPlayer p(clock);
    p.SetFileName(dir.Write("bad.flc", bad));
    if (!p.Play()) continue;
    for (int i = 0; i < 2 * n && p.Playing(); ++i) {
      clock.Advance(kSpeed);
      p.Tick();
    }
    p.ShowFrame(n);
    p.ShowFrame(1);
  }
}

// A frame chunk whose size claims a gigabyte ends the file there: the
// frames before it play, then the player stops on the damage. (Found by the
// fuzzer: FFmpeg's reader allocated the claimed size before reading. The
// allocation itself is watched by the fuzz seed chunk_claims_1gib.flc,
// which the short fuzz runs replay under a memory limit.)
TEST(FlicPlayer, ChunkClaimingAGigabyteEndsTheFile) {
  FlicDecoder::QuietLibraryLog();
  const FlicClip clip = MakeClip(24, 24, kSpeed);
  std::string file = Encode(clip);
  // The third frame chunk's size field.
  size_t at = 128;
  for (int chunk = 0; chunk < 2; ++chunk) {
    uint32_t size;
    std::memcpy(&size, file.data() + at, 4);
    at += size;
  }
  const uint32_t claimed = 0x40000018;
  std::memcpy(file.data() + at, &claimed, 4);
  ScratchDir dir;
  ManualClock clock;
  FlicPlayer p(clock);
  p.SetFileName(dir.Write("claims.flc", file));
  ASSERT_TRUE(p.Play());
  EXPECT_TRUE(Shows(p, clip, 1));
  clock.Advance(kSpeed);
  EXPECT_TRUE(p.Tick());
  EXPECT_TRUE(Shows(p, clip, 2));
  for (int i = 0; i < 4 && p.Playing(); ++i) {
    clock.Advance(kSpeed);
    p.Tick();
  }
  EXPECT_EQ(p.CurrentFrame(), 2);
  EXPECT_EQ(p.Status(), FlicStatus::kDamaged);
}

// A header that claims a picture past the decoder's limit (found by the
// fuzzer: 16000 x 16000 took over a gigabyte and seconds per frame) is a
// damaged file; the limit itself still opens.
struct ClaimedSize {
  int width, height;
  bool opens;
};
class FlicClaimedSize : public ::testing::TestWithParam<ClaimedSize> {};

TEST_P(FlicClaimedSize, PastTheLimitIsDamaged) {
  FlicDecoder::QuietLibraryLog();
  const ClaimedSize c = GetParam();
  // A real clip at the limit; a small one whose header claims the rest.
  std::string file = Encode(MakeClip(c.opens ? c.width : 4, c.opens ? c.height : 3, kSpeed));
  const uint16_t side[2] = {static_cast<uint16_t>(c.width), static_cast<uint16_t>(c.height)};
  std::memcpy(file.data() + 8, side, sizeof side);  // header width, height
  ScratchDir dir;
  ManualClock clock;
  FlicPlayer p(clock);
  p.SetFileName(dir.Write("claims.flc", file));
  EXPECT_EQ(p.Play(), c.opens);
  EXPECT_EQ(p.Status(), c.opens ? FlicStatus::kOpen : FlicStatus::kDamaged);
  if (c.opens) {
    EXPECT_EQ(p.Width(), c.width);
    EXPECT_EQ(p.Height(), c.height);
  }
}

INSTANTIATE_TEST_SUITE_P(Header, FlicClaimedSize,
                         ::testing::Values(ClaimedSize{16000, 16000, false},
                                           ClaimedSize{FlicDecoder::kMaxSide + 1, 3, false},
                                           ClaimedSize{4, 65535, false},
                                           ClaimedSize{FlicDecoder::kMaxSide, 2, true}));

}  // namespace
}  // namespace quendrix::testing
