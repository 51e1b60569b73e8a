// The screen on SDL2: a desktop-full-screen (or windowed) window whose
// logical size is the chosen display mode, letterboxed and scaled by whole
// steps where the screen allows, and one RGB565 streaming texture that each
// presentation uploads the back surface into.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/display.h"

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace quendrix {

class SdlDisplay : public DisplayDevice {
 public:
  // `title` is cp1251 (the window caption).
  explicit SdlDisplay(std::string title = "Quendrix");
  ~SdlDisplay() override;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // The usual modes; every one of them can be set, since the window scales.
  std::vector<DisplayMode> ListModes() override;
  // Makes the window, renderer and texture; false (device closed) when any
  // of them cannot be made.
  bool Open(const DisplayMode& mode, bool fullScreen) override;
  void Close() override;
  int32_t ClientWidth() const override { return open_ ? mode_.width : 0; }
  int32_t ClientHeight() const override { return open_ ? mode_.height : 0; }
  // Uploads the back surface and shows it at request.dest (letterboxed
  // black around it). waitVBlank switches vertical sync on for this and the
  // following presentations until a request without it.
  void Present(const TDirectDrawSurface& back, const PresentRequest& request) override;

  // Shows the last presented frame again, without waiting for the
  // vertical blank (the window was uncovered or resized).
  void Repaint();
  bool IsOpen() const { return open_; }
  // Frames shown by Present since the display was made.
  int64_t FramesPresented() const { return framesPresented_; }
  bool FullScreen() const { return fullScreen_; }
  // Alt+Enter and F11: full screen <-> window.
  void ToggleFullScreen();
  void SetTitle(const std::string& cp1251Title);
  // Shows or hides the system pointer over the window.
  void ShowCursor(bool show);
  // Writes the last presented frame as a PNG; returns the file's path, or
  // an empty string when nothing could be written.
  std::string SaveScreenshot(const std::string& folder);
  // The last error SDL reported while opening, for the caller's message.
  const std::string& LastError() const { return lastError_; }
  SDL_Window* Window() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }

 private:
  bool EnsureTexture(int32_t width, int32_t height);
  void UpdateScaling();

  std::string title_;
  bool videoInit_ = false;
  bool open_ = false;
  bool fullScreen_ = false;
  bool vsync_ = false;
  DisplayMode mode_;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int32_t textureWidth_ = 0;
  int32_t textureHeight_ = 0;
  std::vector<uint16_t> lastFrame_;     // for screenshots
  int32_t lastDest_[4] = {0, 0, 0, 0};  // x, y, w, h of the last presentation
  int32_t lastFrameWidth_ = 0;
  int32_t lastFrameHeight_ = 0;
  int64_t framesPresented_ = 0;
  std::string lastError_;
};

}  // namespace quendrix
