// The play screen's display on the run's one window: "opening a display
// mode" sets the size of the picture the Screen scales onto the window and
// makes one RGB565 streaming texture that each presentation uploads the
// back surface into. Closing releases the texture; the window stays.
#pragma once

#include <cstdint>
#include <vector>

#include "media/display.h"

struct SDL_Texture;

namespace quendrix {

class Screen;

class SdlDisplay : public DisplayDevice {
 public:
  explicit SdlDisplay(Screen& screen);
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // The usual modes; every one of them can be set, since the window scales.
  std::vector<DisplayMode> ListModes() override;
  // Opens the screen when it is not open yet (full screen or in a window as
  // asked; an open one keeps the player's choice) and makes the texture.
  // False (device closed) when either cannot be made.
  bool Open(const DisplayMode& mode, bool fullScreen) override;
  void Close() override;
  int32_t ClientWidth() const override { return open_ ? mode_.width : 0; }
  int32_t ClientHeight() const override { return open_ ? mode_.height : 0; }
  // Uploads the back surface and shows it at request.dest of the mode's
  // picture (black around it). waitVBlank switches vertical sync on for
  // this and the following presentations until a request without it.
  void Present(const TDirectDrawSurface& back, const PresentRequest& request) override;

  bool IsOpen() const { return open_; }

 private:
  Screen& screen_;
  bool open_ = false;
  DisplayMode mode_;
  SDL_Texture* texture_ = nullptr;
  int32_t textureWidth_ = 0;
  int32_t textureHeight_ = 0;
};

}  // namespace quendrix
