#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "media/dx_draw.h"
#include "media/image_list.h"
#include "media/media_error.h"
#include "media/sound_list.h"
#include "platform/sdl_display.h"
#include "platform/sdl_sound.h"
#include "sdl_env.h"

namespace quendrix {
namespace {

class SdlDisplayTest : public ::testing::Test {
 protected:
  void SetUp() override { test::UseDummyDrivers(); }
};

TEST_F(SdlDisplayTest, OpensTheChosenModeAndPresentsTheBackSurface) {
  SdlDisplay display;
  TDXDraw draw(&display);
  draw.Display.SetBitCount(16);
  draw.Display.SetWidth(320);
  draw.Display.SetHeight(240);
  draw.SetOptions(doFullScreen | doSystemMemory | doCenter);
  draw.Initialize();
  ASSERT_TRUE(display.IsOpen());
  EXPECT_EQ(draw.SurfaceWidth(), 320);
  EXPECT_EQ(draw.SurfaceHeight(), 240);
  draw.Surface().FillRaw(0xF800);
  draw.Surface().PutRawPixel(10, 20, 0x07E0);
  draw.Present();
  // Read the frame back from the screen: the mode is scaled and letterboxed
  // there, so look for the one green pixel among the red ones.
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(display.Renderer(), &w, &h);
  ASSERT_GE(w, 320);
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  SDL_RenderSetLogicalSize(display.Renderer(), 0, 0);  // read in screen pixels
  ASSERT_EQ(SDL_RenderReadPixels(display.Renderer(), nullptr, SDL_PIXELFORMAT_ARGB8888,
                                 pixels.data(), w * 4),
            0)
      << SDL_GetError();
  size_t red = 0, green = 0, black = 0;
  for (uint32_t p : pixels) {
    red += (p & 0xFFFFFF) == 0xFF0000;
    green += (p & 0xFFFFFF) == 0x00FF00;
    black += (p & 0xFFFFFF) == 0;
  }
  const size_t scale2 = green;  // one source pixel covers scale x scale screen pixels
  EXPECT_GE(green, 1u);
  EXPECT_EQ(red + green, scale2 * 320 * 240);
  EXPECT_EQ(red + green + black, pixels.size());
  const auto dir =
      std::filesystem::temp_directory_path() / ("quendrix_shot_" + std::to_string(::getpid()));
  const std::string shot = display.SaveScreenshot(dir.string());
  EXPECT_FALSE(shot.empty());
  EXPECT_TRUE(std::filesystem::exists(shot));
  std::filesystem::remove_all(dir);
  draw.Finalize();
  EXPECT_FALSE(display.IsOpen());
}

TEST_F(SdlDisplayTest, AnImpossibleModeGivesTheModeError) {
  SdlDisplay display;
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
