#include "platform/png.h"

#include <SDL.h>
#include <SDL_image.h>

#include "media/surface.h"

namespace quendrix {

bool SavePng(const uint16_t* pixels, int32_t width, int32_t height, const std::string& path) {
  if (pixels == nullptr || width <= 0 || height <= 0) return false;
  // SDL only reads the pixels; they stay the caller's.
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint16_t*>(pixels), width, height,
                                                      16, width * 2, SDL_PIXELFORMAT_RGB565);
  if (s == nullptr) return false;
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

bool SavePngRgb24(const uint8_t* pixels, int32_t width, int32_t height, const std::string& path) {
  if (pixels == nullptr || width <= 0 || height <= 0) return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(pixels), width, height,
                                                      24, width * 3, SDL_PIXELFORMAT_RGB24);
  if (s == nullptr) return false;
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

bool SavePng(const TDirectDrawSurface& surface, const std::string& path) {
  if (surface.Width() <= 0 || surface.Height() <= 0) return false;
  return SavePng(surface.Row(0), surface.Width(), surface.Height(), path);
}

}  // namespace quendrix
