#include "flic_art.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "draw.h"

namespace quendrix::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kTau = 2 * kPi;
constexpr int kW = 640;
constexpr int kH = 480;

// Where the launch pad's panels sit on 640 x 480: kept calm.
constexpr double kPanelX = 150, kPanelY = 177, kPanelW = 379, kPanelH = 141;

// Landmarks the two animations share.
constexpr double kMillX = 82, kMillGround = 436, kHubY = 356;  // windmill
constexpr double kBladeLength = 50;
constexpr double kCupX = 470, kCupY = 421;  // the flag's hole
constexpr double kPlanetX = 552, kPlanetY = 88, kPlanetR = 30;
constexpr double kMoonX = 84, kMoonY = 70, kMoonR = 22;

struct Lcg {
  uint32_t s;
  double Unit() {
    s = s * 1664525u + 1013904223u;
    return (s >> 8) / 16777216.0;
  }
  double Range(double a, double b) { return a + (b - a) * Unit(); }
  int Below(int n) { return static_cast<int>(Unit() * n); }
};

bool InPanel(double x, double y, double margin = 0) {
  return x > kPanelX - margin && x < kPanelX + kPanelW + margin && y > kPanelY - margin &&
         y < kPanelY + kPanelH + margin;
}

struct Star {
  double x, y, size, bright;
  Rgb tint;
  int cycles;  // twinkles per loop; 0 = steady
  double phase;
};

struct Firefly {
  double cx, cy, ax, ay, phase, phaseY, glowPhase;
  int fx, fy, fg;  // whole cycles per loop, so the loop has no seam
};

// Everything seeded once: the same scene on every run.
struct Scene {
  std::vector<Star> stars;
  std::vector<Firefly> flies;
  Scene() {
    Lcg r{20240611u};
    for (int i = 0; i < 330; ++i) {
      Star s;
      // Denser along the band of the galaxy.
      s.x = r.Range(0, kW);
      double band = 175 - s.x * 0.22 + r.Range(-60, 60) * r.Unit();
      s.y = r.Unit() < 0.45 ? band : r.Range(0, 320);
      if (s.y < 2 || s.y > 322) continue;
      // Few stars behind the panels, none near the moon and planet.
      if (InPanel(s.x, s.y, 6) && r.Unit() < 0.7) continue;
      if (std::hypot(s.x - kMoonX, s.y - kMoonY) < kMoonR + 10) continue;
      if (std::hypot(s.x - kPlanetX, s.y - kPlanetY) < kPlanetR + 36) continue;
      s.bright = std::pow(r.Unit(), 2.2);
      s.size = 0.5 + 1.3 * s.bright + r.Range(0, 0.3);
      const double t = r.Unit();
      s.tint = t < 0.2 ? Rgb{255, 214, 170} : t < 0.5 ? Rgb{190, 210, 255} : Rgb{240, 244, 255};
      s.cycles = r.Unit() < 0.28 ? 1 + r.Below(3) : 0;
      s.phase = r.Range(0, kTau);
      stars.push_back(s);
    }
    const double spots[][2] = {{190, 404}, {250, 440}, {330, 392}, {360, 452},
                               {560, 398}, {610, 446}, {150, 452}, {420, 380},
                               {520, 456}, {30, 398},  {290, 418}, {600, 372}};
    for (const auto& p : spots) {
      Firefly f;
      f.cx = p[0];
      f.cy = p[1];
      f.ax = r.Range(14, 30);
      f.ay = r.Range(5, 11);
      f.fx = 1 + r.Below(2);
      f.fy = 1 + r.Below(3);
      f.fg = 2 + r.Below(3);
      f.phase = r.Range(0, kTau);
      f.phaseY = r.Range(0, kTau);
      f.glowPhase = r.Range(0, kTau);
      flies.push_back(f);
    }
  }
};

const Scene& TheScene() {
  static const Scene scene;
  return scene;
}

void Glow(cairo_t* cr, double x, double y, double r, Rgb c, double alpha) {
  RadialGradient(cr, x, y, r, c, c, alpha, 0);
  cairo_arc(cr, x, y, r, 0, kTau);
  cairo_fill(cr);
}

// --- The still parts of the night garden -----------------------------------

void Sky(cairo_t* cr) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, 350);
  auto stop = [&](double at, Rgb c) {
    cairo_pattern_add_color_stop_rgb(p, at, c.r / 255.0, c.g / 255.0, c.b / 255.0);
  };
  stop(0.0, {5, 7, 24});
  stop(0.45, {12, 17, 52});
  stop(0.78, {30, 28, 80});
  stop(0.92, {70, 46, 98});
  stop(1.0, {112, 66, 100});
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  // The galaxy: soft clouds along a slanting band, fainter where the panels
  // sit.
  Lcg r{77u};
  for (int i = 0; i < 70; ++i) {
    double x = r.Range(-40, kW + 40);
    double y = 175 - x * 0.22 + r.Range(-28, 28);
    double rad = r.Range(26, 70);
    double a = InPanel(x, y, 20) ? 0.025 : 0.055;
    Rgb c = r.Unit() < 0.5 ? Rgb{120, 90, 190} : Rgb{70, 120, 190};
    Glow(cr, x, y, rad, c, a);
  }
  // Dusk glow over the hills.
  cairo_save(cr);
  cairo_translate(cr, 300, 350);
  cairo_scale(cr, 3.2, 1);
  Glow(cr, 0, 0, 110, Rgb{190, 100, 110}, 0.22);
  cairo_restore(cr);
}

