#include <gtest/gtest.h>

#include "media/dx_draw.h"
#include "media/media_error.h"

namespace quendrix {
namespace {

std::string InitError(TDXDraw& draw) {
  try {
    draw.Initialize();
  } catch (const MediaError& e) {
    return e.what();
  }
  return "no error";
}

TEST(DXDrawOptions, RulesDropFlagsThatCannotApply) {
  // Play screen: full screen, allow reboot, system memory, centre, hardware.
  const TDXDrawOptions play = doFullScreen | doAllowReboot | doSystemMemory | doCenter | doHardware;
  EXPECT_EQ(EffectiveOptions(play), doFullScreen | doAllowReboot | doSystemMemory | doCenter);
  EXPECT_EQ(EffectiveOptions(play | doFlip | doWaitVBlank), EffectiveOptions(play) | doWaitVBlank);
  EXPECT_EQ(
      EffectiveOptions(doFlip | doNoWindowChange | doAllowReboot | doAllowPalette256 | doStretch),
      doStretch);
  EXPECT_EQ(EffectiveOptions(doFullScreen | doFlip), doFullScreen | doFlip);
  EXPECT_EQ(EffectiveOptions(doZBuffer | doRGB | doDither), 0u);
  EXPECT_EQ(EffectiveOptions(do3D | doZBuffer | doRGB | doHardware), do3D | doZBuffer | doRGB);
}

TEST(DXDrawOptions, WhileOpenOnlyPresentationFlagsChangeAtOnce) {
  MemoryDisplay display;
  TDXDraw draw(&display);
  draw.SetOptions(doFullScreen | doSystemMemory);
  draw.Display.SetBitCount(16);
  draw.Initialize();
  draw.SetOptions(doFullScreen | doFlip | doWaitVBlank | doStretch);
  EXPECT_EQ(draw.NowOptions(), doFullScreen | doSystemMemory | doWaitVBlank | doStretch);
  draw.Initialize();
  EXPECT_EQ(draw.NowOptions(), doFullScreen | doFlip | doWaitVBlank | doStretch);
}

TEST(DXDrawDisplay, StoresSizesAndRefusesOddDepths) {
  TDXDraw draw;
  EXPECT_EQ(draw.Display.Width(), 640);
  EXPECT_EQ(draw.Display.Height(), 480);
  EXPECT_EQ(draw.Display.BitCount(), 8);
  draw.Display.SetWidth(-5);
  EXPECT_EQ(draw.Display.Width(), 0);
  try {
    draw.Display.SetBitCount(15);
    FAIL();
  } catch (const MediaError& e) {
    EXPECT_STREQ(e.what(), "PixelFormat is invalid (8,16,24 or 32)");
  }
  EXPECT_EQ(draw.Display.BitCount(), 8);
  EXPECT_EQ(InitError(draw), "Form not found");
}

TEST(DXDrawModes, ExactModeFirstThenSameRatioThenAnyQualifying) {
  MemoryDisplay display;
  display.modes = {
      {1280, 1024, 16}, {800, 600, 32}, {1600, 1200, 16}, {1024, 768, 16}, {1280, 720, 16}};
  display.accepted = display.modes;
  TDXDraw draw(&display);
  draw.SetOptions(doFullScreen);
  draw.Display.SetBitCount(16);
  draw.Display.SetWidth(1024);
  draw.Display.SetHeight(768);
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{1024, 768, 16}));
  EXPECT_EQ(draw.SurfaceWidth(), 1024);

  draw.Display.SetWidth(800);  // 800x600x16 is not there: smallest 4:3 with 16 bits
  draw.Display.SetHeight(600);
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{1024, 768, 16}));

  draw.Display.fixedRatio = false;  // smallest qualifying regardless of ratio
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{1024, 768, 16}));
  draw.Display.SetWidth(1100);
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{1280, 720, 16}));

  draw.Display.fixedBitCount = false;  // 32 bits qualifies for a 16-bit request
  draw.Display.SetWidth(700);
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{800, 600, 32}));

  draw.Display.fixedSize = true;  // same width, any height
  draw.Display.fixedBitCount = true;
  draw.Display.SetWidth(1280);
  draw.Display.SetHeight(960);
  draw.Initialize();
  EXPECT_EQ(draw.Mode(), (DisplayMode{1280, 720, 16}));
}

