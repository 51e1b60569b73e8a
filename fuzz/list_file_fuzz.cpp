// Image lists (.dxg) and sound lists (.dxw): the same bytes go through
// LoadListFile into an image list on an open drawing surface (so every
// picture becomes a surface and is cut into patterns) and into a sound list
// on an open sound device (so every sound gets its buffer), and what loads
// is drawn and played as the game would.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "media/dx_draw.h"
#include "media/image_list.h"
#include "media/media_error.h"
#include "media/sound_list.h"

namespace {

using namespace quendrix;

// A list may hold pictures of 2^25 pixels in all; decoding them and building
// their surfaces takes a few seconds in this instrumented build.
constexpr int kDeadlineMs = 4000;

struct Devices {
  MemoryDisplay display;
  TDXDraw draw{&display};
  SilentSoundDevice sound;
  TDXSound dxSound{&sound};
  Devices() {
    draw.SetOptions(doFullScreen | doSystemMemory);
    draw.Display.SetBitCount(16);
    draw.Display.SetWidth(64);
    draw.Display.SetHeight(48);
    draw.Initialize();
    dxSound.Initialize();
  }
};

// The first, second and last pattern and the ones just outside the range,
// copied and blended onto the back surface.
void DrawItem(TDirectDrawSurface& back, const TPictureCollectionItem& item) {
  const int32_t count = item.PatternCount();
  for (const int32_t index : {-1, 0, 1, count - 1, count}) {
    item.DrawPattern(back, -3, 5, index);
    const TRect dest = Bounds(10, -2, item.PatternWidth() % 97, item.PatternHeight() % 89);
    item.DrawPatternAdd(back, dest, index, 128);
    item.DrawPatternAlpha(back, dest, index, 255);
    item.DrawPatternSub(back, dest, index, 64);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Devices devices;
  fuzz::InputDeadline deadline(kDeadlineMs);
  const std::string path = fuzz::WriteScratchFile("list.dxg", data, size).string();

  TDXImageList images(&devices.draw);
  try {
    images.LoadListFile(path);
  } catch (const MediaError&) {
    // A clear error; what was read before it stays in the list.
  }
  for (int32_t i = 0; i < images.Items.Count(); ++i)
    DrawItem(devices.draw.Surface(), images.Items[i]);

  TDXWaveList waves(&devices.dxSound);
  try {
    waves.LoadListFile(path);
  } catch (const MediaError&) {
  }
  for (int32_t i = 0; i < waves.Items.Count(); ++i) {
    TWaveCollectionItem& item = waves.Items[i];
    item.PlaySound();
    item.PlaySound();
    item.StopSound();
  }
  devices.sound.FinishAll();
  return 0;
}