// A crisp core in a small halo.
void StarPoint(cairo_t* cr, const Star& s, double alpha) {
  Glow(cr, s.x, s.y, s.size * 2.6, s.tint, 0.22 * alpha);
  cairo_arc(cr, s.x, s.y, 0.45 + s.size * 0.35, 0, kTau);
  SetColour(cr, s.tint, alpha);
  cairo_fill(cr);
}

void SteadyStars(cairo_t* cr) {
  for (const Star& s : TheScene().stars) {
    if (s.cycles != 0) continue;
    if (s.size < 1.1) {
      SetColour(cr, s.tint, 0.25 + 0.6 * s.bright);
      cairo_rectangle(cr, std::floor(s.x), std::floor(s.y), 1, 1);
      cairo_fill(cr);
    } else {
      StarPoint(cr, s, 0.45 + 0.55 * s.bright);
    }
  }
}

void Moon(cairo_t* cr) {
  Glow(cr, kMoonX, kMoonY, kMoonR * 3.2, Rgb{200, 210, 255}, 0.16);
  cairo_save(cr);
  cairo_arc(cr, kMoonX, kMoonY, kMoonR, 0, kTau);
  cairo_clip(cr);
  RadialGradient(cr, kMoonX - 6, kMoonY - 6, kMoonR * 1.4, Rgb{255, 252, 232}, Rgb{206, 204, 188});
  cairo_paint(cr);
  // Craters, then the night side.
  const double craters[][3] = {{-8, -4, 4}, {5, 7, 3}, {-2, 10, 2.5}, {9, -8, 2}};
  for (const auto& c : craters) {
    cairo_arc(cr, kMoonX + c[0], kMoonY + c[1], c[2], 0, kTau);
    SetColour(cr, Rgb{180, 178, 164}, 0.7);
    cairo_fill(cr);
  }
  cairo_arc(cr, kMoonX + 12, kMoonY - 7, kMoonR * 0.98, 0, kTau);
  SetColour(cr, Rgb{26, 30, 62}, 0.93);
  cairo_fill(cr);
  cairo_restore(cr);
}

void RingArc(cairo_t* cr, double from, double to, double alpha) {
  for (int k = 0; k < 3; ++k) {
    cairo_save(cr);
    cairo_translate(cr, kPlanetX, kPlanetY);
    cairo_rotate(cr, -0.38);
    cairo_scale(cr, 1, 0.24);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, kPlanetR * (1.45 + 0.22 * k), from, to);
    cairo_restore(cr);  // the path stays; the stroke is not squashed
    cairo_set_line_width(cr, k == 1 ? 3.2 : 2.0);
    SetColour(cr, k == 1 ? Rgb{236, 206, 160} : Rgb{190, 150, 120}, alpha);
    cairo_stroke(cr);
  }
}

void Planet(cairo_t* cr) {
  Glow(cr, kPlanetX, kPlanetY, kPlanetR * 2.6, Rgb{255, 140, 90}, 0.12);
  RingArc(cr, kPi, kTau, 0.85);  // behind the planet
  cairo_save(cr);
  cairo_arc(cr, kPlanetX, kPlanetY, kPlanetR, 0, kTau);
  cairo_clip(cr);
  RadialGradient(cr, kPlanetX - 11, kPlanetY - 12, kPlanetR * 1.6, Rgb{255, 196, 120},
                 Rgb{120, 40, 50});
  cairo_paint(cr);
  // Bands.
  for (int i = -3; i <= 3; ++i) {
    cairo_save(cr);
    cairo_translate(cr, kPlanetX, kPlanetY + i * 8.5);
    cairo_rotate(cr, -0.38);
    cairo_rectangle(cr, -kPlanetR * 1.5, -2.2, kPlanetR * 3, 4.4);
    cairo_restore(cr);
    SetColour(cr, i % 2 ? Rgb{150, 60, 50} : Rgb{255, 220, 160}, 0.22);
    cairo_fill(cr);
  }
  // Night side.
  RadialGradient(cr, kPlanetX - 16, kPlanetY - 16, kPlanetR * 2.1, kBlack, Rgb{10, 6, 24}, 0, 0.85);
  cairo_paint(cr);
  cairo_restore(cr);
  RingArc(cr, 0, kPi, 0.95);  // in front
}

// A hill line through the given heights, filled down to the bottom.
void Hills(cairo_t* cr, const std::vector<double>& heights, Rgb top, Rgb bottom, double y1) {
  const double step = kW / static_cast<double>(heights.size() - 1);
  cairo_move_to(cr, 0, kH);
  cairo_line_to(cr, 0, heights[0]);
  for (size_t i = 1; i < heights.size(); ++i) {
    double x0 = (i - 1) * step, x1 = i * step;
    cairo_curve_to(cr, x0 + step / 2, heights[i - 1], x1 - step / 2, heights[i], x1, heights[i]);
  }
  cairo_line_to(cr, kW, kH);
  cairo_close_path(cr);
  VerticalGradient(cr, *std::min_element(heights.begin(), heights.end()), y1, top, bottom);
  cairo_fill(cr);
}

