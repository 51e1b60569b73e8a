#include "media/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "media/blit.h"

namespace quendrix {

// ---- Canvas -------------------------------------------------------------

void TCanvas::SetPixel(int32_t x, int32_t y, TColor c) {
  surface_.PutRawPixel(x, y, TDirectDrawSurface::ToRgb565(ColorToRgb(c)));
}

TColor TCanvas::Pixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= surface_.Width() || y >= surface_.Height()) return kInvalid;
  return TDirectDrawSurface::FromRgb565(static_cast<uint16_t>(surface_.RawPixel(x, y)));
}

void TCanvas::LineTo(int32_t x, int32_t y) {
  const uint16_t raw = TDirectDrawSurface::ToRgb565(ColorToRgb(penColor_));
  // Bresenham over 64-bit differences so far-away end points cannot overflow;
  // only the part inside the surface is visited pixel by pixel.
  int64_t cx = penPos_.x, cy = penPos_.y;
  const int64_t dx = std::llabs(static_cast<int64_t>(x) - cx), sx = cx < x ? 1 : -1;
  const int64_t dy = -std::llabs(static_cast<int64_t>(y) - cy), sy = cy < y ? 1 : -1;
  int64_t err = dx + dy;
  const int64_t w = surface_.Width(), h = surface_.Height();
  while (cx != x || cy != y) {
    if (cx >= 0 && cy >= 0 && cx < w && cy < h)
      surface_.PutRawPixel(static_cast<int32_t>(cx), static_cast<int32_t>(cy), raw);
    const int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      cx += sx;
    }
    if (e2 <= dx) {
      err += dx;
      cy += sy;
    }
  }
  penPos_ = {x, y};
}

// ---- Surface ------------------------------------------------------------

void TDirectDrawSurface::SetSize(int32_t width, int32_t height) {
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (width_ == 0 || height_ == 0) width_ = height_ = 0;
  pixels_.assign(static_cast<size_t>(width_) * height_, 0);
  scratch_.assign(static_cast<size_t>(width_), 0);
}

void TDirectDrawSurface::FillRaw(uint32_t raw) {
  if (pixels_.empty()) return;
  const auto v = static_cast<uint16_t>(raw);
  if ((v & 0xFF) == (v >> 8)) {
    std::memset(pixels_.data(), v & 0xFF, pixels_.size() * sizeof(uint16_t));
    return;
  }
  // One row by hand, the rest copied from it: memcpy runs at memory speed.
  std::fill(pixels_.begin(), pixels_.begin() + width_, v);
  for (int32_t y = 1; y < height_; ++y)
    std::memcpy(Row(y), Row(0), static_cast<size_t>(width_) * sizeof(uint16_t));
}

uint16_t TDirectDrawSurface::ToRgb565(TColor c) {
  return static_cast<uint16_t>(((RedOf(c) >> 3) << 11) | ((GreenOf(c) >> 2) << 5) |
                               (BlueOf(c) >> 3));
}

TColor TDirectDrawSurface::FromRgb565(uint16_t raw) {
  const uint32_t r = raw >> 11, g = (raw >> 5) & 63, b = raw & 31;
  return MakeColor(static_cast<uint8_t>((r << 3) | (r >> 2)),
                   static_cast<uint8_t>((g << 2) | (g >> 4)),
                   static_cast<uint8_t>((b << 3) | (b >> 2)));
}

uint32_t TDirectDrawSurface::NativeColor(TColor color) const {
  // Computed directly: the pixel a canvas round trip would borrow is left as it is.
  return ToRgb565(ColorToRgb(color));
}

void TDirectDrawSurface::PutRawPixel(int32_t x, int32_t y, uint32_t raw) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  Row(y)[x] = static_cast<uint16_t>(raw);
}

uint32_t TDirectDrawSurface::RawPixel(int32_t x, int32_t y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return Row(y)[x];
}

TCanvas& TDirectDrawSurface::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(*this);
  canvasInUse_ = true;
  return *canvas_;
}

bool TDirectDrawSurface::Draw(int32_t x, int32_t y, const TDirectDrawSurface& src,
                              const TRect& srcRect, bool transparent) {
  // Work in 64 bits: rectangles near the int32 limits must clip, not wrap.
  int64_t sl = srcRect.left, st = srcRect.top, sr = srcRect.right, sb = srcRect.bottom;
  int64_t dx = x, dy = y;
  if (sl < 0) dx -= sl, sl = 0;
  if (st < 0) dy -= st, st = 0;
  sr = std::min<int64_t>(sr, src.width_);
  sb = std::min<int64_t>(sb, src.height_);
  if (dx < 0) sl -= dx, dx = 0;
  if (dy < 0) st -= dy, dy = 0;
  const int64_t w = std::min<int64_t>(sr - sl, width_ - dx);
  const int64_t h = std::min<int64_t>(sb - st, height_ - dy);
  if (w <= 0 || h <= 0) return false;
  const uint16_t key = src.colorKey_;
  for (int64_t row = 0; row < h; ++row) {
    blit::CopyRow(Row(static_cast<int32_t>(dy + row)) + dx,
                  src.Row(static_cast<int32_t>(st + row)) + sl, static_cast<int32_t>(w),
                  transparent, key);
  }
  return true;
}

