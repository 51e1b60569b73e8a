// What the drawing surface needs from a screen. The platform layer
// implements it over SDL2; MemoryDisplay serves tests and headless tools.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/surface.h"

namespace quendrix {

struct DisplayMode {
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitCount = 0;
  bool operator==(const DisplayMode&) const = default;
};

// How one presentation places the back surface in the display's client area.
struct PresentRequest {
  TRect dest;               // client pixels; the back surface is scaled to it
  bool waitVBlank = false;  // wait for the vertical blank first
  bool flip = false;        // page flip instead of a copy
};

class DisplayDevice {
 public:
  virtual ~DisplayDevice() = default;

  // Modes the device lists for the mode choice; may be empty.
  virtual std::vector<DisplayMode> ListModes() = 0;
  // Takes the display in `mode`, full screen or in a window. False when the
  // mode is refused; the device is then closed.
  virtual bool Open(const DisplayMode& mode, bool fullScreen) = 0;
  virtual void Close() = 0;
  // Size of the area presentations draw into, while open.
  virtual int32_t ClientWidth() const = 0;
  virtual int32_t ClientHeight() const = 0;
  // True when another program took the display; Restore tries to get it back.
  virtual bool IsLost() const { return false; }
  virtual bool Restore() { return true; }
  virtual void Present(const TDirectDrawSurface& back, const PresentRequest& request) = 0;
};

// A display in memory: presenting copies the back surface into `Screen()`
// (nearest-sample scaling to the destination rectangle).
class MemoryDisplay : public DisplayDevice {
 public:
  MemoryDisplay() = default;

  // Modes to list; `accepted` empty means every mode with positive size opens.
  std::vector<DisplayMode> modes;
  std::vector<DisplayMode> accepted;
  bool lost = false;       // simulate another program taking the display
  bool restorable = true;  // whether Restore brings it back

  std::vector<DisplayMode> ListModes() override { return modes; }
  bool Open(const DisplayMode& mode, bool fullScreen) override;
  void Close() override;
  int32_t ClientWidth() const override { return screen_.Width(); }
  int32_t ClientHeight() const override { return screen_.Height(); }
  bool IsLost() const override { return lost; }
  bool Restore() override;
  void Present(const TDirectDrawSurface& back, const PresentRequest& request) override;

  bool IsOpen() const { return open_; }
  bool FullScreen() const { return fullScreen_; }
  const DisplayMode& Mode() const { return mode_; }
  const TDirectDrawSurface& Screen() const { return screen_; }
  int PresentCount() const { return presentCount_; }
  const PresentRequest& LastPresent() const { return lastPresent_; }

 private:
  bool open_ = false;
  bool fullScreen_ = false;
  DisplayMode mode_;
  TDirectDrawSurface screen_;
  int presentCount_ = 0;
  PresentRequest lastPresent_;
};

}  // namespace quendrix
