// FLIC animations, as the launch pad plays them: the player opens the file
// (a clear "damaged" or a first frame), runs its frames on a clock through
// the loop back to frame 1, then shows frames one after another at once and
// a stopped frame, as the panel change does. Every frame shown is a picture
// of the header's size, and the current frame stays within the animation.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "media/dx_timer.h"
#include "widgets/flic_player.h"

namespace {

using namespace quendrix;

// A frame of the launch pad's 640 x 480 animation decodes and paints in a
// few milliseconds in this instrumented build.
constexpr int kDeadlineMs = 1500;
// Frames run on the clock, then shown at once (the panel change shows 30).
constexpr int kMaxTicks = 40;
constexpr int kMaxShown = 30;
// Pixels decoded and painted per input at most: a header may claim a
// picture of 65535 x 65535, which the player must refuse or bear, but
// running many frames of a large one only repeats the same code slowly.
constexpr int64_t kPixelBudget = int64_t{24} << 20;

void CheckFrame(const FlicPlayer& player) {
  if (player.Status() != FlicStatus::kOpen && player.Status() != FlicStatus::kDamaged)
    fuzz::Finding("an existing file reported missing or never opened");
  const int current = player.CurrentFrame();
  if (current < 0 || current > player.FrameCount())
    fuzz::Finding("the current frame is outside the animation");
  if (player.Picture() != nullptr && (player.Width() <= 0 || player.Height() <= 0))
    fuzz::Finding("a picture without a size");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  FlicDecoder::QuietLibraryLog();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputDeadline deadline(kDeadlineMs);
  const std::string path = fuzz::WriteScratchFile("anim.flc", data, size).string();
  ManualClock clock;
  FlicPlayer player(clock);
  player.SetFileName(path);
  if (!player.Play()) {
    if (player.Status() != FlicStatus::kDamaged)
      fuzz::Finding("a file that does not play is not reported damaged");
    return 0;
  }
  CheckFrame(player);
  if (player.Picture() == nullptr || player.CurrentFrame() != 1)
    fuzz::Finding("a file that plays shows no first frame");
  if (player.SpeedMs() < 1) fuzz::Finding("a speed below one millisecond");

  const int64_t pixels = int64_t{player.Width()} * player.Height();
  const int frames = static_cast<int>(std::clamp<int64_t>(kPixelBudget / pixels, 1, kMaxTicks));
  // The looping background: one frame per tick, and a late tick skipping.
  for (int i = 0; i < frames && player.Playing(); ++i) {
    clock.Advance(static_cast<uint32_t>(player.SpeedMs()) * (i % 7 == 6 ? 9 : 1));
    player.Tick();
    CheckFrame(player);
  }
  // The panel change: frames shown at once, then a stopped first frame.
  player.SetFileName(path);
  player.Play();
  const int shown = std::min({kMaxShown, frames, player.FrameCount()});
  for (int n = 1; n <= shown; ++n) {
    player.ShowFrame(n);
    CheckFrame(player);
  }
  player.Stop();
  player.ShowStoppedFrame(1);
  CheckFrame(player);
  return 0;
}
