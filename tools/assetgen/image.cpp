#include "image.h"

#include <algorithm>
#include <cmath>
#include <map>
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

namespace {

struct Counted {
  Rgb c;
  uint64_t n;
};

uint8_t Channel(const Rgb& c, int axis) {
  return axis == 0 ? c.r : axis == 1 ? c.g : c.b;
}

// A box of colours [begin, end) of the sorted histogram.
struct Box {
  size_t begin, end;
  uint64_t weight;
  int axis;   // longest side
  int range;  // its length
};

Box Measure(const std::vector<Counted>& h, size_t begin, size_t end) {
  Box b{begin, end, 0, 0, 0};
  int lo[3] = {255, 255, 255}, hi[3] = {0, 0, 0};
  for (size_t i = begin; i < end; ++i) {
    b.weight += h[i].n;
    for (int a = 0; a < 3; ++a) {
      lo[a] = std::min<int>(lo[a], Channel(h[i].c, a));
      hi[a] = std::max<int>(hi[a], Channel(h[i].c, a));
    }
  }
  for (int a = 0; a < 3; ++a)
    if (hi[a] - lo[a] > b.range) {
      b.range = hi[a] - lo[a];
      b.axis = a;
    }
  return b;
}

}  // namespace

Picture Quantise(const Picture& picture, int colours) {
  colours = std::clamp(colours, 1, 256);
  std::map<uint32_t, uint64_t> counts;
  for (const Rgb& c : picture.Pixels()) ++counts[(uint32_t{c.r} << 16) | (c.g << 8) | c.b];
  std::vector<Counted> h;
  h.reserve(counts.size());
  for (const auto& [key, n] : counts)
    h.push_back({Rgb{static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 8),
                     static_cast<uint8_t>(key)},
                 n});
  if (h.empty()) return picture;
  std::vector<Box> boxes{Measure(h, 0, h.size())};
  while (static_cast<int>(boxes.size()) < colours) {
    // Split the box whose longest side, weighted by its pixels, is largest;
    // ties go to the earliest box.
    size_t pick = boxes.size();
    double best = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2 || boxes[i].range == 0) continue;
      double score = boxes[i].range * std::sqrt(static_cast<double>(boxes[i].weight));
      if (score > best) {
        best = score;
        pick = i;
      }
    }
    if (pick == boxes.size()) break;
    Box b = boxes[pick];
    const int axis = b.axis;
    std::stable_sort(h.begin() + static_cast<std::ptrdiff_t>(b.begin),
                     h.begin() + static_cast<std::ptrdiff_t>(b.end),
                     [axis](const Counted& x, const Counted& y) {
                       return Channel(x.c, axis) < Channel(y.c, axis);
                     });
    uint64_t half = 0;
    size_t cut = b.begin + 1;
    for (size_t i = b.begin; i < b.end - 1; ++i) {
      half += h[i].n;
      cut = i + 1;
      if (2 * half >= b.weight) break;
    }
    boxes[pick] = Measure(h, b.begin, cut);
    boxes.push_back(Measure(h, cut, b.end));
  }
  std::vector<Rgb> palette;
  for (const Box& b : boxes) {
    uint64_t sum[3] = {0, 0, 0};
    for (size_t i = b.begin; i < b.end; ++i)
      for (int a = 0; a < 3; ++a) sum[a] += Channel(h[i].c, a) * h[i].n;
    auto mean = [&](int a) { return static_cast<uint8_t>((sum[a] + b.weight / 2) / b.weight); };
    palette.push_back(Narrow565({mean(0), mean(1), mean(2)}));
  }
  std::map<uint32_t, Rgb> nearest;
  for (const Counted& k : h) {
    int bestD = 1 << 30;
    Rgb best = palette[0];
    for (const Rgb& p : palette) {
      int dr = p.r - k.c.r, dg = p.g - k.c.g, db = p.b - k.c.b;
      // Green counts most, blue least, as the eye weighs them.
      int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (d < bestD) {
        bestD = d;
        best = p;
      }
    }
    nearest[(uint32_t{k.c.r} << 16) | (k.c.g << 8) | k.c.b] = best;
  }
  Picture out(picture.Width(), picture.Height());
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const Rgb c = picture.At(x, y);
      out.Set(x, y, nearest[(uint32_t{c.r} << 16) | (c.g << 8) | c.b]);
    }
  return out;
}

}  // namespace quendrix::assetgen
