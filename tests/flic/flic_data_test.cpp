// The generated launch-pad animations as the player reads them: complete,
// long enough, and the panel change joining the loop without a jump.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "widgets/flic_decoder.h"
#include "widgets/flic_player.h"

namespace quendrix::testing {
namespace {

// Tests run in the build folder; the data lies in its bin folder.
const std::string kLoop = "bin/interface_loop.flc";
const std::string kChange = "bin/interface.flc";

std::vector<uint32_t> Frame(FlicPlayer& p, int n) {
  EXPECT_TRUE(p.ShowFrame(n)) << p.FileName() << " frame " << n;
  const uint32_t* px = p.Picture();
  return px ? std::vector<uint32_t>(px, px + p.Width() * p.Height()) : std::vector<uint32_t>();
}

// Share of pixels whose colour differs by more than `tolerance` in a
// channel, within the rectangle.
double Changed(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance,
               int x0 = 0, int y0 = 0, int x1 = 640, int y1 = 480) {
  if (a.size() != b.size() || a.size() != 640u * 480u) return 1.0;
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      uint32_t p = a[y * 640 + x], q = b[y * 640 + x];
      for (int s = 0; s < 24; s += 8)
        if (std::abs(static_cast<int>((p >> s) & 255) - static_cast<int>((q >> s) & 255)) >
            tolerance) {
          ++n;
          break;
        }
    }
  return n / static_cast<double>((x1 - x0) * (y1 - y0));
}

TEST(LaunchPadAnimations, DecodeCompletely) {
  for (const std::string& path : {kLoop, kChange}) {
    SCOPED_TRACE(path);
    FlicDecoder d;
    ASSERT_EQ(d.Open(path), FlicDecoder::OpenResult::kOk);
    EXPECT_EQ(d.Width(), 640);
    EXPECT_EQ(d.Height(), 480);
    EXPECT_TRUE(d.ReadToEnd());
    EXPECT_EQ(d.PacketCount(), d.HeaderFrames() + 1);  // with the ring frame
    for (int k = 0; k < d.PacketCount(); ++k) ASSERT_TRUE(d.Decode(k)) << "chunk " << k;
  }
  ManualClock clock;
  FlicPlayer change(clock);
  change.SetFileName(kChange);
  ASSERT_TRUE(change.ShowFrame(30));
  EXPECT_GE(change.FrameCount(), 30);
}

TEST(LaunchPadAnimations, PanelChangeStartsAndEndsOnTheLoopsFirstPicture) {
  ManualClock clock;
  FlicPlayer loop(clock), change(clock);
  loop.SetFileName(kLoop);
  change.SetFileName(kChange);
  const auto first = Frame(loop, 1);
  EXPECT_LT(Changed(first, Frame(change, 1), 8), 0.002);
  EXPECT_LT(Changed(first, Frame(change, 30), 8), 0.002);
  // The change is a movement, not a still.
  EXPECT_GT(Changed(first, Frame(change, 12), 8), 0.02);
}

TEST(LaunchPadAnimations, LoopHasNoSeamAndKeepsThePanelsCalm) {
  ManualClock clock;
  FlicPlayer loop(clock);
  loop.SetFileName(kLoop);
  const auto first = Frame(loop, 1), second = Frame(loop, 2);
  const int n = loop.FrameCount();
  ASSERT_GE(n, 2);
  double step = Changed(first, second, 8);
  EXPECT_GT(step, 0.0);  // it moves
  // Last to first changes no more than any step of the loop does.
  EXPECT_LT(Changed(Frame(loop, n), first, 8), 2 * step + 0.001);
  // Around the panels (379 x 141 at (150, 177)) next to nothing moves.
  for (int k = 2; k <= n; k += 7)
    EXPECT_LT(Changed(Frame(loop, k - 1), Frame(loop, k), 8, 150, 177, 529, 318), 0.01)
        << "frame " << k;
}

}  // namespace
}  // namespace quendrix::testing