TEST(DXDrawModes, NoUsableModeGivesTheModeErrorAndClosesTheDevice) {
  MemoryDisplay display;
  display.modes = {{640, 480, 32}};
  display.accepted = display.modes;
  TDXDraw draw(&display);
  draw.SetOptions(doFullScreen);
  draw.Display.SetBitCount(16);
  draw.Display.SetWidth(512);
  draw.Display.SetHeight(384);
  EXPECT_EQ(InitError(draw), "Display mode cannot be changed (512x384 16bit)");
  EXPECT_FALSE(draw.Initialized());
  EXPECT_FALSE(display.IsOpen());
  draw.Display.SetWidth(0);
  EXPECT_EQ(InitError(draw), "Display mode cannot be changed (0x384 16bit)");
}

TEST(DXDrawLifecycle, InitializeRunsHandlersAndReopens) {
  MemoryDisplay display;
  TDXDraw draw(&display);
  draw.Display.SetBitCount(16);
  draw.SetOptions(doFullScreen | doSystemMemory);
  int inits = 0, finals = 0;
  draw.OnInitialize = [&] {
    ++inits;
    EXPECT_TRUE(draw.IsReady());  // the surface can be drawn on inside the handler
  };
  draw.OnFinalize = [&] { ++finals; };
  draw.Finalize();  // closed: nothing
  EXPECT_EQ(finals, 0);
  draw.Initialize();
  draw.Initialize();  // closes first
  EXPECT_EQ(inits, 2);
  EXPECT_EQ(finals, 1);
  EXPECT_TRUE(display.FullScreen());
  draw.Finalize();
  EXPECT_FALSE(draw.IsReady());
  draw.Present();  // not ready: nothing shown
  EXPECT_EQ(display.PresentCount(), 0);
  // A failing OnInitialize closes the device again.
  draw.OnInitialize = [] { throw MediaError("boom"); };
  EXPECT_EQ(InitError(draw), "boom");
  EXPECT_FALSE(draw.Initialized());
  EXPECT_FALSE(display.IsOpen());
}

TEST(DXDrawPresent, PlacesTheBackSurfaceByTheOptions) {
  MemoryDisplay display;
  TDXDraw draw(&display);
  draw.Display.SetBitCount(16);
  draw.Display.SetWidth(10);
  draw.Display.SetHeight(8);
  draw.autoSize = false;
  draw.SetSurfaceWidth(5);
  draw.SetSurfaceHeight(3);
  draw.SetOptions(doFullScreen | doCenter | doWaitVBlank | doSystemMemory | doFlip);
  draw.Initialize();
  draw.Surface().FillRaw(0xFFFF);
  draw.Present();
  EXPECT_EQ(display.LastPresent().dest, Bounds(2, 2, 5, 3));  // (10-5) div 2, (8-3) div 2
  EXPECT_TRUE(display.LastPresent().waitVBlank);
  EXPECT_FALSE(display.LastPresent().flip);  // system memory excludes flipping
  EXPECT_EQ(display.Screen().RawPixel(2, 2), 0xFFFFu);
  EXPECT_EQ(display.Screen().RawPixel(1, 2), 0u);
  draw.SetOptions(doFullScreen | doStretch);
  draw.Present();
  EXPECT_EQ(display.LastPresent().dest, Bounds(0, 0, 10, 8));
  EXPECT_FALSE(display.LastPresent().waitVBlank);
  draw.SetOptions(doFullScreen);
  draw.Present();
  EXPECT_EQ(display.LastPresent().dest, Bounds(0, 0, 5, 3));
  EXPECT_EQ(display.PresentCount(), 3);
}

}  // namespace
}  // namespace quendrix