bool TDirectDrawSurface::DrawBlend(int op, const TRect& destRect, const TDirectDrawSurface& src,
                                   const TRect& srcRect, bool transparent, int32_t alpha) {
  if (alpha <= 0) return false;
  const int64_t dw = static_cast<int64_t>(destRect.right) - destRect.left;
  const int64_t dh = static_cast<int64_t>(destRect.bottom) - destRect.top;
  const int64_t sw = static_cast<int64_t>(srcRect.right) - srcRect.left;
  const int64_t sh = static_cast<int64_t>(srcRect.bottom) - srcRect.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return false;
  const int64_t stepX = (sw << 16) / dw;
  const int64_t stepY = (sh << 16) / dh;

  const int32_t cl = std::max(destRect.left, 0), ct = std::max(destRect.top, 0);
  const int32_t cr = std::min(destRect.right, width_), cb = std::min(destRect.bottom, height_);
  if (cl >= cr || ct >= cb) return false;
  const int32_t n = cr - cl;

  const int64_t x0 = (static_cast<int64_t>(srcRect.left) << 16) +
                     (cl - static_cast<int64_t>(destRect.left)) * stepX;
  const int64_t y0 =
      (static_cast<int64_t>(srcRect.top) << 16) + (ct - static_cast<int64_t>(destRect.top)) * stepY;
  const int64_t xLast = x0 + (n - 1) * stepX;
  const int64_t yLast = y0 + (cb - ct - 1) * stepY;
  if ((x0 >> 16) < 0 || (y0 >> 16) < 0 || (xLast >> 16) >= src.width_ ||
      (yLast >> 16) >= src.height_)
    return false;

  const auto blendOp = static_cast<blit::BlendOp>(op);
  const bool unscaledX = stepX == 65536;
  // Twice the width (the common enlargement): the kernels read each source
  // pixel twice themselves instead of gathering the row first.
  const bool doubledX = stepX == 32768 && !(blendOp == blit::BlendOp::kAlpha && alpha >= 255);
  const uint16_t key = src.colorKey_;
  int64_t lastSourceRow = -1;
  for (int32_t y = ct; y < cb; ++y) {
    const int64_t sy = (y0 + (y - ct) * stepY) >> 16;
    const uint16_t* srcRow = src.Row(static_cast<int32_t>(sy));
    const uint16_t* from;
    if (unscaledX) {
      from = srcRow + (x0 >> 16);
    } else if (doubledX) {
      uint16_t* to = Row(y) + cl;
      const uint16_t* first = srcRow + (x0 >> 16);
      int32_t count = n;
      if (x0 & 0xFFFF) {  // starts on the second half of a source pixel
        blit::BlendRow(blendOp, to++, first++, 1, alpha, transparent, key);
        --count;
      }
      blit::BlendRowDoubled(blendOp, to, first, count, alpha, transparent, key);
      continue;
    } else {
      if (sy != lastSourceRow) {
        // Gather the scaled row once; enlarged pictures repeat it on following rows.
        blit::GatherRow(scratch_.data(), srcRow, n, x0, stepX);
        lastSourceRow = sy;
      }
      from = scratch_.data();
    }
    blit::BlendRow(blendOp, Row(y) + cl, from, n, alpha, transparent, key);
  }
  return true;
}

bool TDirectDrawSurface::DrawAdd(const TRect& destRect, const TDirectDrawSurface& src,
                                 const TRect& srcRect, bool transparent, int32_t alpha) {
  return DrawBlend(static_cast<int>(blit::BlendOp::kAdd), destRect, src, srcRect, transparent,
                   alpha);
}

bool TDirectDrawSurface::DrawAlpha(const TRect& destRect, const TDirectDrawSurface& src,
                                   const TRect& srcRect, bool transparent, int32_t alpha) {
  return DrawBlend(static_cast<int>(blit::BlendOp::kAlpha), destRect, src, srcRect, transparent,
                   alpha);
}

bool TDirectDrawSurface::DrawSub(const TRect& destRect, const TDirectDrawSurface& src,
                                 const TRect& srcRect, bool transparent, int32_t alpha) {
  return DrawBlend(static_cast<int>(blit::BlendOp::kSub), destRect, src, srcRect, transparent,
                   alpha);
}

}  // namespace quendrix