void Tree(cairo_t* cr, double x, double ground, double h, Rgb c) {
  SetColour(cr, c);
  cairo_rectangle(cr, x - 1.5, ground - h * 0.35, 3, h * 0.35);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, x, ground - h * 0.62);
  cairo_scale(cr, 0.55, 1);
  cairo_arc(cr, 0, 0, h * 0.4, 0, kTau);
  cairo_restore(cr);
  cairo_fill(cr);
}

void Cypress(cairo_t* cr, double x, double ground, double h, Rgb c) {
  SetColour(cr, c);
  cairo_move_to(cr, x, ground - h);
  cairo_curve_to(cr, x + h * 0.16, ground - h * 0.6, x + h * 0.14, ground - h * 0.1, x, ground);
  cairo_curve_to(cr, x - h * 0.14, ground - h * 0.1, x - h * 0.16, ground - h * 0.6, x, ground - h);
  cairo_fill(cr);
}

void Land(cairo_t* cr) {
  Hills(cr, {318, 330, 322, 336, 328, 340, 326, 332, 320}, Rgb{36, 34, 76}, Rgb{22, 24, 52}, 360);
  for (double x : {40.0, 64.0, 248.0, 262.0, 560.0, 585.0, 600.0})
    Cypress(cr, x, 346 + std::fmod(x, 7.0), 26 + std::fmod(x * 1.7, 12.0), Rgb{20, 24, 48});
  Hills(cr, {356, 350, 362, 354, 366, 356, 350, 360, 352}, Rgb{22, 52, 50}, Rgb{14, 36, 34}, 400);
  for (double x : {160.0, 178.0, 380.0, 396.0, 520.0})
    Tree(cr, x, 364 + std::fmod(x, 5.0), 30 + std::fmod(x, 11.0), Rgb{12, 34, 32});
  // The garden: lawn to the bottom edge, dark enough for the notice there.
  cairo_rectangle(cr, 0, 378, kW, kH - 378);
  VerticalGradient(cr, 378, kH, Rgb{26, 74, 46}, Rgb{6, 22, 14});
  cairo_fill(cr);
  cairo_move_to(cr, 0, 384);
  cairo_curve_to(cr, 160, 370, 420, 392, kW, 376);
  cairo_line_to(cr, kW, 394);
  cairo_curve_to(cr, 420, 404, 160, 386, 0, 398);
  cairo_close_path(cr);
  SetColour(cr, Rgb{40, 96, 58}, 0.6);
  cairo_fill(cr);
  // Gravel path from the windmill to the green.
  cairo_move_to(cr, 110, kMillGround + 2);
  cairo_curve_to(cr, 200, 470, 300, 410, 360, 424);
  cairo_set_line_width(cr, 11);
  SetColour(cr, Rgb{70, 74, 86}, 0.75);
  cairo_stroke(cr);
  // The putting green, lit from the moon.
  cairo_save(cr);
  cairo_translate(cr, 452, 424);
  cairo_scale(cr, 1, 0.2);
  cairo_arc(cr, 0, 0, 132, 0, kTau);
  cairo_restore(cr);
  SetColour(cr, Rgb{20, 58, 34});
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, 452, 423);
  cairo_scale(cr, 1, 0.2);
  cairo_arc(cr, 0, 0, 124, 0, kTau);
  cairo_restore(cr);
  RadialGradient(cr, 430, 418, 130, Rgb{84, 170, 92}, Rgb{36, 104, 56});
  cairo_fill(cr);
  // Mowing stripes.
  for (int i = -5; i <= 5; i += 2) {
    cairo_save(cr);
    cairo_translate(cr, 452, 423);
    cairo_scale(cr, 1, 0.2);
    cairo_arc(cr, 0, 0, 124, 0, kTau);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_clip(cr);
    cairo_rectangle(cr, 452 + i * 22, 380, 22, 80);
    SetColour(cr, Rgb{120, 200, 120}, 0.08);
    cairo_fill(cr);
    cairo_restore(cr);
  }
  // The cup.
  cairo_save(cr);
  cairo_translate(cr, kCupX, kCupY);
  cairo_scale(cr, 1, 0.4);
  cairo_arc(cr, 0, 0, 6, 0, kTau);
  cairo_restore(cr);
  SetColour(cr, Rgb{6, 14, 8});
  cairo_fill(cr);
  // A ball waiting short of it.
  cairo_save(cr);
  cairo_translate(cr, kCupX - 34, kCupY + 9);
  cairo_scale(cr, 1, 0.35);
  cairo_arc(cr, 2, 2, 4, 0, kTau);
  cairo_restore(cr);
  SetColour(cr, Rgb{10, 40, 20}, 0.6);
  cairo_fill(cr);
  cairo_arc(cr, kCupX - 35, kCupY + 6, 3.2, 0, kTau);
  RadialGradient(cr, kCupX - 36, kCupY + 5, 4, Rgb{255, 255, 255}, Rgb{170, 186, 200});
  cairo_fill(cr);
  // Bushes in front, rounded clumps.
  const double bushes[][3] = {{12, 470, 22},  {44, 478, 18},  {228, 476, 20},
                              {626, 470, 24}, {596, 480, 16}, {300, 482, 14}};
  for (const auto& b : bushes)
    for (int k = 0; k < 3; ++k) {
      cairo_arc(cr, b[0] + (k - 1) * b[2] * 0.7, b[1] - (k == 1 ? b[2] * 0.3 : 0), b[2] * 0.75, 0,
                kTau);
      const Rgb leaf[] = {{7, 24, 15}, {10, 32, 19}, {13, 40, 24}};
      SetColour(cr, leaf[k]);
      cairo_fill(cr);
    }
}

