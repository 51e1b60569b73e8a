#include "hole_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

#include "core/angles.h"
#include "core/cp1251.h"
#include "core/random.h"
#include "draw.h"
#include "game/course_areas.h"
#include "hole_sprites.h"

namespace quendrix::assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Rails: a rail is drawn as a bar this thick (across its line) and this
// high (raised up the screen), standing on the middle of its 8 px band.
constexpr double kRailThick = 6;
constexpr int kRailHigh = 6;
// Rows of a rail's body closer than this to its foot stay out of the
// overlay, so a ball resting in front of a rail is never cut by it.
constexpr double kOverlayClearance = 3;

struct Look {
  Rgb floor, floorDark, floorLight;
  Rgb back, backDark;
  Rgb railTop, railSide, railEdge, railGlow;
  Rgb sand, sandDark;
  Rgb water, waterDeep, waterLight;
  Rgb slopeMark;
  Rgb cupRim, cupHole;
};

const Look& LookOf(Theme t) {
  static const Look garden{{100, 184, 72}, {78, 150, 56},   {124, 204, 90},  {62, 122, 48},
                           {44, 96, 38},   {222, 180, 120}, {164, 114, 66},  {92, 60, 36},
                           {0, 0, 0},      {238, 214, 150}, {204, 172, 108}, {56, 128, 206},
                           {30, 82, 160},  {150, 204, 244}, {236, 248, 220}, {250, 250, 244},
                           {22, 34, 20}};
  static const Look space{{76, 90, 118},  {54, 64, 88},    {104, 122, 156}, {10, 12, 30},
                          {4, 6, 16},     {150, 226, 255}, {64, 82, 116},   {26, 32, 50},
                          {60, 200, 255}, {182, 146, 110}, {140, 108, 80},  {24, 6, 40},
                          {8, 0, 16},     {150, 70, 220},  {90, 230, 255},  {120, 240, 255},
                          {6, 10, 20}};
  return t == Theme::kSpace ? space : garden;
}

uint64_t NameSeed(const std::string& name, uint64_t salt) {
  uint64_t h = 1469598103934665603ull;
  for (char c : name) h = (h ^ static_cast<uint8_t>(c)) * 1099511628211ull;
  return h ^ (salt * 0x9E3779B97F4A7C15ull);
}

// Smooth value noise 0 ... 1 on a lattice `scale` pixels apart.
double Hash(int x, int y, uint64_t seed) {
  uint64_t h = seed ^ (static_cast<uint64_t>(static_cast<uint32_t>(x)) * 0x9E3779B1ull) ^
               (static_cast<uint64_t>(static_cast<uint32_t>(y)) * 0x85EBCA77C2B2AE63ull);
  h ^= h >> 33;
  h *= 0xFF51AFD7ED558CCDull;
  h ^= h >> 33;
  h *= 0xC4CEB9FE1A85EC53ull;
  h ^= h >> 33;
  return static_cast<double>(h >> 11) / 9007199254740992.0;
}

double Noise(double x, double y, double scale, uint64_t seed) {
  const double fx = x / scale, fy = y / scale;
  const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
  double tx = fx - ix, ty = fy - iy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const double a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
  const double c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

Rgb Scale(Rgb c, double f) {
  auto ch = [f](uint8_t v) {
    return static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(v * f)), 0, 255));
  };
  return {ch(c.r), ch(c.g), ch(c.b)};
}

// Direct access to an opaque canvas' pixels.
class Pixels {
 public:
  explicit Pixels(Canvas& c) : canvas_(c) {
    cairo_surface_flush(c.Surface());
    data_ = cairo_image_surface_get_data(c.Surface());
    stride_ = cairo_image_surface_get_stride(c.Surface());
  }
  ~Pixels() { cairo_surface_mark_dirty(canvas_.Surface()); }
  Pixels(const Pixels&) = delete;
  Pixels& operator=(const Pixels&) = delete;

  void Set(int x, int y, Rgb c) {
    Word(x, y) = 0xFF000000u | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
  }
  Rgb Get(int x, int y) {
    const uint32_t p = Word(x, y);
    return {static_cast<uint8_t>(p >> 16), static_cast<uint8_t>(p >> 8), static_cast<uint8_t>(p)};
  }
  uint8_t Alpha(int x, int y) { return static_cast<uint8_t>(Word(x, y) >> 24); }

 private:
  uint32_t& Word(int x, int y) {
    return *reinterpret_cast<uint32_t*>(data_ + static_cast<size_t>(y) * stride_ + 4 * x);
  }
  Canvas& canvas_;
  unsigned char* data_ = nullptr;
  int stride_ = 0;
};

// Box blur of a float field, separable, `passes` times.
std::vector<float> BlurField(const std::vector<float>& in, int w, int h, int radius, int passes) {
  std::vector<float> a = in, b(in.size());
  for (int p = 0; p < passes; ++p) {
    for (int y = 0; y < h; ++y) {
      float sum = 0;
      int count = 0;
      for (int x = -radius; x < w + radius; ++x) {
        const int add = x + radius, sub = x - radius - 1;
        if (add < w) {
          sum += a[static_cast<size_t>(y) * w + add];
          ++count;
        }
        if (sub >= 0) {
          sum -= a[static_cast<size_t>(y) * w + sub];
          --count;
        }
        if (x >= 0 && x < w) b[static_cast<size_t>(y) * w + x] = sum / std::max(count, 1);
      }
    }
    for (int x = 0; x < w; ++x) {
      float sum = 0;
      int count = 0;
      for (int y = -radius; y < h + radius; ++y) {
        const int add = y + radius, sub = y - radius - 1;
        if (add < h) {
          sum += b[static_cast<size_t>(add) * w + x];
          ++count;
        }
        if (sub >= 0) {
          sum -= b[static_cast<size_t>(sub) * w + x];
          --count;
        }
        if (y >= 0 && y < h) a[static_cast<size_t>(y) * w + x] = sum / std::max(count, 1);
      }
    }
  }
  return a;
}

// ---------------------------------------------------------------- shapes

void GroundEllipse(cairo_t* cr, double cx, double cy, double r) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 1, 0.5);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, std::max(r, 0.5), 0, 2 * kPi);
  cairo_restore(cr);
}

bool IsSegment(const arearec& a) {
  return a.r < 1 && a.x3 == 0 && a.x4 == 0;
}
bool IsQuad(const arearec& a) {
  return a.r < 1 && a.x3 != 0 && a.x4 != 0;
}

// The area's shape as a path: the ground circle (an ellipse r wide and r/2
// high), the quadrilateral, or the 8 px band of a segment.
void AreaPath(cairo_t* cr, const arearec& a) {
  cairo_new_path(cr);
  if (a.r > 0) {
    GroundEllipse(cr, a.x1, a.y1, a.r);
  } else if (IsQuad(a)) {
    cairo_move_to(cr, a.x1, a.y1);
    cairo_line_to(cr, a.x2, a.y2);
    cairo_line_to(cr, a.x3, a.y3);
    cairo_line_to(cr, a.x4, a.y4);
    cairo_close_path(cr);
  } else {
    const double dx = a.x2 - a.x1, dy = a.y2 - a.y1;
    const double len = std::max(std::hypot(dx, dy), 1e-9);
    const double nx = -dy / len * 4, ny = dx / len * 4;
    cairo_move_to(cr, a.x1 + nx, a.y1 + ny);
    cairo_line_to(cr, a.x2 + nx, a.y2 + ny);
    cairo_line_to(cr, a.x2 - nx, a.y2 - ny);
    cairo_line_to(cr, a.x1 - nx, a.y1 - ny);
    cairo_close_path(cr);
  }
}

