// A true-colour picture in memory: what an image-list item owns, what a skin
// or texture bitmap loads into, and what the list-file writer takes.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "media/color.h"

namespace quendrix {

class Bitmap {
 public:
  Bitmap() = default;
  // width x height pixels of one colour; a negative size counts as 0.
  Bitmap(int32_t width, int32_t height, TColor fill = clBlack);

  // From 3 bytes per pixel, red, green, blue, rows top to bottom, no padding.
  // Throws std::invalid_argument when the byte count is not width*height*3.
  static Bitmap FromRgb24(int32_t width, int32_t height, std::span<const uint8_t> rgb);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  // Outside the picture: reading gives kInvalidPixel, writing does nothing.
  static constexpr TColor kInvalidPixel = 0xFFFFFFFF;
  TColor Pixel(int32_t x, int32_t y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidPixel;
    return pixels_[static_cast<size_t>(y) * width_ + x];
  }
  void SetPixel(int32_t x, int32_t y, TColor c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = c & 0xFFFFFF;
  }

  // Row y, top row 0, Width() pixels of 0x00BBGGRR. y must be in range.
  const TColor* Row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  TColor* Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * width_; }

  bool operator==(const Bitmap&) const = default;

 private:
  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<TColor> pixels_;
};

// Windows BMP file bytes -> picture. Reads 1, 4 and 8-bit palette pictures
// (uncompressed or run-length encoded), 16-bit (5-5-5 or bit fields), 24-bit
// and 32-bit (plain or bit fields), stored bottom-up or top-down. Anything
// else, or data that does not hold what its headers promise, throws
// MediaError "Bitmap image is not valid". `bitCount`, when given, receives
// the stored depth (1, 4, 8, 16, 24 or 32).
Bitmap DecodeBmp(std::span<const uint8_t> bytes, uint16_t* bitCount = nullptr);

// Picture -> a bottom-up BMP file of 24 bits per pixel, or of 8 with a
// palette. The palette holds the picture's own colours in ascending
// 0x00BBGGRR order, so the same picture always gives the same bytes; a
// picture of more than 256 colours, or any other depth, throws
// std::invalid_argument.
std::vector<uint8_t> EncodeBmp(const Bitmap& bitmap, int bitCount = 24);

// File forms of the two; a missing file throws FileError.
Bitmap LoadBmpFile(const std::string& path);
void SaveBmpFile(const std::string& path, const Bitmap& bitmap);

}  // namespace quendrix