void Lantern(cairo_t* cr, double x, double ground) {
  SetColour(cr, Rgb{30, 30, 36});
  cairo_rectangle(cr, x - 1.5, ground - 30, 3, 30);
  cairo_fill(cr);
  SetColour(cr, Rgb{40, 38, 44});
  cairo_rectangle(cr, x - 5, ground - 40, 10, 11);
  cairo_fill(cr);
  SetColour(cr, Rgb{255, 214, 140});
  cairo_rectangle(cr, x - 3, ground - 38, 6, 7);
  cairo_fill(cr);
}

constexpr double kLanterns[][2] = {{206, 448}, {330, 428}, {612, 418}};

void Windmill(cairo_t* cr) {
  const double x = kMillX, g = kMillGround;
  // Tower: a tapering brick body with a lit door and window.
  cairo_move_to(cr, x - 27, g);
  cairo_line_to(cr, x - 17, kHubY + 6);
  cairo_line_to(cr, x + 17, kHubY + 6);
  cairo_line_to(cr, x + 27, g);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(x - 27, 0, x + 27, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.46, 0.24, 0.22);
  cairo_pattern_add_color_stop_rgb(p, 0.6, 0.30, 0.15, 0.16);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.16, 0.08, 0.10);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  for (int i = 1; i < 8; ++i) {  // brick courses
    double y = kHubY + 6 + i * (g - kHubY - 6) / 8;
    double half = 17 + 10 * (y - kHubY - 6) / (g - kHubY - 6);
    cairo_move_to(cr, x - half, y);
    cairo_line_to(cr, x + half, y);
  }
  cairo_set_line_width(cr, 1);
  SetColour(cr, Rgb{20, 8, 10}, 0.35);
  cairo_stroke(cr);
  // Roof.
  cairo_move_to(cr, x - 22, kHubY + 8);
  cairo_line_to(cr, x, kHubY - 18);
  cairo_line_to(cr, x + 22, kHubY + 8);
  cairo_close_path(cr);
  SetColour(cr, Rgb{54, 30, 40});
  cairo_fill(cr);
  // The ball's way through: an arched tunnel at the foot, glowing.
  Glow(cr, x, g - 6, 26, Rgb{255, 190, 110}, 0.35);
  cairo_move_to(cr, x - 9, g);
  cairo_line_to(cr, x - 9, g - 10);
  cairo_arc(cr, x, g - 10, 9, kPi, kTau);
  cairo_line_to(cr, x + 9, g);
  cairo_close_path(cr);
  SetColour(cr, Rgb{255, 200, 120});
  cairo_fill(cr);
  cairo_rectangle(cr, x - 4, kHubY + 26, 8, 10);
  SetColour(cr, Rgb{255, 214, 140});
  cairo_fill(cr);
}

void Backdrop(cairo_t* cr) {
  Sky(cr);
  SteadyStars(cr);
  Moon(cr);
  Planet(cr);
  Land(cr);
  Windmill(cr);
  for (const auto& l : kLanterns) Lantern(cr, l[0], l[1]);
}

// --- What moves: every motion makes whole cycles in the loop ---------------

void Blades(cairo_t* cr, double angle) {
  cairo_save(cr);
  cairo_translate(cr, kMillX, kHubY);
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_rotate(cr, angle + k * kPi / 2);
    // Arm and a lattice sail on one side of it.
    SetColour(cr, Rgb{70, 50, 40});
    cairo_rectangle(cr, 0, -1.5, kBladeLength, 3);
    cairo_fill(cr);
    cairo_rectangle(cr, 10, 1.5, kBladeLength - 12, 11);
    SetColour(cr, Rgb{214, 196, 160}, 0.9);
    cairo_fill_preserve(cr);
    SetColour(cr, Rgb{90, 66, 50});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    for (int i = 1; i < 4; ++i) {
      double sx = 10 + i * (kBladeLength - 12) / 4;
      cairo_move_to(cr, sx, 1.5);
      cairo_line_to(cr, sx, 12.5);
    }
    cairo_move_to(cr, 10, 7);
    cairo_line_to(cr, kBladeLength - 2, 7);
    cairo_stroke(cr);
    cairo_restore(cr);
  }
  cairo_arc(cr, 0, 0, 4, 0, kTau);
  SetColour(cr, Rgb{60, 40, 34});
  cairo_fill(cr);
  cairo_restore(cr);
}

void WavingFlag(cairo_t* cr, double phase) {
  const double top = kCupY - 64;
  SetColour(cr, Rgb{230, 232, 236});
  cairo_rectangle(cr, kCupX - 1, top, 2, kCupY - top);
  cairo_fill(cr);
  // The cloth as a ripple travelling along it.
  const int n = 12;
  const double len = 34, h = 20;
  auto wave = [&](double u) { return std::sin(phase - u * 4.2) * 3.0 * u; };
  cairo_move_to(cr, kCupX + 1, top + 1);
  for (int i = 1; i <= n; ++i) {
    double u = i / static_cast<double>(n);
    cairo_line_to(cr, kCupX + 1 + u * len * (1 - 0.04 * std::cos(phase - u * 4.2)),
                  top + 1 + wave(u) + u * 2);
  }
  for (int i = n; i >= 0; --i) {
    double u = i / static_cast<double>(n);
    cairo_line_to(cr, kCupX + 1 + u * len * (1 - 0.04 * std::cos(phase - u * 4.2)),
                  top + 1 + h - u * 3 + wave(u));
  }
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(kCupX, 0, kCupX + len, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.86, 0.16, 0.18);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.62, 0.08, 0.14);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Light and shade of the folds.
  for (int i = 0; i < n; ++i) {
    double u = (i + 0.5) / n;
    double s = std::cos(phase - u * 4.2);
    cairo_rectangle(cr, kCupX + 1 + u * len - len / n / 2, top + 1 + wave(u), len / n + 0.5, h - 2);
    SetColour(cr, s > 0 ? Rgb{255, 200, 200} : kBlack, std::fabs(s) * 0.18);
    cairo_fill(cr);
  }
}

