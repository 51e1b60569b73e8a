// Pictures of the generator. Art is painted on a Canvas (a cairo ARGB32
// image surface, premultiplied alpha) and then flattened into a Picture: plain
// 24-bit RGB, every colour already one the game's 16-bit (RGB565) surface can
// hold, so that what the generator previews is what the game shows, and a
// colour key stays a colour key after the conversion.
#pragma once

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quendrix::assetgen {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb kBlack{0, 0, 0};

// 0..255 channel nearest to v in the 5-bit (or 6-bit) grid of RGB565,
// widened back by bit replication, so truncating it to 5 or 6 bits gives the
// same grid value as rounding would.
uint8_t Narrow5(uint8_t v);
uint8_t Narrow6(uint8_t v);
Rgb Narrow565(Rgb c);

// Plain RGB picture, row-major, top row first.
class Picture {
 public:
  Picture() = default;
  Picture(int width, int height, Rgb fill = kBlack);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
  void Set(int x, int y, Rgb c) { pixels_[static_cast<size_t>(y) * width_ + x] = c; }
  const std::vector<Rgb>& Pixels() const { return pixels_; }

  // Copies `src` with its top-left at (x, y), clipped.
  void Paste(const Picture& src, int x, int y);
  // Copies the rectangle (sx, sy, w, h) of this picture into a new one.
  Picture Crop(int sx, int sy, int w, int h) const;
  // True when every pixel of the rectangle equals c.
  bool IsUniform(int sx, int sy, int w, int h, Rgb c) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// A cairo ARGB32 surface with its context; owns both.
class Canvas {
 public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  cairo_t* Cr() const { return cr_; }
  cairo_surface_t* Surface() const { return surface_; }

  // Premultiplied pixel (a, r, g, b 0..255) after flushing the drawing.
  void Pixel(int x, int y, uint8_t& a, uint8_t& r, uint8_t& g, uint8_t& b) const;

 private:
  int width_;
  int height_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// How a canvas becomes a picture.
struct FlattenOptions {
  // Colour of the transparent pixels; the picture's colour key.
  Rgb key = kBlack;
  // Pixels with coverage below this (0..255) become the key. Others are
  // composited over `matte`, so anti-aliased rims blend into the outline
  // colour the art was drawn with rather than into the key.
  int threshold = 112;
  Rgb matte = kBlack;
  // For pictures the game blends (additive, subtractive, alpha): the
  // premultiplied colour itself is the result, faded pixels fade to black.
  bool premultiplied = false;
};

Picture Flatten(const Canvas& canvas, const FlattenOptions& options);

// The picture reduced to at most `colours` colours (1 ... 256) by median
// cut: boxes of the picture's own colours, weighted by how many pixels use
// them, are split at the weighted median of their longest side until there
// are `colours` boxes; each pixel takes the nearest box average, narrowed to
// RGB565. Deterministic: the same picture always gives the same result.
Picture Quantise(const Picture& picture, int colours = 256);

// The colour one RGB565 grid step away from `key`, for art pixels that
// would otherwise narrow into the key and vanish.
Rgb NextToKey(Rgb key);

}  // namespace quendrix::assetgen
