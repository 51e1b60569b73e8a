// PNG pictures of drawn frames (screenshots, tools), through SDL2_image.
#pragma once

#include <cstdint>
#include <string>

namespace quendrix {

class TDirectDrawSurface;

// Writes `width` x `height` RGB565 pixels, rows `width` pixels apart, as a
// PNG file. The pixels are only read. False when the file cannot be written.
bool SavePng(const uint16_t* pixels, int32_t width, int32_t height, const std::string& path);
bool SavePng(const TDirectDrawSurface& surface, const std::string& path);
// The same for 32-bit pixels 0xAARRGGBB (alpha ignored), rows `width`
// pixels apart: true colour, for pictures that are not RGB565.
bool SavePngRgb32(const uint32_t* pixels, int32_t width, int32_t height, const std::string& path);
// The same for 8-bit R, G, B triples, rows `width` * 3 bytes apart.
bool SavePngRgb24(const uint8_t* pixels, int32_t width, int32_t height, const std::string& path);

}  // namespace quendrix
