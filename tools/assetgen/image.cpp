#include "image.h"

#include <algorithm>
#include <stdexcept>

namespace quendrix::assetgen {

uint8_t Narrow5(uint8_t v) {
  int q = (v * 31 + 127) / 255;
  return static_cast<uint8_t>((q << 3) | (q >> 2));
}

uint8_t Narrow6(uint8_t v) {
  int q = (v * 63 + 127) / 255;
  return static_cast<uint8_t>((q << 2) | (q >> 4));
}

Rgb Narrow565(Rgb c) {
  return {Narrow5(c.r), Narrow6(c.g), Narrow5(c.b)};
}

Rgb NextToKey(Rgb key) {
  Rgb k = Narrow565(key);
  // Green has the finest steps; move it towards the middle of its range.
  int q = k.g >> 2;
  q += q < 32 ? 1 : -1;
  k.g = static_cast<uint8_t>((q << 2) | (q >> 4));
  return k;
}

Picture::Picture(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {
  if (width < 0 || height < 0) throw std::invalid_argument("negative picture size");
}

void Picture::Paste(const Picture& src, int x, int y) {
  for (int j = 0; j < src.Height(); ++j) {
    int ty = y + j;
    if (ty < 0 || ty >= height_) continue;
    for (int i = 0; i < src.Width(); ++i) {
      int tx = x + i;
      if (tx < 0 || tx >= width_) continue;
      Set(tx, ty, src.At(i, j));
    }
  }
}

Picture Picture::Crop(int sx, int sy, int w, int h) const {
  Picture out(w, h);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      int x = sx + i, y = sy + j;
      if (x >= 0 && y >= 0 && x < width_ && y < height_) out.Set(i, j, At(x, y));
    }
  return out;
}

bool Picture::IsUniform(int sx, int sy, int w, int h, Rgb c) const {
  for (int j = sy; j < sy + h; ++j)
    for (int i = sx; i < sx + w; ++i)
      if (!(At(i, j) == c)) return false;
  return true;
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
  if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot make a drawing surface");
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::Pixel(int x, int y, uint8_t& a, uint8_t& r, uint8_t& g, uint8_t& b) const {
  cairo_surface_flush(surface_);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  uint32_t p = *reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride + 4 * x);
  a = static_cast<uint8_t>(p >> 24);
  r = static_cast<uint8_t>(p >> 16);
  g = static_cast<uint8_t>(p >> 8);
  b = static_cast<uint8_t>(p);
}

Picture Flatten(const Canvas& canvas, const FlattenOptions& options) {
  Picture out(canvas.Width(), canvas.Height(), options.key);
  Rgb key = Narrow565(options.key);
  Rgb off = NextToKey(key);
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      uint8_t a, r, g, b;
      canvas.Pixel(x, y, a, r, g, b);
      Rgb c;
      if (options.premultiplied) {
        c = Narrow565({r, g, b});
        out.Set(x, y, c);
        continue;
      }
      if (a < options.threshold) {
        out.Set(x, y, key);
        continue;
      }
      // Composite the premultiplied colour over the matte.
      auto over = [a](uint8_t p, uint8_t m) {
        return static_cast<uint8_t>(std::min(255, p + (m * (255 - a) + 127) / 255));
      };
      c = Narrow565({over(r, options.matte.r), over(g, options.matte.g), over(b, options.matte.b)});
      if (c == key) c = off;
      out.Set(x, y, c);
    }
  return out;
}

}  // namespace quendrix::assetgen