void TwinklingStars(cairo_t* cr, double phase) {
  for (const Star& s : TheScene().stars) {
    if (s.cycles == 0) continue;
    double k = 0.5 + 0.5 * std::sin(phase * s.cycles + s.phase);
    double a = (0.2 + 0.8 * k) * (0.5 + 0.5 * s.bright);
    StarPoint(cr, s, a);
    if (s.bright > 0.45 && k > 0.6) {  // a glint on the brightest
      double l = 3 + 5 * (k - 0.6) / 0.4 * s.bright;
      cairo_move_to(cr, s.x - l, s.y);
      cairo_line_to(cr, s.x + l, s.y);
      cairo_move_to(cr, s.x, s.y - l);
      cairo_line_to(cr, s.x, s.y + l);
      cairo_set_line_width(cr, 0.8);
      SetColour(cr, s.tint, 0.5 * a);
      cairo_stroke(cr);
    }
  }
}

void Fireflies(cairo_t* cr, double phase) {
  for (const Firefly& f : TheScene().flies) {
    double x = f.cx + f.ax * std::sin(phase * f.fx + f.phase);
    double y = f.cy + f.ay * std::sin(phase * f.fy + f.phaseY);
    double g = 0.5 + 0.5 * std::sin(phase * f.fg + f.glowPhase);
    Glow(cr, x, y, 7, Rgb{190, 255, 120}, 0.10 + 0.30 * g);
    Glow(cr, x, y, 1.8, Rgb{240, 255, 190}, 0.5 + 0.5 * g);
  }
}

void LanternGlow(cairo_t* cr, double phase) {
  for (int i = 0; i < 3; ++i) {
    double g = 0.5 + 0.5 * std::sin(phase * (i + 1) + i * 2.1);
    Glow(cr, kLanterns[i][0], kLanterns[i][1] - 34, 22, Rgb{255, 190, 110}, 0.16 + 0.10 * g);
  }
}

// One shooting star a loop, high in the sky left of the middle.
void ShootingStar(cairo_t* cr, int frame) {
  constexpr int kStart = 24, kLength = 12;
  int t = frame - kStart;
  if (t < 0 || t >= kLength) return;
  double u = (t + 1) / static_cast<double>(kLength);
  double x0 = 200, y0 = 34, x1 = 330, y1 = 96;
  double hx = x0 + (x1 - x0) * u, hy = y0 + (y1 - y0) * u;
  double tail = std::min(u, 0.35);
  double tx = hx - (x1 - x0) * tail, ty = hy - (y1 - y0) * tail;
  double fade = u < 0.7 ? 1 : (1 - u) / 0.3;
  cairo_pattern_t* p = cairo_pattern_create_linear(tx, ty, hx, hy);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.8, 0.85, 1, 0);
  cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0.9 * fade);
  cairo_set_source(cr, p);
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, tx, ty);
  cairo_line_to(cr, hx, hy);
  cairo_stroke(cr);
  cairo_pattern_destroy(p);
  Glow(cr, hx, hy, 4, Rgb{255, 255, 255}, 0.8 * fade);
}

void Live(cairo_t* cr, int frame) {
  const double phase = kTau * frame / kLoopFrames;
  TwinklingStars(cr, phase);
  ShootingStar(cr, frame);
  LanternGlow(cr, phase);
  Blades(cr, 0.35 + phase / 4);  // a quarter turn a loop: four sails look alike
  WavingFlag(cr, phase * 3);
  Fireflies(cr, phase);
}

// --- The panel change ---------------------------------------------------------

struct Point {
  double x, y;
};

// The ball's flight: out of the windmill, low over the middle, into the
// planet.
Point Flight(double u) {
  const Point p0{kMillX + 6, kMillGround - 10}, c1{200, 250}, c2{420, 270}, p3{kPlanetX, kPlanetY};
  double v = 1 - u;
  double a = v * v * v, b = 3 * v * v * u, c = 3 * v * u * u, d = u * u * u;
  return {a * p0.x + b * c1.x + c * c2.x + d * p3.x, a * p0.y + b * c1.y + c * c2.y + d * p3.y};
}

