#include "platform/sdl_display.h"

#include <SDL.h>

#include "platform/screen.h"

namespace quendrix {

SdlDisplay::SdlDisplay(Screen& screen) : screen_(screen) {}

SdlDisplay::~SdlDisplay() {
  Close();
}

std::vector<DisplayMode> SdlDisplay::ListModes() {
  std::vector<DisplayMode> modes;
  for (const auto& [w, h] :
       {std::pair{512, 384}, {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}})
    for (int bits : {16, 32}) modes.push_back({w, h, bits});
  return modes;
}

bool SdlDisplay::Open(const DisplayMode& mode, bool fullScreen) {
  Close();
  if (mode.width <= 0 || mode.height <= 0) return false;
  if (!screen_.Open(fullScreen)) return false;
  texture_ = SDL_CreateTexture(screen_.Renderer(), SDL_PIXELFORMAT_RGB565,
                               SDL_TEXTUREACCESS_STREAMING, mode.width, mode.height);
  if (!texture_) return false;
  textureWidth_ = mode.width;
  textureHeight_ = mode.height;
  open_ = true;
  mode_ = mode;
  screen_.SetVSync(false);
  // The new mode starts black, as a freshly set display mode does.
  screen_.BeginFrame(mode.width, mode.height);
  screen_.EndFrame();
  return true;
}

void SdlDisplay::Close() {
  // The last frame stays in the screen's canvas until the next screen draws.
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  textureWidth_ = textureHeight_ = 0;
  open_ = false;
}

void SdlDisplay::Present(const TDirectDrawSurface& back, const PresentRequest& request) {
  if (!open_ || back.Width() == 0) return;
  screen_.SetVSync(request.waitVBlank);
  if (back.Width() != textureWidth_ || back.Height() != textureHeight_) {
    SDL_DestroyTexture(texture_);
    texture_ = SDL_CreateTexture(screen_.Renderer(), SDL_PIXELFORMAT_RGB565,
                                 SDL_TEXTUREACCESS_STREAMING, back.Width(), back.Height());
    textureWidth_ = texture_ ? back.Width() : 0;
    textureHeight_ = texture_ ? back.Height() : 0;
    if (!texture_) return;
  }
  SDL_UpdateTexture(texture_, nullptr, back.Row(0), back.Width() * 2);
  // Converted to the canvas's format at 1:1 first: the whole-number step
  // of the scaling then copies pixels of one format, far cheaper than
  // converting while stretching.
  SDL_Renderer* r = screen_.BeginFrame(mode_.width, mode_.height);
  if (!r) return;
  const TRect& d = request.dest;
  const SDL_Rect dest{d.left, d.top, d.Width(), d.Height()};
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  SDL_RenderCopy(r, texture_, nullptr, &dest);
  screen_.EndFrame();
}

}  // namespace quendrix
