#include "platform/png.h"

#include <SDL.h>
#include <SDL_image.h>

#include "media/surface.h"

namespace quendrix {
namespace {

// SDL only reads the pixels; they stay the caller's.
bool SaveRows(const void* pixels, int32_t width, int32_t height, int32_t bits, int32_t pitch,
              uint32_t format, const std::string& path) {
  if (pixels == nullptr || width <= 0 || height <= 0) return false;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<void*>(pixels), width, height,
                                                      bits, pitch, format);
  if (s == nullptr) return false;
  const bool ok = IMG_SavePNG(s, path.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

}  // namespace

bool SavePng(const uint16_t* pixels, int32_t width, int32_t height, const std::string& path) {
  return SaveRows(pixels, width, height, 16, width * 2, SDL_PIXELFORMAT_RGB565, path);
}

bool SavePngRgb32(const uint32_t* pixels, int32_t width, int32_t height, const std::string& path) {
  return SaveRows(pixels, width, height, 32, width * 4, SDL_PIXELFORMAT_RGB888, path);
}

bool SavePngRgb24(const uint8_t* pixels, int32_t width, int32_t height, const std::string& path) {
  return SaveRows(pixels, width, height, 24, width * 3, SDL_PIXELFORMAT_RGB24, path);
}

bool SavePng(const TDirectDrawSurface& surface, const std::string& path) {
  if (surface.Width() <= 0 || surface.Height() <= 0) return false;
  return SavePng(surface.Row(0), surface.Width(), surface.Height(), path);
}

}  // namespace quendrix