double Smooth(double t) {
  t = std::clamp(t, 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

constexpr int kFlightStart = 1, kFlightEnd = 17;  // frames of the head's way

// Frame t (0 ... kChangeFrames - 1) of the change over the loop's first
// picture; nothing at t = 0 and at the last frame.
void Sweep(cairo_t* cr, int t) {
  if (t <= 0 || t >= kChangeFrames - 1) return;
  const double head = Smooth((t - kFlightStart) / static_cast<double>(kFlightEnd - kFlightStart));
  // After the arrival everything fades out by the last frame.
  const double fade = t <= kFlightEnd
                          ? 1.0
                          : 1.0 - Smooth((t - kFlightEnd) / double(kChangeFrames - 2 - kFlightEnd));
  // A broad soft light that wipes across the middle with the ball.
  const Point h = Flight(head);
  if (t <= kFlightEnd + 2) {
    const double a = 0.22 * (t <= kFlightEnd ? 1.0 : 1.0 - (t - kFlightEnd) / 3.0);
    Glow(cr, h.x, h.y, 120, Rgb{255, 220, 170}, a);
  }
  // The trail: a ribbon of light behind the head, thinning to its tail.
  const double tail = std::max(0.0, head - 0.45);
  const int steps = 90;
  for (int i = 0; i <= steps; ++i) {
    double u = tail + (head - tail) * i / steps;
    double k = i / static_cast<double>(steps);  // 0 tail ... 1 head
    Point p = Flight(u);
    Glow(cr, p.x, p.y, 6 + 26 * k, Rgb{255, 200, 120}, 0.09 * k * fade);
    Glow(cr, p.x, p.y, 1.5 + 3.5 * k, Rgb{255, 250, 230}, 0.35 * k * fade);
  }
  // Sparkles shed along the way, each living ten frames.
  Lcg r{4242u};
  for (int i = 0; i < 70; ++i) {
    double u = r.Range(0.02, 0.98);
    double born = kFlightStart + (kFlightEnd - kFlightStart) * (std::acos(1 - 2 * u) / kPi);
    double dx = r.Range(-14, 14), dy = r.Range(-10, 18), size = r.Range(1.5, 4.5);
    double age = t - born;
    if (age < 0 || age > 10) continue;
    double life = 1 - age / 10;
    Point p = Flight(u);
    double x = p.x + dx * age / 10, y = p.y + dy * age / 10 + age * age * 0.12;
    double a = life * fade;
    Glow(cr, x, y, size * 2.5, Rgb{255, 220, 150}, 0.45 * a);
    cairo_move_to(cr, x - size * 1.6, y);
    cairo_line_to(cr, x + size * 1.6, y);
    cairo_move_to(cr, x, y - size * 1.6);
    cairo_line_to(cr, x, y + size * 1.6);
    cairo_set_line_width(cr, 1);
    SetColour(cr, Rgb{255, 255, 240}, 0.8 * a);
    cairo_stroke(cr);
  }
  // The ball itself, with a hot core, until it reaches the planet.
  if (t <= kFlightEnd) {
    Glow(cr, h.x, h.y, 16, Rgb{255, 236, 190}, 0.7);
    cairo_arc(cr, h.x, h.y, 4.2, 0, kTau);
    SetColour(cr, Rgb{255, 255, 255});
    cairo_fill(cr);
  }
  // Arrival: the planet's rings flare and a ring of light spreads.
  if (t >= kFlightEnd - 1) {
    double s = (t - (kFlightEnd - 1)) / double(kChangeFrames - 1 - kFlightEnd);
    double a = std::max(0.0, 1 - s);
    Glow(cr, kPlanetX, kPlanetY, kPlanetR * (1.5 + 1.5 * s), Rgb{255, 210, 160}, 0.45 * a);
    cairo_save(cr);
    cairo_translate(cr, kPlanetX, kPlanetY);
    cairo_rotate(cr, -0.38);
    cairo_scale(cr, 1, 0.3);
    cairo_arc(cr, 0, 0, kPlanetR * (1.4 + 3.2 * s), 0, kTau);
    cairo_restore(cr);
    cairo_set_line_width(cr, 2.5 * a + 0.5);
    SetColour(cr, Rgb{255, 236, 200}, 0.8 * a);
    cairo_stroke(cr);
  }
}

// --- Frames and colours -----------------------------------------------------

using RgbFrame = std::vector<uint8_t>;  // r, g, b per pixel

RgbFrame Grab(const Canvas& c) {
  cairo_surface_flush(c.Surface());
  const unsigned char* data = cairo_image_surface_get_data(c.Surface());
  const int stride = cairo_image_surface_get_stride(c.Surface());
  RgbFrame out(static_cast<size_t>(kW) * kH * 3);
  for (int y = 0; y < kH; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride);
    uint8_t* o = out.data() + static_cast<size_t>(y) * kW * 3;
    for (int x = 0; x < kW; ++x) {
      o[3 * x] = static_cast<uint8_t>(row[x] >> 16);
      o[3 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
      o[3 * x + 2] = static_cast<uint8_t>(row[x]);
    }
  }
  return out;
}

class Renderer {
 public:
  Renderer() : backdrop_(kW, kH), frame_(kW, kH) { Backdrop(backdrop_.Cr()); }
  // Loop frame `loop` with change frame `sweep` over it (-1: none).
  RgbFrame Render(int loop, int sweep) {
    cairo_t* cr = frame_.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, backdrop_.Surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    Live(cr, loop);
    if (sweep >= 0) Sweep(cr, sweep);
    return Grab(frame_);
  }

 private:
  Canvas backdrop_;
  Canvas frame_;
};

// Median cut over a 5-bit-per-channel histogram of sample frames: boxes
// split at the weighted median of their longest side until there are 256.
class Quantiser {
 public:
  void Count(const RgbFrame& f) {
    for (size_t i = 0; i < f.size(); i += 3) {
      Bin& b = bins_[Key(f[i], f[i + 1], f[i + 2])];
      ++b.n;
      b.r += f[i];
      b.g += f[i + 1];
      b.b += f[i + 2];
    }
  }

  FlicPalette Build() {
    std::vector<int> used;
    for (int k = 0; k < 32768; ++k)
      if (bins_[k].n > 0) used.push_back(k);
    struct Box {
      std::vector<int> keys;
      double weight = 0;
      int lo[3], hi[3];
    };
    auto measure = [&](Box& b) {
      b.weight = 0;
      for (int c = 0; c < 3; ++c) b.lo[c] = 31, b.hi[c] = 0;
      for (int k : b.keys) {
        // Rare colours (glows, sparks) get more than their share of entries.
        b.weight += std::pow(static_cast<double>(bins_[k].n), 0.7);
        for (int c = 0; c < 3; ++c) {
          b.lo[c] = std::min(b.lo[c], Channel(k, c));
          b.hi[c] = std::max(b.hi[c], Channel(k, c));
        }
      }
    };
    std::vector<Box> boxes(1);
    boxes[0].keys = used;
    measure(boxes[0]);
    while (boxes.size() < 256) {
      int best = -1;
      double bestScore = 0;
      for (size_t i = 0; i < boxes.size(); ++i) {
        const Box& b = boxes[i];
        if (b.keys.size() < 2) continue;
        int side = std::max({b.hi[0] - b.lo[0], b.hi[1] - b.lo[1], b.hi[2] - b.lo[2]});
        double score = b.weight * (side + 1);
        if (score > bestScore) bestScore = score, best = static_cast<int>(i);
      }
      if (best < 0) break;
      Box& b = boxes[static_cast<size_t>(best)];
      int axis = 0;
      for (int c = 1; c < 3; ++c)
        if (b.hi[c] - b.lo[c] > b.hi[axis] - b.lo[axis]) axis = c;
      std::sort(b.keys.begin(), b.keys.end(), [&](int x, int y) {
        int cx = Channel(x, axis), cy = Channel(y, axis);
        return cx != cy ? cx < cy : x < y;
      });
      double half = 0, total = b.weight;
      size_t cut = 1;
      for (size_t i = 0; i + 1 < b.keys.size(); ++i) {
        half += std::pow(static_cast<double>(bins_[b.keys[i]].n), 0.7);
        cut = i + 1;
        if (half >= total / 2) break;
      }
      Box other;
      other.keys.assign(b.keys.begin() + static_cast<long>(cut), b.keys.end());
      b.keys.resize(cut);
      measure(b);
      measure(other);
      boxes.push_back(std::move(other));
    }
    std::vector<std::array<uint8_t, 3>> colours;
    for (const Box& b : boxes) {
      double n = 0, r = 0, g = 0, bl = 0;
      for (int k : b.keys) n += bins_[k].n, r += bins_[k].r, g += bins_[k].g, bl += bins_[k].b;
      colours.push_back({static_cast<uint8_t>(std::lround(r / n)),
                         static_cast<uint8_t>(std::lround(g / n)),
                         static_cast<uint8_t>(std::lround(bl / n))});
    }
    // Darkest first; entry 0 black-ish as players expect of a background.
    std::sort(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
      int la = 3 * a[0] + 6 * a[1] + a[2], lb = 3 * b[0] + 6 * b[1] + b[2];
      return la != lb ? la < lb : a < b;
    });
    FlicPalette pal{};
    for (size_t i = 0; i < colours.size(); ++i)
      for (int c = 0; c < 3; ++c) pal[3 * i + c] = colours[i][static_cast<size_t>(c)];
    palette_ = pal;
    count_ = static_cast<int>(colours.size());
    lut_.assign(64 * 64 * 64, -1);
    return pal;
  }

  // Ordered dithering, fixed to the pixel's place, so what does not move
  // keeps its indices from frame to frame.
  std::vector<uint8_t> Map(const RgbFrame& f) {
    static constexpr int kBayer[4][4] = {
        {0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    std::vector<uint8_t> out(static_cast<size_t>(kW) * kH);
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const size_t i = static_cast<size_t>(y) * kW + x;
        const int d = (kBayer[y & 3][x & 3] * 2 - 15) / 3;  // -5 ... +5
        auto q = [&](int v) { return std::clamp((v + d + 2) >> 2, 0, 63); };
        out[i] = Nearest(q(f[3 * i]), q(f[3 * i + 1]), q(f[3 * i + 2]));
      }
    return out;
  }

 private:
  struct Bin {
    uint32_t n = 0;
    uint64_t r = 0, g = 0, b = 0;
  };
  static int Key(int r, int g, int b) { return ((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3); }
  static int Channel(int key, int c) { return (key >> (10 - 5 * c)) & 31; }

  uint8_t Nearest(int r6, int g6, int b6) {
    int16_t& slot = lut_[static_cast<size_t>((r6 << 12) | (g6 << 6) | b6)];
    if (slot >= 0) return static_cast<uint8_t>(slot);
    const int r = r6 * 255 / 63, g = g6 * 255 / 63, b = b6 * 255 / 63;
    int best = 0, bestD = 1 << 30;
    for (int i = 0; i < count_; ++i) {
      int dr = r - palette_[3 * i], dg = g - palette_[3 * i + 1], db = b - palette_[3 * i + 2];
      int dist = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
      if (dist < bestD) bestD = dist, best = i;
    }
    slot = static_cast<int16_t>(best);
    return static_cast<uint8_t>(best);
  }

  std::vector<Bin> bins_ = std::vector<Bin>(32768);
  FlicPalette palette_{};
  int count_ = 0;
  std::vector<int16_t> lut_;
};

}  // namespace

std::vector<Animation> LaunchPadAnimations() {
  Renderer renderer;
  std::vector<RgbFrame> loop, change;
  loop.reserve(kLoopFrames);
  for (int f = 0; f < kLoopFrames; ++f) loop.push_back(renderer.Render(f, -1));
  for (int t = 0; t < kChangeFrames; ++t) change.push_back(renderer.Render(0, t));
  // One palette for both, from a sample of their frames.
  Quantiser q;
  for (int f = 0; f < kLoopFrames; f += 8) q.Count(loop[static_cast<size_t>(f)]);
  for (int t = 2; t < kChangeFrames - 2; t += 3) q.Count(change[static_cast<size_t>(t)]);
  const FlicPalette palette = q.Build();
  auto make = [&](const char* path, uint32_t speed, const std::vector<RgbFrame>& frames) {
    Animation a;
    a.path = path;
    a.width = kW;
    a.height = kH;
    a.speedMs = speed;
    a.palette = palette;
    for (const RgbFrame& f : frames) a.frames.push_back(q.Map(f));
    return a;
  };
  std::vector<Animation> out;
  out.push_back(make("interface_loop.flc", kLoopSpeedMs, loop));
  out.push_back(make("interface.flc", kChangeSpeedMs, change));
  return out;
}

// --- Previews -------------------------------------------------------------

namespace {

cairo_surface_t* FrameSurface(const Animation& a, size_t k) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, a.width, a.height);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  const auto& px = a.frames[k];
  for (int y = 0; y < a.height; ++y)
    for (int x = 0; x < a.width; ++x) {
      const uint8_t* c = a.palette.data() + 3 * px[static_cast<size_t>(y) * a.width + x];
      *reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride + 4 * x) =
          (static_cast<uint32_t>(c[0]) << 16) | (c[1] << 8) | c[2];
    }
  cairo_surface_mark_dirty(s);
  return s;
}

