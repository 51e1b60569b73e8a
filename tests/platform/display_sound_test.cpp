#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "media/dx_draw.h"
#include "media/image_list.h"
#include "media/media_error.h"
#include "media/sound_list.h"
#include "platform/screen.h"
#include "platform/sdl_display.h"
#include "platform/sdl_sound.h"
#include "sdl_env.h"

namespace quendrix {
namespace {

class SdlDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseDummyDrivers(); }
};

SDL_Surface* LoadShot(const std::string& path) {
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (!loaded) return nullptr;
  SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(loaded);
  return argb;
}

uint32_t PixelAt(const SDL_Surface* s, int x, int y) {
  return static_cast<const uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] & 0xFFFFFF;
}

TEST_F(SdlDisplayTest, ModesComeAndGoOnTheOneWindowAndScreenshotsShowTheBackSurface) {
  Screen screen;
  SdlDisplay display(screen);
  TDXDraw draw(&display);
  draw.Display.SetBitCount(16);
  draw.Display.SetWidth(320);
  draw.Display.SetHeight(240);
  draw.SetOptions(doFullScreen | doSystemMemory | doCenter);
  draw.Initialize();
  ASSERT_TRUE(display.IsOpen());
  const Uint32 window = SDL_GetWindowID(screen.Window());
  EXPECT_EQ(draw.SurfaceWidth(), 320);
  draw.Surface().FillRaw(0xF800);
  draw.Surface().PutRawPixel(10, 20, 0x07E0);
  draw.Present();
  EXPECT_EQ(screen.CanvasWidth(), 320);
  EXPECT_EQ(screen.CanvasHeight(), 240);
  draw.Finalize();
  EXPECT_FALSE(display.IsOpen());
  ASSERT_TRUE(screen.IsOpen()) << "closing the mode keeps the window";

  // The last frame outlives its texture, for repaints and screenshots.
  const auto dir =
      std::filesystem::temp_directory_path() / ("quendrix_shot_" + std::to_string(::getpid()));
  const std::string shot = screen.SaveScreenshot(dir.string());
  ASSERT_FALSE(shot.empty()) << screen.LastError();
  SDL_Surface* png = LoadShot(shot);
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(png->w, 320);
  EXPECT_EQ(png->h, 240);
  // Green and red, up to how 5 and 6 bits are widened to 8.
  EXPECT_EQ(PixelAt(png, 10, 20) & 0xF0F0F0, 0x00F000u);
  EXPECT_EQ(PixelAt(png, 11, 20) & 0xF0F0F0, 0xF00000u);
  SDL_FreeSurface(png);
  std::filesystem::remove_all(dir);
  EXPECT_EQ(screen.SaveScreenshot(""), "") << "no folder, no picture";

  draw.Display.SetWidth(640);
  draw.Display.SetHeight(480);
  draw.Initialize();
  EXPECT_EQ(SDL_GetWindowID(screen.Window()), window) << "no new window for a new mode";
  EXPECT_EQ(draw.SurfaceWidth(), 640);
}

TEST_F(SdlDisplayTest, AnImpossibleModeGivesTheModeError) {
  Screen screen;
  SdlDisplay display(screen);
  TDXDraw draw(&display);
  draw.Display.SetBitCount(16);
  draw.Display.SetWidth(0);
  try {
    draw.Initialize();
    FAIL();
  } catch (const MediaError& e) {
    EXPECT_STREQ(e.what(), "Display mode cannot be changed (0x480 16bit)");
  }
  EXPECT_FALSE(display.IsOpen());
}

TEST_F(SdlDisplayTest, NoWindowGivesTheModeErrorOfTheModeAskedFor) {
  setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
  Screen screen;
  SdlDisplay display(screen);
  TDXDraw draw(&display);
  draw.Display.SetBitCount(16);
  draw.Display.SetWidth(800);
  draw.Display.SetHeight(600);
  draw.SetOptions(doFullScreen | doSystemMemory);
  try {
    draw.Initialize();
    FAIL();
  } catch (const MediaError& e) {
    EXPECT_STREQ(e.what(), "Display mode cannot be changed (800x600 16bit)");
  }
  EXPECT_FALSE(screen.IsOpen());
  EXPECT_FALSE(screen.LastError().empty());
  test::UseDummyDrivers();
}

TEST(SdlSound, VolumeInHundredthsOfADecibel) {
  EXPECT_EQ(SdlSoundDevice::MixerVolume(0), 128);
  EXPECT_EQ(SdlSoundDevice::MixerVolume(500), 128);
  EXPECT_EQ(SdlSoundDevice::MixerVolume(-600), 64);   // about half: -6 dB
  EXPECT_EQ(SdlSoundDevice::MixerVolume(-2000), 13);  // a tenth
  EXPECT_EQ(SdlSoundDevice::MixerVolume(-10000), 0);
  EXPECT_EQ(SdlSoundDevice::MixerVolume(-20000), 0);
}

class SdlSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseDummyDrivers();
    sound.options = soExclusive;
    sound.Initialize();
    ASSERT_TRUE(device.IsOpen()) << device.LastError();
  }
  // One second of a quiet tone: long enough to be playing when asked.
  static Wave Tone() {
    std::vector<int16_t> s(22050);
    for (size_t i = 0; i < s.size(); ++i) s[i] = static_cast<int16_t>((i % 50) * 100);
    return Wave::FromPcm16(22050, 1, s);
  }

  SdlSoundDevice device;
  TDXSound sound{&device};
  TDXWaveList list{&sound};
};

TEST_F(SdlSoundTest, CopiesPlayOnTheirOwnChannelsUpToTheCap) {
  auto& item = list.Add();
  item.wave = Tone();
  item.SetMaxPlayingCount(2);
  item.PlaySound(false);
  item.PlaySound(false);
  item.PlaySound(false);  // cap reached: the oldest restarts
  ASSERT_EQ(item.Copies().size(), 2u);
  EXPECT_TRUE(device.IsPlaying(item.Copies()[0]));
  EXPECT_TRUE(device.IsPlaying(item.Copies()[1]));
  item.StopSound();
  EXPECT_FALSE(item.IsPlaying());
}

TEST_F(SdlSoundTest, ManyOverlappingSoundsGetMoreChannels) {
  auto& item = list.Add();
  item.wave = Tone();
  for (int i = 0; i < 40; ++i) item.PlaySound(false);
  EXPECT_EQ(item.Copies().size(), 40u);
  EXPECT_GE(device.ChannelCount(), 40);
  int playing = 0;
  for (auto id : item.Copies()) playing += device.IsPlaying(id);
  EXPECT_EQ(playing, 40);
}

TEST_F(SdlSoundTest, LoopsStopAndTheDeviceClosesCleanly) {
  auto& item = list.Add();
  item.wave = Tone();
  item.SetLooped(true);
  item.SetSoundVolume(-700);
  item.PlaySound(false);
  EXPECT_TRUE(item.IsPlaying());
  item.SetLooped(false);  // a change stops it
  EXPECT_FALSE(item.IsPlaying());
  auto& empty = list.Add();
  empty.PlaySound(false);  // no sound: nothing, no error
  sound.Finalize();
  EXPECT_FALSE(device.IsOpen());
  item.PlaySound(false);  // closed: quietly nothing
}

}  // namespace
}  // namespace quendrix