void AreaBox(const arearec& a, double& x0, double& y0, double& x1, double& y1) {
  if (a.r > 0) {
    x0 = a.x1 - a.r;
    x1 = a.x1 + a.r;
    y0 = a.y1 - a.r / 2.0;
    y1 = a.y1 + a.r / 2.0;
  } else if (IsQuad(a)) {
    x0 = std::min({a.x1, a.x2, a.x3, a.x4});
    x1 = std::max({a.x1, a.x2, a.x3, a.x4});
    y0 = std::min({a.y1, a.y2, a.y3, a.y4});
    y1 = std::max({a.y1, a.y2, a.y3, a.y4});
  } else {
    x0 = std::min(a.x1, a.x2) - 4;
    x1 = std::max(a.x1, a.x2) + 4;
    y0 = std::min(a.y1, a.y2) - 4;
    y1 = std::max(a.y1, a.y2) + 4;
  }
}

// The downhill vector of a push direction as the player sees it.
void PushVector(int32_t direction, double& ux, double& uy) {
  ux = BinCos(direction);
  uy = BinSin(direction);
}

// Chevrons pointing along (ux, uy), in rows `spacing` apart, clipped to the
// current clip.
void Chevrons(cairo_t* cr, double x0, double y0, double x1, double y1, double ux, double uy,
              double spacing, double size, Rgb colour, double alpha, double width) {
  const double vx = -uy, vy = ux;  // across
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double reach = std::hypot(x1 - x0, y1 - y0) / 2 + spacing;
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, colour, alpha);
  for (double s = -reach; s <= reach; s += spacing) {
    for (double t = -reach; t <= reach; t += spacing * 1.3) {
      const double px = cx + ux * s + vx * t, py = cy + uy * s + vy * t;
      cairo_move_to(cr, px - ux * size + vx * size, py - uy * size + vy * size);
      cairo_line_to(cr, px, py);
      cairo_line_to(cr, px - ux * size - vx * size, py - uy * size - vy * size);
    }
  }
  cairo_stroke(cr);
}

// ---------------------------------------------------------- backgrounds

