// The drawing-surface component: chooses and opens a display mode, owns the
// back surface every frame is drawn into, and presents it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "media/display.h"
#include "media/surface.h"

namespace quendrix {

class TDXImageList;

// Option flags, bit 0 first. Values are bit positions: append only.
enum TDXDrawOption : uint32_t {
  doFullScreen = 1u << 0,
  doNoWindowChange = 1u << 1,
  doAllowReboot = 1u << 2,
  doWaitVBlank = 1u << 3,
  doAllowPalette256 = 1u << 4,
  doSystemMemory = 1u << 5,
  doStretch = 1u << 6,
  doCenter = 1u << 7,
  doFlip = 1u << 8,
  do3D = 1u << 9,
  doHardware = 1u << 10,
  doRetainedMode = 1u << 11,
  doSelectDriver = 1u << 12,
  doZBuffer = 1u << 13,
  doRGB = 1u << 14,
  doMono = 1u << 15,
  doDither = 1u << 16,
};
using TDXDrawOptions = uint32_t;

// The options that remain once the rules are applied: without doFullScreen
// the window-only flags go, without do3D bits 10-16 go, doSystemMemory
// excludes doFlip, and doHardware is always dropped.
TDXDrawOptions EffectiveOptions(TDXDrawOptions requested);

// The requested display mode and how freely it may be replaced.
class TDirectDrawDisplay {
 public:
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t BitCount() const { return bitCount_; }
  void SetWidth(int32_t w) { width_ = w < 0 ? 0 : w; }
  void SetHeight(int32_t h) { height_ = h < 0 ? 0 : h; }
  // 8, 16, 24 or 32; anything else throws MediaError
  // "PixelFormat is invalid (8,16,24 or 32)" and keeps the old value.
  void SetBitCount(int32_t bits);

  bool fixedBitCount = true;
  bool fixedRatio = true;
  bool fixedSize = false;

 private:
  int32_t width_ = 640;
  int32_t height_ = 480;
  int32_t bitCount_ = 8;
};

// Modes to try, in order, when the exact request is refused: with FixedRatio
// the smallest listed mode of the same width:height that qualifies, then the
// smallest that qualifies whatever its ratio. Qualifies: with FixedSize the
// same width, else at least the requested width and height; with
// FixedBitCount the same depth, else at least it (depths of 9 bits and more
// are all compatible). Smallest: by width, then height.
std::vector<DisplayMode> FallbackModes(const TDirectDrawDisplay& display,
                                       const std::vector<DisplayMode>& listed);

class TDXDraw {
 public:
  explicit TDXDraw(DisplayDevice* device = nullptr) : device_(device) {}
  ~TDXDraw();
  TDXDraw(const TDXDraw&) = delete;
  TDXDraw& operator=(const TDXDraw&) = delete;

  // The screen this surface opens on (the form it is placed on).
  void SetDevice(DisplayDevice* device) { device_ = device; }
  DisplayDevice* Device() const { return device_; }

  TDirectDrawDisplay Display;

  // Options as set, and the effective set in force now. While open only
  // doWaitVBlank, doStretch and doCenter change at once; the rest wait for
  // the next Initialize.
  TDXDrawOptions Options() const { return options_; }
  TDXDrawOptions NowOptions() const { return nowOptions_; }
  void SetOptions(TDXDrawOptions options);

  // With AutoSize the back surface takes the display's client size.
  bool autoSize = true;
  int32_t SurfaceWidth() const;
  int32_t SurfaceHeight() const;
  void SetSurfaceWidth(int32_t w) { surfaceWidth_ = w < 0 ? 0 : w; }
  void SetSurfaceHeight(int32_t h) { surfaceHeight_ = h < 0 ? 0 : h; }

  // Closes first if open; then opens the display (choosing the mode with
  // doFullScreen), makes the back surface, builds every attached image
  // list's surfaces and runs OnInitialize. Errors close the device again and
  // propagate: "Form not found" without a device, "Display mode cannot be
  // changed (%dx%d %dbit)" when no mode can be set.
  void Initialize();
  // Runs OnFinalize, releases the image lists' surfaces, the back surface
  // and the display. Nothing when closed.
  void Finalize();
  bool Initialized() const { return open_; }
  // Open, not opening, back surface there and display not lost. A lost
  // display is restored here (image lists rebuilt); the answer says whether
  // that worked.
  bool IsReady();
  // Shows the back surface (nothing unless IsReady).
  void Present();
  // The mode the display was opened in.
  const DisplayMode& Mode() const { return mode_; }

  // Valid while open; drawing before Initialize has no surface to go to.
  TDirectDrawSurface& Surface() { return surface_; }
  TDirectDrawSurface& BackSurface() { return surface_; }

  std::function<void()> OnInitialize;
  std::function<void()> OnFinalize;

  // Image lists attach themselves to the surface they draw on.
  void Attach(TDXImageList* list);
  void Detach(TDXImageList* list);

 private:
  void OpenDisplay(bool fullScreen);

  DisplayDevice* device_ = nullptr;
  TDXDrawOptions options_ = doFullScreen | doAllowReboot | doWaitVBlank | doCenter | doFlip;
  TDXDrawOptions nowOptions_ = EffectiveOptions(options_);
  bool open_ = false;
  bool opening_ = false;
  int32_t surfaceWidth_ = 640;
  int32_t surfaceHeight_ = 480;
  DisplayMode mode_;
  TDirectDrawSurface surface_;
  std::vector<TDXImageList*> lists_;
};

}  // namespace quendrix