void Save(cairo_surface_t* s, const std::string& path) {
  if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
}

void Scaled(const Animation& a, size_t k, double scale, const std::string& path) {
  cairo_surface_t* f = FrameSurface(a, k);
  cairo_surface_t* s = cairo_image_surface_create(
      CAIRO_FORMAT_RGB24, static_cast<int>(a.width * scale), static_cast<int>(a.height * scale));
  cairo_t* cr = cairo_create(s);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, f, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  Save(s, path);
  cairo_surface_destroy(s);
  cairo_surface_destroy(f);
}

// Every frame at a quarter size, numbered, with the panels' place marked.
void Sheet(const Animation& a, const std::string& path) {
  const int cols = 8, tw = a.width / 4, th = a.height / 4, gap = 18;
  const int rows = (static_cast<int>(a.frames.size()) + cols - 1) / cols;
  cairo_surface_t* s =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, cols * (tw + 6) + 6, rows * (th + gap) + 40);
  cairo_t* cr = cairo_create(s);
  SetColour(cr, Rgb{40, 44, 52});
  cairo_paint(cr);
  TextStyle label;
  label.face = Face::kSans;
  label.size = 12;
  label.colour = Rgb{230, 234, 240};
  char title[160];
  std::snprintf(title, sizeof title, "%s: %zu frames, %dx%d, %u ms", a.path.c_str(),
                a.frames.size(), a.width, a.height, a.speedMs);
  DrawText(cr, title, 8, 22, label);
  label.size = 9;
  for (size_t k = 0; k < a.frames.size(); ++k) {
    const double x = 6 + (k % cols) * (tw + 6), y = 34 + (k / cols) * (th + gap);
    cairo_surface_t* f = FrameSurface(a, k);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 0.25, 0.25);
    cairo_set_source_surface(cr, f, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(f);
    cairo_rectangle(cr, x + kPanelX / 4 + 0.5, y + kPanelY / 4 + 0.5, kPanelW / 4, kPanelH / 4);
    SetColour(cr, Rgb{224, 216, 207}, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    DrawText(cr, std::to_string(k + 1), x, y + th + 11, label);
  }
  cairo_destroy(cr);
  Save(s, path);
  cairo_surface_destroy(s);
}

}  // namespace

void WriteAnimationPreviews(const std::vector<Animation>& animations, const std::string& dir) {
  namespace fs = std::filesystem;
  for (const Animation& a : animations) {
    if (a.frames.empty()) continue;
    const std::string stem = fs::path(a.path).stem().string();
    Sheet(a, (fs::path(dir) / (stem + "_frames.png")).string());
    Scaled(a, 0, 1, (fs::path(dir) / (stem + "_frame1.png")).string());
    Scaled(a, 0, 2, (fs::path(dir) / (stem + "_frame1_2x.png")).string());
  }
  // The middle of the change at full size, where the panels change.
  for (const Animation& a : animations)
    if (a.path == "interface.flc" && a.frames.size() > 12)
      Scaled(a, 11, 1, (fs::path(dir) / "interface_frame12.png").string());
}

}  // namespace quendrix::assetgen