void GardenBackground(Canvas& canvas, const HoleModel& m, const Look& look) {
  {
    Pixels px(canvas);
    const uint64_t seed = NameSeed(m.name, 1);
    for (int y = 0; y < m.height; ++y) {
      for (int x = 0; x < m.width; ++x) {
        const double n = Noise(x, y, 48, seed) * 0.6 + Noise(x, y, 13, seed + 1) * 0.4;
        const double grain = Hash(x, y, seed + 2) * 0.08 - 0.04;
        px.Set(x, y, Scale(Mix(look.backDark, look.back, n), 0.96 + grain));
      }
    }
  }
  // Flowers and shrubs well away from the course.
  cairo_t* cr = canvas.Cr();
  Pcg32 rng(NameSeed(m.name, 3), 7);
  auto clear = [&](double x, double y, double margin) {
    for (double dy = -margin; dy <= margin; dy += margin / 2)
      for (double dx = -margin; dx <= margin; dx += margin / 2)
        if (m.Floor(static_cast<int>(x + dx), static_cast<int>(y + dy))) return false;
    return true;
  };
  const Rgb petals[] = {
      {246, 120, 160}, {255, 220, 90}, {250, 250, 250}, {190, 140, 250}, {255, 160, 80}};
  const int clusters = m.width * m.height / 9000;
  for (int k = 0; k < clusters; ++k) {
    const double x = rng.RandomBelow(m.width), y = rng.RandomBelow(m.height);
    if (!clear(x, y, 22)) continue;
    const Rgb petal = petals[rng.RandomBelow(5)];
    for (int f = 0; f < 7; ++f) {
      const double fx = x + rng.RandomBelow(24) - 12, fy = y + (rng.RandomBelow(14) - 7);
      SetColour(cr, Scale(look.backDark, 0.8));
      GroundEllipse(cr, fx + 1, fy + 1.5, 3);
      cairo_fill(cr);
      SetColour(cr, petal);
      GroundEllipse(cr, fx, fy, 2.6);
      cairo_fill(cr);
      SetColour(cr, Rgb{255, 236, 120});
      cairo_arc(cr, fx, fy, 0.8, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
  const int shrubs = m.width * m.height / 60000;
  for (int k = 0; k < shrubs; ++k) {
    const double x = rng.RandomBelow(m.width), y = rng.RandomBelow(m.height);
    const double r = 14 + rng.RandomBelow(12);
    if (!clear(x, y + r * 0.3, r + 26)) continue;
    SetColour(cr, Rgb{20, 50, 20}, 0.35);
    GroundEllipse(cr, x + 6, y + r * 0.45, r * 1.1);
    cairo_fill(cr);
    for (int b = 0; b < 5; ++b) {
      const double bx = x + (b - 2) * r * 0.35, by = y - (b % 2) * r * 0.35;
      RadialGradient(cr, bx - r * 0.2, by - r * 0.3, r * 0.8, Rgb{96, 170, 70}, Rgb{34, 86, 34});
      cairo_arc(cr, bx, by, r * 0.6, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
}

void SpaceBackground(Canvas& canvas, const HoleModel& m, const Look& look) {
  {
    Pixels px(canvas);
    const uint64_t seed = NameSeed(m.name, 11);
    for (int y = 0; y < m.height; ++y) {
      const double t = static_cast<double>(y) / m.height;
      const Rgb base = Mix(look.back, look.backDark, t);
      for (int x = 0; x < m.width; ++x) {
        const double n = Noise(x, y, 170, seed) * 0.6 + Noise(x, y, 64, seed + 1) * 0.4;
        const double t2 = std::clamp((n - 0.35) / 0.45, 0.0, 1.0);
        px.Set(x, y, Mix(base, Rgb{36, 22, 70}, t2 * t2 * (3 - 2 * t2) * 0.55));
      }
    }
  }
  cairo_t* cr = canvas.Cr();
  Pcg32 rng(NameSeed(m.name, 12), 9);
  // Nebulae.
  const Rgb clouds[] = {{120, 60, 200}, {30, 130, 170}, {170, 60, 120}};
  for (int k = 0; k < 3; ++k) {
    const double x = rng.RandomBelow(m.width), y = rng.RandomBelow(m.height);
    const double r = 220 + rng.RandomBelow(260);
    RadialGradient(cr, x, y, r, clouds[k], clouds[k], 0.22, 0.0);
    cairo_arc(cr, x, y, r, 0, 2 * kPi);
    cairo_fill(cr);
  }
  // Stars.
  const int stars = m.width * m.height / 260;
  for (int k = 0; k < stars; ++k) {
    const double x = rng.RandomBelow(m.width) + 0.5, y = rng.RandomBelow(m.height) + 0.5;
    const int b = rng.RandomBelow(100);
    const Rgb c = b < 70 ? Rgb{180, 190, 230} : b < 90 ? Rgb{255, 240, 200} : Rgb{200, 230, 255};
    const double size = b < 80 ? 0.6 : b < 97 ? 1.0 : 1.5;
    SetColour(cr, c, 0.5 + rng.RandomBelow(50) / 100.0);
    cairo_arc(cr, x, y, size, 0, 2 * kPi);
    cairo_fill(cr);
    if (b >= 98) {
      cairo_set_line_width(cr, 0.8);
      SetColour(cr, c, 0.6);
      cairo_move_to(cr, x - 5, y);
      cairo_line_to(cr, x + 5, y);
      cairo_move_to(cr, x, y - 5);
      cairo_line_to(cr, x, y + 5);
      cairo_stroke(cr);
    }
  }
}

// ---------------------------------------------------------------- floor

void PaintFloor(Canvas& canvas, const HoleModel& m, const Look& look) {
  const int w = m.width, h = m.height;
  std::vector<float> mask(static_cast<size_t>(w) * h);
  for (size_t i = 0; i < mask.size(); ++i) mask[i] = m.floor[i] == 1 ? 1.0f : 0.0f;
  const std::vector<float> soft = BlurField(mask, w, h, 5, 2);
  // The deck's thickness shows below its lower edges on the space course.
  const bool space = m.theme == Theme::kSpace;
  Pixels px(canvas);
  const uint64_t seed = NameSeed(m.name, 21);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const size_t o = static_cast<size_t>(y) * w + x;
      if (m.floor[o] == 2) {
        // A block the rails shut in: a clipped hedge with flowers, or a
        // bulkhead's hull plating.
        if (space) {
          const bool seam = (x + y) % 24 == 0;
          const double n = Noise(x, y, 20, seed + 9);
          px.Set(x, y, seam ? Rgb{84, 96, 126} : Scale(Rgb{118, 132, 162}, 0.9 + n * 0.15));
        } else {
          const double leaf = Noise(x, y, 5, seed + 7) * 0.7 + Noise(x, y, 17, seed + 8) * 0.3;
          Rgb c = Mix(Rgb{34, 92, 36}, Rgb{92, 164, 70}, leaf);
          if (Hash(x / 3, y / 3, seed + 10) > 0.985)
            c = Rgb{250, 236, 120};
          else if (Hash(x / 3, y / 3, seed + 11) > 0.988)
            c = Rgb{250, 150, 190};
          px.Set(x, y, c);
        }
        continue;
      }
      if (m.floor[o] != 1) {
        if (space) {
          // Side face of the deck, 10 px deep.
          for (int d = 1; d <= 10; ++d) {
            if (y - d < 0 || m.floor[o - static_cast<size_t>(d) * w] != 1) continue;
            px.Set(x, y, Mix(Rgb{52, 60, 84}, Rgb{22, 26, 40}, d / 10.0));
            break;
          }
        }
        continue;
      }
      Rgb c;
      if (space) {
        // Deck plates, 64 x 32, each a touch lighter or darker.
        const int pxl = x / 64, pyl = y / 32;
        const int lx = x - pxl * 64, ly = y - pyl * 32;
        const double shade = 0.94 + Hash(pxl, pyl, seed) * 0.12;
        c = Scale(look.floor, shade + (Noise(x, y, 30, seed + 5) - 0.5) * 0.06);
        if (lx == 0 || ly == 0) c = look.floorDark;
        if (lx == 1 || ly == 1) c = Scale(look.floorLight, shade);
        const bool rivet = (lx == 5 || lx == 58) && (ly == 5 || ly == 26);
        if (rivet) c = look.floorLight;
      } else {
        // Mown stripes across the slant, a little mottling and grain.
        const bool stripe = ((x + 2 * y) / 56) % 2 == 0;
        const double n = Noise(x, y, 36, seed) - 0.5;
        c = Scale(look.floor,
                  (stripe ? 1.04 : 0.97) + n * 0.08 + (Hash(x, y, seed + 3) - 0.5) * 0.05);
      }
      // Darker towards the rails.
      const double edge = std::clamp((1.0 - soft[o]) * 1.6, 0.0, 1.0);
      px.Set(x, y, Mix(c, Scale(c, 0.72), edge));
    }
  }
}

// ------------------------------------------------------------- features

void ClipTo(cairo_t* cr, const arearec& a) {
  AreaPath(cr, a);
  cairo_clip(cr);
}

void Slope(cairo_t* cr, const arearec& a, const Look& look, Theme theme) {
  double x0, y0, x1, y1, ux, uy;
  AreaBox(a, x0, y0, x1, y1);
  PushVector(PushDirection(a.kind), ux, uy);
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double reach = std::abs(ux) * (x1 - x0) / 2 + std::abs(uy) * (y1 - y0) / 2 + 1;
  cairo_save(cr);
  ClipTo(cr, a);
  cairo_pattern_t* g = cairo_pattern_create_linear(cx - ux * reach, cy - uy * reach,
                                                   cx + ux * reach, cy + uy * reach);
  if (theme == Theme::kSpace) {
    cairo_pattern_add_color_stop_rgba(g, 0, 0.30, 0.36, 0.50, 1);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.14, 0.17, 0.26, 1);
  } else {
    // Uphill end catches the light, downhill end falls into shade.
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 0.85, 0.22);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 1, 1, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0.1, 0, 0.30);
  }
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  if (theme == Theme::kSpace) {
    // A belt that waits for its switch shows its arrows unlit.
    Chevrons(cr, x0, y0, x1, y1, ux, uy, 26, 7, a.enabled ? look.slopeMark : Rgb{120, 130, 150},
             a.enabled ? 0.75 : 0.45, 2.4);
  } else {
    Chevrons(cr, x0, y0, x1, y1, ux, uy, 30, 6, look.slopeMark, 0.45, 1.6);
  }
  cairo_restore(cr);
  AreaPath(cr, a);
  SetColour(cr, theme == Theme::kSpace ? look.railGlow : Scale(look.floorDark, 0.9),
            theme == Theme::kSpace ? 0.5 : 0.35);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
}

void Ramp(cairo_t* cr, const arearec& a, Theme theme) {
  double x0, y0, x1, y1, ux, uy;
  AreaBox(a, x0, y0, x1, y1);
  PushVector(PushDirection(a.kind), ux, uy);
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double reach = std::abs(ux) * (x1 - x0) / 2 + std::abs(uy) * (y1 - y0) / 2 + 1;
  // Lighter at the uphill end (-push), where a climbing ball takes off.
  const double lx = cx - ux * reach, ly = cy - uy * reach;
  const double fx = cx + ux * reach, fy = cy + uy * reach;
  cairo_save(cr);
  ClipTo(cr, a);
  cairo_pattern_t* g = cairo_pattern_create_linear(lx, ly, fx, fy);
  if (theme == Theme::kSpace) {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.78, 0.80, 0.86);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.42, 0.46, 0.54);
  } else {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.86, 0.64, 0.40);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.58, 0.40, 0.22);
  }
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
  // Planks or treads across the slope.
  const double vx = -uy, vy = ux;
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, theme == Theme::kSpace ? Rgb{60, 66, 80} : Rgb{110, 72, 40}, 0.8);
  for (double s = -reach; s <= reach; s += theme == Theme::kSpace ? 8 : 11) {
    const double px = cx + ux * s, py = cy + uy * s;
    cairo_move_to(cr, px - vx * 400, py - vy * 400);
    cairo_line_to(cr, px + vx * 400, py + vy * 400);
  }
  cairo_stroke(cr);
  // Arrows up the ramp: the way a ball must climb it to be thrown.
  Chevrons(cr, x0, y0, x1, y1, -ux, -uy, 22, 6,
           theme == Theme::kSpace ? Rgb{250, 206, 40} : Rgb{255, 240, 200}, 0.7, 2.2);
  // The lips: the edges that face uphill, where the ball takes off. Hazard
  // stripes on the station, a dark board in the garden.
  if (IsQuad(a)) {
    const double px[4] = {double(a.x1), double(a.x2), double(a.x3), double(a.x4)};
    const double py[4] = {double(a.y1), double(a.y2), double(a.y3), double(a.y4)};
    for (int e = 0; e < 4; ++e) {
      const int f = (e + 1) % 4;
      double nx = py[f] - py[e], ny = -(px[f] - px[e]);
      const double len = std::max(std::hypot(nx, ny), 1e-9);
      nx /= len;
      ny /= len;
      // Outward: away from the middle.
      if (nx * ((px[e] + px[f]) / 2 - cx) + ny * ((py[e] + py[f]) / 2 - cy) < 0) {
        nx = -nx;
        ny = -ny;
      }
      if (nx * ux + ny * uy > -0.3) continue;
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
      cairo_set_line_width(cr, 10);
      SetColour(cr, theme == Theme::kSpace ? Rgb{40, 40, 44} : Rgb{96, 60, 30});
      cairo_move_to(cr, px[e], py[e]);
      cairo_line_to(cr, px[f], py[f]);
      cairo_stroke(cr);
      if (theme == Theme::kSpace) {
        const std::vector<double> dash{6, 6};
        cairo_set_dash(cr, dash.data(), 2, 0);
        SetColour(cr, Rgb{250, 206, 40});
        cairo_move_to(cr, px[e], py[e]);
        cairo_line_to(cr, px[f], py[f]);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
      } else {
        cairo_set_line_width(cr, 2);
        SetColour(cr, Rgb{236, 196, 140});
        cairo_move_to(cr, px[e] - nx * 5, py[e] - ny * 5);
        cairo_line_to(cr, px[f] - nx * 5, py[f] - ny * 5);
        cairo_stroke(cr);
      }
    }
  }
  cairo_restore(cr);
  AreaPath(cr, a);
  SetColour(cr, theme == Theme::kSpace ? Rgb{30, 34, 44} : Rgb{80, 50, 26});
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
}

