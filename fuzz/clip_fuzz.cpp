// Video clips, as the intro and credits windows open and play them: the
// decoder opens the file (a clear error or a clip with a picture size) and
// decodes pictures and sound into memory; then the player, on a clock and
// without sound, plays it until it reports its end. What FFmpeg hands back
// is checked, not FFmpeg: every picture has three planes and a size, times
// never go back, and sound comes in whole frames of the asked format.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_support.h"
#include "media/dx_timer.h"
#include "video/clip_audio.h"
#include "video/clip_decoder.h"
#include "video/clip_player.h"

namespace {

using namespace quendrix;

// Opening probes the container and decodes a few pictures to learn the
// streams; a small clip then decodes in a few milliseconds per packet in
// this instrumented build.
constexpr int kDeadlineMs = 2000;
// Packets read by the decoder, and player steps of 40 ms, at most.
constexpr int kMaxSteps = 64;
constexpr int kMaxAdvances = 48;
// Picture pixels decoded per input at most, for clips that claim a large
// picture: more frames of it only repeat the same code slowly.
constexpr int64_t kPixelBudget = int64_t{8} << 20;

void CheckPicture(const ClipPicture& p, double& lastTime) {
  if (p.width <= 0 || p.height <= 0) fuzz::Finding("a picture without a size");
  for (int i = 0; i < 3; ++i)
    if (p.plane[i] == nullptr || p.pitch[i] < (i == 0 ? p.width : (p.width + 1) / 2))
      fuzz::Finding("a picture plane missing or narrower than the picture");
  if (!std::isfinite(p.time) || p.time < 0 || p.time < lastTime)
    fuzz::Finding("a picture time that is not a time from the start, or goes back");
  lastTime = p.time;
}

int StepsFor(const ClipInfo& info, int most) {
  const int64_t pixels = int64_t{info.width} * info.height;
  return static_cast<int>(
      std::clamp<int64_t>(kPixelBudget / std::max<int64_t>(pixels, 1), 1, most));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputDeadline deadline(kDeadlineMs);
  const std::string path = fuzz::WriteScratchFile("clip.avi", data, size).string();
  try {
    ClipDecoder decoder(path, SoundFormat{ClipAudio::kRate, ClipAudio::kChannels});
    const ClipInfo& info = decoder.Info();
    if (info.width <= 0 || info.height <= 0) fuzz::Finding("a clip opened without a picture size");
    if (!std::isfinite(info.frameRate) || info.frameRate < 0 || !std::isfinite(info.duration))
      fuzz::Finding("a frame rate or duration that is not a number");
    double lastTime = -1;
    const int steps = StepsFor(info, kMaxSteps);
    for (int i = 0; i < steps && decoder.Step(); ++i) {
      while (decoder.PicturesQueued() > 0) {
        CheckPicture(decoder.PictureAt(0), lastTime);
        decoder.PopPicture();
      }
      if (decoder.Sound().size() % ClipAudio::kChannels != 0)
        fuzz::Finding("sound that is not whole frames");
      decoder.Sound().clear();
    }
  } catch (const ClipError&) {
    return 0;
  }

  // The player as the windows drive it, silent: open, play with a notice,
  // and advance on the clock until the end is reported.
  ManualClock clock;
  ClipPlayer player(clock, false);
  try {
    player.Open(path);
  } catch (const ClipError&) {
    fuzz::Finding("a clip that opened once does not open again");
  }
  if (player.Where().Width() != player.Info()->width)
    fuzz::Finding("the display rectangle is not the picture's size");
  player.Play(true);
  const int advances = StepsFor(*player.Info(), kMaxAdvances);
  for (int i = 0; i < advances && !player.TakeNotice(); ++i) {
    clock.Advance(40);
    bool picture = false;
    player.Advance(picture);
    if (!std::isfinite(player.Position()) || player.Position() < 0)
      fuzz::Finding("a play position that is not a time from the start");
  }
  player.Stop();
  player.Close();
  return 0;
}
