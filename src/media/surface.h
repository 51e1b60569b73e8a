// The drawing surface: a block of RGB565 pixels in memory ("raw" values are
// these 16-bit native pixels), with an optional colour key, the blends, and a
// small GDI-style canvas.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/color.h"

namespace quendrix {

struct TPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// left/top inclusive, right/bottom exclusive for drawing.
struct TRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  int32_t Width() const { return right - left; }
  int32_t Height() const { return bottom - top; }
  bool operator==(const TRect&) const = default;
};

inline TRect Bounds(int32_t x, int32_t y, int32_t w, int32_t h) {
  return {x, y, x + w, y + h};
}

// Hit test with all four edges inside: left <= x <= right, top <= y <= bottom.
inline bool InsideRect(TPoint p, const TRect& r) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

class TDirectDrawSurface;

// Pen drawing on a surface in RGB colours; lines stop one pixel short of
// their end point, as on Windows.
class TCanvas {
 public:
  explicit TCanvas(TDirectDrawSurface& surface) : surface_(surface) {}

  void SetPenColor(TColor c) { penColor_ = c; }
  TPoint PenPos() const { return penPos_; }
  void MoveTo(int32_t x, int32_t y) { penPos_ = {x, y}; }
  // Draws from the pen position up to, not including, (x, y); the pen moves there.
  void LineTo(int32_t x, int32_t y);
  void SetPixel(int32_t x, int32_t y, TColor c);
  // RGB colour of a pixel (widened from the surface); kInvalid outside.
  TColor Pixel(int32_t x, int32_t y) const;
  static constexpr TColor kInvalid = 0xFFFFFFFF;

 private:
  TDirectDrawSurface& surface_;
  TColor penColor_ = clBlack;
  TPoint penPos_;
};

class TDirectDrawSurface {
 public:
  TDirectDrawSurface() = default;
  TDirectDrawSurface(int32_t width, int32_t height) { SetSize(width, height); }
  TDirectDrawSurface(const TDirectDrawSurface&) = delete;
  TDirectDrawSurface& operator=(const TDirectDrawSurface&) = delete;

  // New size, all pixels 0. A negative size counts as 0.
  void SetSize(int32_t width, int32_t height);
  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }

  // Row y (0 ... Height()-1) of Width() raw pixels.
  uint16_t* Row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const uint16_t* Row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
  const std::vector<uint16_t>& Pixels() const { return pixels_; }

  // Every pixel set to the low 16 bits of `raw`.
  void FillRaw(uint32_t raw);
  // The raw value this surface stores for an RGB colour (system colours resolve first).
  uint32_t NativeColor(TColor color) const;
  static uint16_t ToRgb565(TColor color);
  static TColor FromRgb565(uint16_t raw);
  // Writes the low 16 bits at (x, y); nothing outside the surface.
  void PutRawPixel(int32_t x, int32_t y, uint32_t raw);
  // Raw value at (x, y); 0 outside.
  uint32_t RawPixel(int32_t x, int32_t y) const;

  TCanvas& Canvas();
  void ReleaseCanvas() { canvasInUse_ = false; }
  bool CanvasInUse() const { return canvasInUse_; }

  // Source colour key: with `transparent` set in a draw, source pixels of
  // this raw value are skipped.
  void SetColorKey(uint16_t raw) { colorKey_ = raw; }
  uint16_t ColorKey() const { return colorKey_; }

  // Copies `src`'s rectangle with its top-left at (x, y), clipped to this
  // surface (and to the source). Returns false when nothing was drawn.
  bool Draw(int32_t x, int32_t y, const TDirectDrawSurface& src, const TRect& srcRect,
            bool transparent);

  // Blends `src`'s rectangle scaled to `destRect`: the destination rectangle
  // is clipped to this surface first, then walked in 16.16 fixed-point steps
  // of (source size * 65536) div (destination size), nearest sample. Nothing
  // is drawn for alpha <= 0, an empty or inverted rectangle, or a source
  // rectangle that would read outside `src`. alpha 255 or more is full strength.
  bool DrawAdd(const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
               bool transparent, int32_t alpha);
  bool DrawAlpha(const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
                 bool transparent, int32_t alpha);
  bool DrawSub(const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
               bool transparent, int32_t alpha);

 private:
  bool DrawBlend(int op, const TRect& destRect, const TDirectDrawSurface& src, const TRect& srcRect,
                 bool transparent, int32_t alpha);

  int32_t width_ = 0;
  int32_t height_ = 0;
  std::vector<uint16_t> pixels_;
  std::vector<uint16_t> scratch_;  // one scaled source row, sized with the surface
  uint16_t colorKey_ = 0;
  bool canvasInUse_ = false;
  std::unique_ptr<TCanvas> canvas_;
};

}  // namespace quendrix