void Sand(cairo_t* cr, const arearec& a, const Look& look, const std::string& name, int i) {
  double x0, y0, x1, y1;
  AreaBox(a, x0, y0, x1, y1);
  // A soft rim first, then the sand with its grains.
  AreaPath(cr, a);
  SetColour(cr, look.sandDark);
  cairo_set_line_width(cr, 5);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColour(cr, look.sand);
  cairo_fill(cr);
  cairo_save(cr);
  ClipTo(cr, a);
  RadialGradient(cr, (x0 + x1) / 2 - (x1 - x0) * 0.2, (y0 + y1) / 2 - (y1 - y0) * 0.3,
                 std::max(x1 - x0, y1 - y0) * 0.8, Rgb{255, 246, 210}, look.sand, 0.6, 0.0);
  cairo_paint(cr);
  Pcg32 rng(NameSeed(name, 40 + i), 3);
  const int grains = static_cast<int>((x1 - x0) * (y1 - y0) / 14);
  for (int k = 0; k < grains; ++k) {
    const double gx = x0 + rng.RandomBelow(static_cast<int>(x1 - x0) + 1);
    const double gy = y0 + rng.RandomBelow(static_cast<int>(y1 - y0) + 1);
    SetColour(cr, rng.RandomBelow(2) ? look.sandDark : Rgb{255, 244, 214}, 0.55);
    cairo_rectangle(cr, gx, gy, 1, 1);
    cairo_fill(cr);
  }
  // Rake lines.
  cairo_set_line_width(cr, 1);
  SetColour(cr, look.sandDark, 0.35);
  for (double yy = y0 + 6; yy < y1; yy += 9) {
    cairo_move_to(cr, x0, yy);
    for (double xx = x0; xx <= x1; xx += 12) cairo_line_to(cr, xx, yy + std::sin(xx / 9.0) * 1.5);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Water(cairo_t* cr, const arearec& a, const Look& look, Theme theme, const std::string& name,
           int i) {
  double x0, y0, x1, y1;
  AreaBox(a, x0, y0, x1, y1);
  const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const double big = std::max(x1 - x0, y1 - y0);
  if (theme == Theme::kSpace) {
    // A rift in the deck: black depths, a violet glow, hazard stripes round it.
    AreaPath(cr, a);
    SetColour(cr, Rgb{250, 206, 40});
    cairo_set_line_width(cr, 9);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke_preserve(cr);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_set_line_width(cr, 9);
    const std::vector<double> dash{10, 10};
    cairo_set_dash(cr, dash.data(), 2, 0);
    SetColour(cr, Rgb{34, 34, 40});
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    cairo_save(cr);
    ClipTo(cr, a);
    SetColour(cr, look.waterDeep);
    cairo_paint(cr);
    RadialGradient(cr, cx, cy, big * 0.7, look.waterLight, look.water, 0.35, 0.0);
    cairo_paint(cr);
    Pcg32 rng(NameSeed(name, 60 + i), 5);
    for (int k = 0; k < static_cast<int>(big / 6); ++k) {
      const double sx = x0 + rng.RandomBelow(static_cast<int>(x1 - x0) + 1);
      const double sy = y0 + rng.RandomBelow(static_cast<int>(y1 - y0) + 1);
      SetColour(cr, Rgb{200, 170, 255}, 0.4 + rng.RandomBelow(50) / 100.0);
      cairo_arc(cr, sx, sy, 0.7, 0, 2 * kPi);
      cairo_fill(cr);
    }
    cairo_restore(cr);
    return;
  }
  // A pond or brook: a grassy bank, then water darker towards its middle.
  AreaPath(cr, a);
  SetColour(cr, Rgb{60, 110, 50});
  cairo_set_line_width(cr, 8);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  SetColour(cr, Rgb{140, 120, 80});
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  SetColour(cr, look.water);
  cairo_fill(cr);
  cairo_save(cr);
  ClipTo(cr, a);
  RadialGradient(cr, cx, cy, big * 0.6, look.waterDeep, look.water, 0.7, 0.0);
  cairo_paint(cr);
  // Light ripples.
  Pcg32 rng(NameSeed(name, 70 + i), 5);
  cairo_set_line_width(cr, 1.4);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const int ripples = static_cast<int>((x1 - x0) * (y1 - y0) / 2200) + 3;
  for (int k = 0; k < ripples; ++k) {
    const double rx = x0 + rng.RandomBelow(static_cast<int>(x1 - x0) + 1);
    const double ry = y0 + rng.RandomBelow(static_cast<int>(y1 - y0) + 1);
    const double len = 6 + rng.RandomBelow(14);
    SetColour(cr, look.waterLight, 0.55);
    cairo_move_to(cr, rx - len, ry);
    cairo_curve_to(cr, rx - len / 2, ry - 2, rx + len / 2, ry - 2, rx + len, ry);
    cairo_stroke(cr);
  }
  // Inner shade along the bank.
  AreaPath(cr, a);
  SetColour(cr, Rgb{10, 40, 90}, 0.35);
  cairo_set_line_width(cr, 10);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Rough(cairo_t* cr, const arearec& a, const std::string& name, int i) {
  double x0, y0, x1, y1;
  AreaBox(a, x0, y0, x1, y1);
  cairo_save(cr);
  ClipTo(cr, a);
  SetColour(cr, Rgb{66, 134, 46}, 0.85);
  cairo_paint(cr);
  Pcg32 rng(NameSeed(name, 80 + i), 5);
  cairo_set_line_width(cr, 1.1);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  const int blades = static_cast<int>((x1 - x0) * (y1 - y0) / 16);
  for (int k = 0; k < blades; ++k) {
    const double bx = x0 + rng.RandomBelow(static_cast<int>(x1 - x0) + 1);
    const double by = y0 + rng.RandomBelow(static_cast<int>(y1 - y0) + 8);
    const double lean = (rng.RandomBelow(9) - 4) * 0.8, tall = 5 + rng.RandomBelow(6);
    SetColour(cr, rng.RandomBelow(3) == 0 ? Rgb{140, 200, 90} : Rgb{40, 96, 30}, 0.85);
    cairo_move_to(cr, bx, by);
    cairo_curve_to(cr, bx, by - tall / 2, bx + lean, by - tall, bx + lean * 1.5, by - tall);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void Funnel(cairo_t* cr, const arearec& a, Theme theme) {
  // A shallow bowl: rings closing in on the middle, darker inside.
  RadialGradient(cr, a.x1, a.y1, a.r, Rgb{0, 0, 0}, Rgb{0, 0, 0}, 0.22, 0.0);
  cairo_save(cr);
  cairo_translate(cr, a.x1, a.y1);
  cairo_scale(cr, 1, 0.5);
  cairo_translate(cr, -a.x1, -a.y1);
  cairo_arc(cr, a.x1, a.y1, a.r, 0, 2 * kPi);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_set_line_width(cr, 1);
  for (double r = a.r; r > 14; r -= 9) {
    GroundEllipse(cr, a.x1, a.y1, r);
    SetColour(cr, theme == Theme::kSpace ? Rgb{90, 220, 255} : Rgb{220, 250, 200},
              0.18 + 0.25 * (1 - r / a.r));
    cairo_stroke(cr);
  }
}

void Field(cairo_t* cr, const arearec& a, const Look& look) {
  double x0, y0, x1, y1;
  AreaBox(a, x0, y0, x1, y1);
  cairo_save(cr);
  ClipTo(cr, a);
  SetColour(cr, look.railGlow, 0.16);
  cairo_paint(cr);
  cairo_set_line_width(cr, 1);
  SetColour(cr, look.railGlow, 0.35);
  for (double x = x0 - (y1 - y0); x < x1; x += 14) {
    cairo_move_to(cr, x, y1);
    cairo_line_to(cr, x + (y1 - y0), y0);
    cairo_move_to(cr, x, y0);
    cairo_line_to(cr, x + (y1 - y0), y1);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
  AreaPath(cr, a);
  SetColour(cr, look.railGlow, 0.7);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

// The face of a step: the band and the p1 pixels below it, which a ball
// skips as it drops.
void Ledge(cairo_t* cr, const arearec& a, Theme theme) {
  double x0, y0, x1, y1;
  AreaBox(a, x0, y0, x1, y1);
  const double bottom = y1 + std::max(a.p1, 0);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, bottom);
  if (theme == Theme::kSpace) {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.62, 0.86, 1.0);
    cairo_pattern_add_color_stop_rgb(g, 0.12, 0.32, 0.38, 0.52);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.12, 0.14, 0.22);
  } else {
    cairo_pattern_add_color_stop_rgb(g, 0, 0.62, 0.82, 0.42);
    cairo_pattern_add_color_stop_rgb(g, 0.15, 0.52, 0.40, 0.26);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.30, 0.22, 0.14);
  }
  cairo_rectangle(cr, x0, y0, x1 - x0, bottom - y0);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Stones or panel seams on the face.
  cairo_set_line_width(cr, 1);
  SetColour(cr, Rgb{0, 0, 0}, 0.25);
  for (double x = x0 + 14; x < x1; x += theme == Theme::kSpace ? 32 : 18) {
    cairo_move_to(cr, x, y0 + 4);
    cairo_line_to(cr, x, bottom);
  }
  cairo_stroke(cr);
  // Shadow cast on the lower floor.
  cairo_pattern_t* s = cairo_pattern_create_linear(0, bottom, 0, bottom + 10);
  cairo_pattern_add_color_stop_rgba(s, 0, 0, 0, 0, 0.35);
  cairo_pattern_add_color_stop_rgba(s, 1, 0, 0, 0, 0);
  cairo_rectangle(cr, x0, bottom, x1 - x0, 10);
  cairo_set_source(cr, s);
  cairo_fill(cr);
  cairo_pattern_destroy(s);
}

void Pad(cairo_t* cr, const arearec& a, Theme theme, Rgb pair) {
  if (theme == Theme::kSpace) {
    SetColour(cr, Rgb{30, 40, 60});
    GroundEllipse(cr, a.x1, a.y1, a.r + 4);
    cairo_fill(cr);
    RadialGradient(cr, a.x1, a.y1, a.r, Mix(pair, Rgb{255, 255, 255}, 0.7), pair, 1, 0.3);
    GroundEllipse(cr, a.x1, a.y1, a.r);
    cairo_fill(cr);
    for (double r = a.r; r > 3; r -= 5) {
      GroundEllipse(cr, a.x1, a.y1, r);
      SetColour(cr, Mix(pair, Rgb{255, 255, 255}, 0.3), 0.85);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
    }
  } else {
    // A rabbit hole: a mound of dug earth round a dark burrow.
    SetColour(cr, Rgb{120, 86, 52});
    GroundEllipse(cr, a.x1, a.y1, a.r + 7);
    cairo_fill(cr);
    SetColour(cr, Rgb{150, 110, 70});
    GroundEllipse(cr, a.x1 - 2, a.y1 - 1, a.r + 3);
    cairo_fill(cr);
    SetColour(cr, Rgb{26, 18, 10});
    GroundEllipse(cr, a.x1, a.y1, a.r - 1);
    cairo_fill(cr);
  }
}

// The round mouth of a drain or tube; `cover` marks the opening for the
// cover picture.
void PipeMouth(cairo_t* cr, double x, double y, double r, Theme theme, Rgb pair) {
  SetColour(cr, theme == Theme::kSpace ? Rgb{40, 48, 66} : Rgb{70, 74, 72});
  GroundEllipse(cr, x, y + 1, r + 5);
  cairo_fill(cr);
  SetColour(cr, theme == Theme::kSpace ? Rgb{150, 170, 200} : Rgb{170, 176, 170});
  GroundEllipse(cr, x, y, r + 4);
  cairo_fill(cr);
  SetColour(cr, Rgb{14, 16, 20});
  GroundEllipse(cr, x, y, r);
  cairo_fill(cr);
  if (theme == Theme::kSpace) {
    GroundEllipse(cr, x, y, r + 2);
    SetColour(cr, pair, 0.9);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
  } else {
    // Grate bars.
    cairo_save(cr);
    GroundEllipse(cr, x, y, r);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, Rgb{120, 124, 120});
    for (double bx = x - r; bx <= x + r; bx += 5) {
      cairo_move_to(cr, bx, y - r);
      cairo_line_to(cr, bx, y + r);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

// Where a pipe lets the ball out: a short spout pointing along the arrow.
void PipeSpout(cairo_t* cr, const arearec& a, Theme theme, Rgb pair) {
  double ux = a.x4 - a.x3, uy = a.y4 - a.y3;
  const double len = std::max(std::hypot(ux, uy), 1e-9);
  ux /= len;
  uy /= len;
  const double x = a.x2, y = a.y2;
  SetColour(cr, Rgb{0, 0, 0}, 0.25);
  GroundEllipse(cr, x + 2, y + 3, 14);
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 12);
  SetColour(cr, theme == Theme::kSpace ? Rgb{110, 126, 156} : Rgb{150, 154, 150});
  cairo_move_to(cr, x - ux * 12, y - uy * 12 * 0.5);
  cairo_line_to(cr, x, y);
  cairo_stroke(cr);
  SetColour(cr, Rgb{20, 22, 26});
  GroundEllipse(cr, x + ux * 2, y + uy, 4.5);
  cairo_fill(cr);
  if (theme == Theme::kSpace) {
    GroundEllipse(cr, x + ux * 2, y + uy, 6.5);
    SetColour(cr, pair, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
}

void Launcher(cairo_t* cr, const arearec& a, Theme theme) {
  const double x = a.x1, y = a.y1, r = std::max(a.r, 8);
  switch (a.kind) {
    case AreaKind::kPopper:  // a mole hill
      SetColour(cr, Rgb{0, 0, 0}, 0.25);
      GroundEllipse(cr, x + 3, y + 2, r + 4);
      cairo_fill(cr);
      RadialGradient(cr, x - 3, y - 5, r + 6, Rgb{170, 124, 78}, Rgb{98, 66, 38});
      cairo_save(cr);
      cairo_translate(cr, x, y - 2);
      cairo_scale(cr, 1, 0.62);
      cairo_arc(cr, 0, 0, r + 2, 0, 2 * kPi);
      cairo_restore(cr);
      cairo_fill(cr);
      SetColour(cr, Rgb{40, 26, 14});
      GroundEllipse(cr, x, y - 4, 4);
      cairo_fill(cr);
      break;
    case AreaKind::kSpringboard:  // a spring plank
      SetColour(cr, Rgb{0, 0, 0}, 0.25);
      GroundEllipse(cr, x + 3, y + 3, r);
      cairo_fill(cr);
      SetColour(cr, Rgb{120, 124, 130});
      cairo_set_line_width(cr, 2);
      for (int k = 0; k < 3; ++k) {
        GroundEllipse(cr, x, y - k * 3, r * 0.45);
        cairo_stroke(cr);
      }
      RoundedRect(cr, x - r, y - r * 0.5 - 8, 2 * r, r, 3);
      SetColour(cr, Rgb{214, 160, 96});
      cairo_fill_preserve(cr);
      SetColour(cr, Rgb{120, 76, 36});
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      break;
    case AreaKind::kSpringboard2: {  // a fan: a grille over spinning blades
      SetColour(cr, Rgb{30, 36, 52});
      GroundEllipse(cr, x, y, r + 5);
      cairo_fill(cr);
      SetColour(cr, Rgb{150, 170, 200});
      GroundEllipse(cr, x, y, r + 3);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      SetColour(cr, Rgb{90, 230, 255}, 0.6);
      for (int k = 0; k < 4; ++k) {
        const double ang = k * kPi / 2 + 0.4;
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + std::cos(ang) * r, y + std::sin(ang) * r * 0.5);
        cairo_line_to(cr, x + std::cos(ang + 0.6) * r, y + std::sin(ang + 0.6) * r * 0.5);
        cairo_close_path(cr);
      }
      cairo_fill(cr);
      break;
    }
    case AreaKind::kKicker:  // a log in the garden, a booster ring on the station
      if (theme == Theme::kSpace) {
        RadialGradient(cr, x, y, r, Rgb{255, 200, 90}, Rgb{200, 80, 30}, 1, 0.5);
        GroundEllipse(cr, x, y, r);
        cairo_fill(cr);
        cairo_save(cr);
        GroundEllipse(cr, x, y, r - 2);
        cairo_clip(cr);
        Chevrons(cr, x - r, y - r / 2, x + r, y + r / 2, 0, -1, 7, 3, Rgb{255, 250, 220}, 0.9, 1.5);
        cairo_restore(cr);
        GroundEllipse(cr, x, y, r);
        SetColour(cr, Rgb{255, 240, 200});
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
      } else {
        SetColour(cr, Rgb{0, 0, 0}, 0.25);
        GroundEllipse(cr, x + 3, y + 4, r + 2);
        cairo_fill(cr);
        RoundedRect(cr, x - r - 4, y - 8, 2 * r + 8, 12, 6);
        SetColour(cr, Rgb{140, 94, 52});
        cairo_fill_preserve(cr);
        SetColour(cr, Rgb{86, 56, 28});
        cairo_set_line_width(cr, 1.5);
        cairo_stroke(cr);
        SetColour(cr, Rgb{214, 176, 120});
        GroundEllipse(cr, x + r + 1, y - 2, 6);
        cairo_fill(cr);
      }
      break;
    case AreaKind::kBlaster:  // a repulsor post's socket (its glow is a decoration)
      SetColour(cr, Rgb{0, 0, 0}, 0.3);
      GroundEllipse(cr, x + 3, y + 3, r + 6);
      cairo_fill(cr);
      SetColour(cr, Rgb{110, 126, 160});
      GroundEllipse(cr, x, y, r + 6);
      cairo_fill(cr);
      SetColour(cr, Rgb{40, 200, 110});
      GroundEllipse(cr, x, y, r);
      cairo_fill(cr);
      SetColour(cr, Rgb{190, 255, 210});
      GroundEllipse(cr, x, y - 1, r * 0.5);
      cairo_fill(cr);
      break;
    case AreaKind::kCatapult:  // the road worker's mattress
      SetColour(cr, Rgb{0, 0, 0}, 0.3);
      GroundEllipse(cr, x + 3, y + 3, r + 8);
      cairo_fill(cr);
      break;
    default:
      break;
  }
}

void Plate(cairo_t* cr, const arearec& a, Theme theme) {
  const double x = a.x1, y = a.y1, r = std::max(a.r, 8);
  if (a.kind == AreaKind::kSwitch) {
    SetColour(cr, Rgb{30, 34, 46});
    GroundEllipse(cr, x, y + 1, r + 2);
    cairo_fill(cr);
    RadialGradient(cr, x, y, r, Rgb{255, 240, 150}, Rgb{220, 140, 30});
    GroundEllipse(cr, x, y, r - 2);
    cairo_fill(cr);
    SetColour(cr, Rgb{60, 40, 10});
    cairo_set_line_width(cr, 1.5);
    GroundEllipse(cr, x, y, r * 0.45);
    cairo_stroke(cr);
    return;
  }
  if (a.kind == AreaKind::kOneShot) {
    if (theme == Theme::kSpace) {  // alarm sensor
      SetColour(cr, Rgb{40, 20, 24});
      GroundEllipse(cr, x, y, r);
      cairo_fill(cr);
      cairo_set_line_width(cr, 2);
      SetColour(cr, Rgb{255, 70, 60}, 0.85);
      for (double rr = r - 2; rr > 4; rr -= 6) {
        GroundEllipse(cr, x, y, rr);
        cairo_stroke(cr);
      }
    } else {  // a frog on a lily pad
      SetColour(cr, Rgb{50, 130, 60});
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_scale(cr, 1, 0.5);
      cairo_move_to(cr, 0, 0);
      cairo_arc(cr, 0, 0, r, 0.3, 2 * kPi - 0.1);
      cairo_close_path(cr);
      cairo_restore(cr);
      cairo_fill(cr);
      SetColour(cr, Rgb{110, 190, 80});
      cairo_arc(cr, x - 1, y - 4, 4.5, 0, 2 * kPi);
      cairo_fill(cr);
      SetColour(cr, Rgb{250, 250, 230});
      cairo_arc(cr, x - 3.5, y - 8, 1.6, 0, 2 * kPi);
      cairo_arc(cr, x + 1.5, y - 8, 1.6, 0, 2 * kPi);
      cairo_fill(cr);
      SetColour(cr, Rgb{10, 10, 10});
      cairo_arc(cr, x - 3.5, y - 8, 0.7, 0, 2 * kPi);
      cairo_arc(cr, x + 1.5, y - 8, 0.7, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
}

void Cup(cairo_t* cr, const arearec& a, const Look& look, Theme theme) {
  const double x = a.x1, y = a.y1;
  if (theme == Theme::kSpace) {
    RadialGradient(cr, x, y, 24, look.railGlow, look.railGlow, 0.45, 0.0);
    GroundEllipse(cr, x, y, 24);
    cairo_fill(cr);
  } else {
    SetColour(cr, Scale(look.floor, 1.08));
    GroundEllipse(cr, x, y, 22);
    cairo_fill(cr);
  }
  SetColour(cr, look.cupRim);
  GroundEllipse(cr, x, y, 11);
  cairo_fill(cr);
  SetColour(cr, look.cupHole);
  GroundEllipse(cr, x, y, 9);
  cairo_fill(cr);
  // The far inside wall catches some light.
  cairo_save(cr);
  GroundEllipse(cr, x, y, 9);
  cairo_clip(cr);
  SetColour(cr, Rgb{90, 96, 100}, 0.8);
  GroundEllipse(cr, x, y + 3.2, 9);
  cairo_set_line_width(cr, 2.2);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void BonusSpot(cairo_t* cr, const arearec& a, Theme theme) {
  GroundEllipse(cr, a.x1, a.y1, a.r + 2);
  SetColour(cr, theme == Theme::kSpace ? Rgb{255, 230, 120} : Rgb{255, 236, 130}, 0.5);
  cairo_set_line_width(cr, 1.5);
  const std::vector<double> dash{4, 4};
  cairo_set_dash(cr, dash.data(), 2, 0);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
}

// ---------------------------------------------------------------- rails

struct Rail {
  double x1, y1, x2, y2;
  bool gate;  // switched by a hole animation: drawn as two emitter posts
};

std::vector<Rail> Rails(const HoleModel& m) {
  std::vector<Rail> rails;
  const std::vector<int> switched = SwitchedAreas(m.name);
  for (int i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = m.areas[i];
    if (!IsWallKind(a.kind) || !IsSegment(a)) continue;
    const bool gate = std::find(switched.begin(), switched.end(), i) != switched.end();
    rails.push_back({double(a.x1), double(a.y1), double(a.x2), double(a.y2), gate});
  }
  return rails;
}

void RailStroke(cairo_t* cr, const Rail& r, double lift) {
  cairo_move_to(cr, r.x1, r.y1 - lift);
  cairo_line_to(cr, r.x2, r.y2 - lift);
}

// One pass of rails at every height, so that a rail in front covers the
// body of one behind it where they meet.
void PaintRails(cairo_t* cr, const std::vector<Rail>& rails, const Look& look, Theme theme) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  // Shadows on the floor.
  cairo_set_line_width(cr, kRailThick + 4);
  SetColour(cr, Rgb{0, 0, 0}, 0.22);
  for (const Rail& r : rails) {
    if (r.gate) continue;
    cairo_move_to(cr, r.x1 + 3, r.y1 + 3);
    cairo_line_to(cr, r.x2 + 3, r.y2 + 3);
  }
  cairo_stroke(cr);
  // Outline, then the body layer by layer, then the top.
  cairo_set_line_width(cr, kRailThick + 2);
  SetColour(cr, look.railEdge);
  for (const Rail& r : rails) {
    if (r.gate) continue;
    for (int k = 0; k <= kRailHigh; k += 2) RailStroke(cr, r, k);
    RailStroke(cr, r, kRailHigh);
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, kRailThick);
  SetColour(cr, look.railSide);
  for (const Rail& r : rails) {
    if (r.gate) continue;
    for (int k = 0; k < kRailHigh; ++k) RailStroke(cr, r, k);
  }
  cairo_stroke(cr);
  SetColour(cr, look.railTop);
  for (const Rail& r : rails) {
    if (!r.gate) RailStroke(cr, r, kRailHigh);
  }
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1.4);
  SetColour(cr, theme == Theme::kSpace ? Rgb{230, 250, 255} : Rgb{248, 222, 170});
  for (const Rail& r : rails) {
    if (!r.gate) RailStroke(cr, r, kRailHigh + 1.2);
  }
  cairo_stroke(cr);
  // Gates: a post at either end.
  for (const Rail& r : rails) {
    if (!r.gate) continue;
    for (int e = 0; e < 2; ++e) {
      const double x = e ? r.x2 : r.x1, y = e ? r.y2 : r.y1;
      SetColour(cr, Rgb{0, 0, 0}, 0.3);
      GroundEllipse(cr, x + 3, y + 3, 9);
      cairo_fill(cr);
      RoundedRect(cr, x - 6, y - 22, 12, 24, 3);
      SetColour(cr, Rgb{90, 100, 130});
      cairo_fill_preserve(cr);
      SetColour(cr, look.railEdge);
      cairo_set_line_width(cr, 1.5);
      cairo_stroke(cr);
      SetColour(cr, Rgb{255, 80, 90});
      cairo_arc(cr, x, y - 16, 3, 0, 2 * kPi);
      cairo_fill(cr);
    }
  }
}

// Where a rail's body may go into the overlay: above its foot line by the
// clearance (and above the upper end of an upright rail).
void RailOverlayClip(cairo_t* cr, const Rail& r) {
  const double far = 60;
  if (std::abs(r.x2 - r.x1) < 0.5) {
    const double top = std::min(r.y1, r.y2) - kOverlayClearance;
    cairo_rectangle(cr, r.x1 - 10, top - far, 20, far);
    return;
  }
  const double ax = std::min(r.x1, r.x2) - 8, bx = std::max(r.x1, r.x2) + 8;
  const double slope = (r.y2 - r.y1) / (r.x2 - r.x1);
  const auto lineY = [&](double x) { return r.y1 + (x - r.x1) * slope - kOverlayClearance; };
  cairo_move_to(cr, ax, lineY(ax));
  cairo_line_to(cr, bx, lineY(bx));
  cairo_line_to(cr, bx, lineY(bx) - far);
  cairo_line_to(cr, ax, lineY(ax) - far);
  cairo_close_path(cr);
}

// ---------------------------------------------------------------- props

// Flat things of particular holes, under the rails.
void PaintGroundProps(cairo_t* cr, const HoleModel& m) {
  if (m.name == "course1hole6") {
    // The footbridge's deck between its rails, where the brook passes under.
    cairo_move_to(cr, 627, 520);
    cairo_line_to(cr, 727, 520);
    cairo_line_to(cr, 745, 570);
    cairo_line_to(cr, 645, 570);
    cairo_close_path(cr);
    SetColour(cr, Rgb{176, 124, 76});
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_set_line_width(cr, 1.5);
    SetColour(cr, Rgb{110, 72, 40});
    for (double x = 600; x < 770; x += 10) {
      cairo_move_to(cr, x, 520);
      cairo_line_to(cr, x + 18, 570);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
  }
}

// Static things of particular holes, drawn into the course picture; `tall`
// receives the parts a ball can pass behind (for the overlay).
void PaintProps(cairo_t* cr, cairo_t* tall, const HoleModel& m) {
  const auto both = [&](const std::function<void(cairo_t*)>& draw) {
    draw(cr);
    draw(tall);
  };
  if (m.name == "course2hole1") {
    // The rock spire: base at (496, 935), crown near (496, 800).
    both([](cairo_t* c) { RockSpire(c, 496, 935); });
  }
  if (m.name == "course2hole3") WorkerPicture(cr, 1006, 71, 0);
  if (m.name == "course1hole3") {
    // Trees whose light and shade the decorations dapple.
    both([](cairo_t* c) {
      TreeCanopy(c, 200, 92, 62);
      TreeCanopy(c, 1010, 118, 58);
      TreeCanopy(c, 560, 930, 56);
    });
  }
  if (m.name == "course1hole4") Bush(cr, 590, 178, 26);
}

}  // namespace

// Draws the whole course picture and the mask of what goes into the overlay.
static void DrawCourse(const HoleModel& m, Canvas& canvas, Canvas& overlayMask) {
  const Look& look = LookOf(m.theme);
  if (m.theme == Theme::kSpace) {
    SpaceBackground(canvas, m, look);
  } else {
    GardenBackground(canvas, m, look);
  }
  PaintFloor(canvas, m, look);
  // The areas are drawn on a layer of their own and laid on the floor only,
  // so a sand trap or a slope never shows past the rail round its corner.
  Canvas layer(m.width, m.height);
  cairo_t* cr = layer.Cr();
  using enum AreaKind;
  const auto each = [&](const std::function<bool(AreaKind)>& kinds,
                        const std::function<void(const arearec&, int)>& draw) {
    for (int i = 1; i <= kMaxAreas; ++i)
      if (kinds(m.areas[i].kind)) draw(m.areas[i], i);
  };
  each([](AreaKind k) { return IsSlopeKind(k); },
       [&](const arearec& a, int) { Slope(cr, a, look, m.theme); });
  each([](AreaKind k) { return k == kRough; },
       [&](const arearec& a, int i) { Rough(cr, a, m.name, i); });
  each([](AreaKind k) { return k == kFunnel; },
       [&](const arearec& a, int) { Funnel(cr, a, m.theme); });
  each([](AreaKind k) { return k == kHighlight; },
       [&](const arearec& a, int) { Field(cr, a, look); });
  each([](AreaKind k) { return IsRampKind(k); },
       [&](const arearec& a, int) { Ramp(cr, a, m.theme); });
  each([](AreaKind k) { return k == kSand; },
       [&](const arearec& a, int i) { Sand(cr, a, look, m.name, i); });
  each([](AreaKind k) { return k == kWater; },
       [&](const arearec& a, int i) { Water(cr, a, look, m.theme, m.name, i); });
  each([](AreaKind k) { return k == kLedge; },
       [&](const arearec& a, int) { Ledge(cr, a, m.theme); });
  // Each pad or tube and the spout it lets the ball out of share a colour,
  // so a player can tell which leads where.
  static const Rgb kPairs[] = {{60, 230, 170}, {255, 120, 220}, {255, 210, 70}, {120, 170, 255}};
  std::map<int, Rgb> pair;
  for (int i = 1, k = 0; i <= kMaxAreas; ++i) {
    if (IsPipeKind(m.areas[i].kind)) pair[i] = kPairs[k++ % 4];
  }
  each([](AreaKind k) { return k == kPipeExitFx || k == kPipeExit; },
       [&](const arearec& a, int i) { Pad(cr, a, m.theme, pair[i]); });
  each([](AreaKind k) { return IsPipeKind(k); },
       [&](const arearec& a, int i) { PipeSpout(cr, a, m.theme, pair[i]); });
  each([](AreaKind k) { return k == kPipeEntrance; },
       [&](const arearec& a, int i) { PipeMouth(cr, a.x1, a.y1, a.r, m.theme, pair[i]); });
  each(
      [](AreaKind k) {
        return k == kPopper || k == kSpringboard || k == kBlaster || k == kKicker ||
               k == kCatapult || k == kSpringboard2;
      },
      [&](const arearec& a, int) { Launcher(cr, a, m.theme); });
  each([](AreaKind k) { return k == kSwitch || k == kOneShot; },
       [&](const arearec& a, int) { Plate(cr, a, m.theme); });
  each([](AreaKind k) { return k == kBonusStroke; },
       [&](const arearec& a, int) { BonusSpot(cr, a, m.theme); });
  each([](AreaKind k) { return k == kCup; },
       [&](const arearec& a, int) { Cup(cr, a, look, m.theme); });
  cairo_surface_t* floorMask = cairo_image_surface_create(CAIRO_FORMAT_A8, m.width, m.height);
  {
    cairo_surface_flush(floorMask);
    unsigned char* data = cairo_image_surface_get_data(floorMask);
    const int stride = cairo_image_surface_get_stride(floorMask);
    for (int y = 0; y < m.height; ++y)
      for (int x = 0; x < m.width; ++x)
        data[static_cast<size_t>(y) * stride + x] = m.Floor(x, y) ? 255 : 0;
    cairo_surface_mark_dirty(floorMask);
  }
  cr = canvas.Cr();
  cairo_set_source_surface(cr, layer.Surface(), 0, 0);
  cairo_mask_surface(cr, floorMask, 0, 0);
  cairo_surface_destroy(floorMask);

  PaintGroundProps(cr, m);
  const std::vector<Rail> rails = Rails(m);
  PaintRails(cr, rails, look, m.theme);
  cairo_t* om = overlayMask.Cr();
  for (const Rail& r : rails) {
    if (r.gate) continue;
    cairo_save(om);
    RailOverlayClip(om, r);
    cairo_clip(om);
    PaintRails(om, {r}, look, m.theme);
    cairo_restore(om);
  }
  PaintProps(cr, om, m);
}

Picture CoursePicture(const HoleModel& hole) {
  Canvas canvas(hole.width, hole.height);
  Canvas mask(hole.width, hole.height);
  DrawCourse(hole, canvas, mask);
  FlattenOptions o;
  o.threshold = 0;
  return Flatten(canvas, o);
}

namespace {

// The overlay: the course picture's own pixels wherever the mask holds
// something, the colour key elsewhere; as wide as the whole tiles that fit.
Picture Overlay(const Picture& course, const Canvas& mask) {
  const int w = (course.Width() / kOverlayTile) * kOverlayTile;
  const int h = ((course.Height() + kOverlayTile - 1) / kOverlayTile) * kOverlayTile;
  Picture out(w, h, kBlack);
  const Rgb off = NextToKey(kBlack);
  for (int y = 0; y < std::min(h, course.Height()); ++y) {
    for (int x = 0; x < w; ++x) {
      uint8_t a, r, g, b;
      mask.Pixel(x, y, a, r, g, b);
      if (a < 160) continue;
      Rgb c = course.At(x, y);
      if (c == kBlack) c = off;
      out.Set(x, y, c);
    }
  }
  return out;
}

// A cover: the course picture around (cx, cy) with the opening (an ellipse
// rx wide) keyed out, so a ball dropping into it sinks behind the front lip.
Picture Cover(const Picture& course, int left, int top, double cx, double cy, double rx) {
  Picture out = course.Crop(std::max(left, 0), std::max(top, 0), kCupCoverSize, kCupCoverSize);
  Picture sized(kCupCoverSize, kCupCoverSize, kBlack);
  sized.Paste(out, std::max(left, 0) - left, std::max(top, 0) - top);
  const Rgb off = NextToKey(kBlack);
  for (int y = 0; y < kCupCoverSize; ++y) {
    for (int x = 0; x < kCupCoverSize; ++x) {
      const double dx = (x + 0.5 + left - cx) / rx, dy = (y + 0.5 + top - cy) / (rx * 0.5);
      // The opening, and everything above the hole's middle: only the front
      // lip and what lies below it hide the ball.
      if (dx * dx + dy * dy <= 1.0 || y + top < cy) {
        sized.Set(x, y, kBlack);
      } else if (sized.At(x, y) == kBlack) {
        sized.Set(x, y, off);
      }
    }
  }
  return sized;
}

}  // namespace

ImageList HoleImages(const HoleModel& m) {
  Canvas canvas(m.width, m.height);
  Canvas mask(m.width, m.height);
  DrawCourse(m, canvas, mask);
  FlattenOptions o;
  o.threshold = 0;
  Picture course = Flatten(canvas, o);

  ImageList list;
  list.path = m.name + ".dxg";
  auto& v = list.items;
  ImageItem ground = MakeImageItem("course", course);
  ground.transparent = false;  // the whole picture is ground
  Place(v, HoleImage::kCourse, std::move(ground));
  Place(v, HoleImage::kOverlay,
        MakeImageItem("overlay", Overlay(course, mask), kOverlayTile, kOverlayTile));
  const arearec* cup = nullptr;
  for (int i = 1; i <= kMaxAreas; ++i)
    if (m.areas[i].kind == AreaKind::kCup) cup = &m.areas[i];
  if (cup != nullptr) {
    Place(v, HoleImage::kCupCover,
          MakeImageItem("cup cover", Cover(course, cup->x2, cup->y2, cup->x1, cup->y1, 9.5)));
  } else {
    Place(v, HoleImage::kCupCover,
          MakeImageItem("cup cover", Picture(kCupCoverSize, kCupCoverSize, kBlack)));
  }
  // The sprites from the burst on; the title card has its own place among them.
  for (int image = ItemIndex(HoleImage::kBurst); image < kFirstPipeCover; ++image) {
    if (image == ItemIndex(HoleImage::kTitleCard)) {
      Place(v, image, MakeImageItem("title card", TitleCard(m, course)));
      continue;
    }
    SpriteSheet s = HoleSprite(m, image);
    Place(v, image, MakeImageItem(s.name, std::move(s.picture), s.patternWidth, s.patternHeight));
  }
  // Pipe covers, by the number each entrance names.
  std::map<int, const arearec*> covers;
  for (int i = 1; i <= kMaxAreas; ++i)
    if (m.areas[i].kind == AreaKind::kPipeEntrance && m.areas[i].p3 >= kFirstPipeCover)
      covers[m.areas[i].p3] = &m.areas[i];
  for (const auto& [image, pipe] : covers) {
    while (static_cast<int>(v.size()) < image)
      v.push_back(MakeImageItem("unused", Picture(4, 4, kBlack)));
    Place(v, image,
          MakeImageItem("pipe cover " + std::to_string(image),
                        Cover(course, pipe->p1, pipe->p2, pipe->x1, pipe->y1, pipe->r)));
  }
  return list;
}

}  // namespace quendrix::assetgen
