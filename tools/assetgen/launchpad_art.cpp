#include "launchpad_art.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/random.h"
#include "draw.h"
#include "widgets/hot_image_menu.h"

namespace quendrix::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kNight{16, 20, 58};
constexpr Rgb kInkBlue{22, 28, 64};

// The launch pad hits integer picture points; cairo covers a pixel when its
// centre is inside a path. Shifting every spot path by half a pixel makes
// the two agree: pixel (x, y) is painted exactly when point (x, y) hits.
constexpr double kHalf = 0.5;

double SmoothStep(double a, double b, double v) {
  double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

// How far a column is into the night side of the sky, 0 ... 1.
double Night(double x) {
  return SmoothStep(170, 330, x);
}

void SpotPath(cairo_t* cr, int index) {
  const MenuSpotShape& s = kMenuSpots[static_cast<size_t>(index)];
  cairo_new_path(cr);
  if (s.ellipse) {
    double l = s.points[0][0], t = s.points[0][1], r = s.points[1][0], b = s.points[1][1];
    cairo_save(cr);
    cairo_translate(cr, (l + r) / 2 + kHalf, (t + b) / 2 + kHalf);
    cairo_scale(cr, (r - l) / 2, (b - t) / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    return;
  }
  for (int i = 0; i < s.count; ++i)
    cairo_line_to(cr, s.points[static_cast<size_t>(i)][0] + kHalf,
                  s.points[static_cast<size_t>(i)][1] + kHalf);
  cairo_close_path(cr);
}

// ---- Background ------------------------------------------------------------

void Sky(cairo_t* cr) {
  // Day over the garden on the left.
  cairo_pattern_t* day = cairo_pattern_create_linear(0, 20, 0, 140);
  cairo_pattern_add_color_stop_rgb(day, 0, 92 / 255.0, 150 / 255.0, 214 / 255.0);
  cairo_pattern_add_color_stop_rgb(day, 0.55, 168 / 255.0, 200 / 255.0, 226 / 255.0);
  cairo_pattern_add_color_stop_rgb(day, 1, 252 / 255.0, 222 / 255.0, 172 / 255.0);
  cairo_set_source(cr, day);
  cairo_paint(cr);
  cairo_pattern_destroy(day);
  // Night over the space course on the right, faded in across the middle.
  cairo_push_group(cr);
  cairo_pattern_t* night = cairo_pattern_create_linear(0, 20, 0, 145);
  cairo_pattern_add_color_stop_rgb(night, 0, kNight.r / 255.0, kNight.g / 255.0, kNight.b / 255.0);
  cairo_pattern_add_color_stop_rgb(night, 1, 58 / 255.0, 34 / 255.0, 96 / 255.0);
  cairo_set_source(cr, night);
  cairo_paint(cr);
  cairo_pattern_destroy(night);
  cairo_pop_group_to_source(cr);
  cairo_pattern_t* fade = cairo_pattern_create_linear(170, 0, 330, 0);
  for (int i = 0; i <= 8; ++i)
    cairo_pattern_add_color_stop_rgba(fade, i / 8.0, 0, 0, 0, Night(170 + 20 * i));
  cairo_mask(cr, fade);
  cairo_pattern_destroy(fade);
  // A low sun glowing behind the garden.
  RadialGradient(cr, 70, 128, 70, Rgb{255, 236, 170}, Rgb{255, 220, 160}, 0.75, 0);
  cairo_paint(cr);
}

void Sparkle(cairo_t* cr, double x, double y, double r, double alpha) {
  SetColour(cr, kWhite, alpha);
  cairo_move_to(cr, x - r, y);
  cairo_curve_to(cr, x - r * 0.15, y - r * 0.15, x - r * 0.15, y - r * 0.15, x, y - r);
  cairo_curve_to(cr, x + r * 0.15, y - r * 0.15, x + r * 0.15, y - r * 0.15, x + r, y);
  cairo_curve_to(cr, x + r * 0.15, y + r * 0.15, x + r * 0.15, y + r * 0.15, x, y + r);
  cairo_curve_to(cr, x - r * 0.15, y + r * 0.15, x - r * 0.15, y + r * 0.15, x - r, y);
  cairo_fill(cr);
  cairo_arc(cr, x, y, r * 0.28, 0, 2 * kPi);
  cairo_fill(cr);
}

void Stars(cairo_t* cr) {
  Pcg32 rng(20240605, 7);
  for (int i = 0; i < 150; ++i) {
    double x = 150 + rng.RandomBelow(2700) / 10.0;
    double y = 18 + rng.RandomBelow(1250) / 10.0;
    double b = 0.35 + rng.RandomBelow(65) / 100.0;
    double a = Night(x) * b;
    if (a < 0.08) continue;
    // Pixel-sized dots, a few a little larger.
    double r = rng.RandomBelow(10) < 8 ? 0.55 : 0.85;
    cairo_arc(cr, std::floor(x) + 0.5, std::floor(y) + 0.5, r, 0, 2 * kPi);
    SetColour(cr, Mix(kWhite, Rgb{190, 210, 255}, rng.RandomBelow(100) / 100.0), a);
    cairo_fill(cr);
  }
  Sparkle(cr, 309.5, 33.5, 4.5, 0.95);
  Sparkle(cr, 381.5, 71.5, 3.5, 0.85);
  Sparkle(cr, 322.5, 125.5, 3, 0.7);
  Sparkle(cr, 256.5, 28.5, 2.5, 0.55);
}

// A ringed planet, the space course's landmark.
void Planet(cairo_t* cr, double cx, double cy, double r) {
  auto ring = [&](bool front) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, -0.32);
    cairo_scale(cr, 1, 0.28);
    cairo_new_path(cr);
    if (front)
      cairo_arc(cr, 0, 0, r * 1.85, 0, kPi);
    else
      cairo_arc(cr, 0, 0, r * 1.85, kPi, 2 * kPi);
    cairo_restore(cr);
    cairo_set_line_width(cr, 3.2);
    SetColour(cr, Rgb{120, 84, 60}, 0.9);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, Rgb{250, 214, 150}, 0.95);
    cairo_stroke(cr);
  };
  ring(false);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  RadialGradient(cr, cx - r * 0.4, cy - r * 0.45, r * 1.5, Rgb{255, 196, 150}, Rgb{150, 60, 90});
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  // Cloud bands.
  cairo_set_line_width(cr, 2.2);
  for (int i = -2; i <= 2; ++i) {
    cairo_move_to(cr, cx - r, cy + i * r * 0.36 - 2);
    cairo_curve_to(cr, cx - r * 0.3, cy + i * r * 0.36 + 2, cx + r * 0.3, cy + i * r * 0.36 + 1,
                   cx + r, cy + i * r * 0.36 - 3);
  }
  SetColour(cr, Rgb{255, 230, 200}, 0.22);
  cairo_stroke(cr);
  // Night side.
  cairo_arc(cr, cx + r * 0.55, cy + r * 0.5, r * 1.05, 0, 2 * kPi);
  SetColour(cr, Rgb{30, 10, 50}, 0.35);
  cairo_fill(cr);
  cairo_restore(cr);
  ring(true);
}

// A fair-weather cloud over the garden: round puffs on a flat base.
void Cloud(cairo_t* cr, double x, double y, double w) {
  const double puffs[5][3] = {{0.08, -0.02, 0.16},
                              {0.3, -0.14, 0.22},
                              {0.56, -0.1, 0.2},
                              {0.8, -0.01, 0.15},
                              {0.45, 0.02, 0.16}};
  cairo_save(cr);
  cairo_rectangle(cr, x - w, y - w, 3 * w, w + 0.1 * w);
  cairo_clip(cr);
  cairo_new_path(cr);
  for (const auto& p : puffs) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + p[0] * w, y + p[1] * w, p[2] * w, 0, 2 * kPi);
  }
  VerticalGradient(cr, y - 0.3 * w, y + 0.1 * w, kWhite, Rgb{200, 216, 236});
  cairo_fill(cr);
  cairo_restore(cr);
}

void Tree(cairo_t* cr, double x, double ground, double size) {
  cairo_rectangle(cr, x - size * 0.09, ground - size * 0.75, size * 0.18, size * 0.75);
  SetColour(cr, Rgb{110, 74, 44});
  cairo_fill(cr);
  const double blobs[4][3] = {
      {0, -1.15, 0.5}, {-0.32, -0.85, 0.38}, {0.34, -0.82, 0.4}, {0.02, -0.7, 0.36}};
  for (const auto& b : blobs)
    cairo_arc(cr, x + b[0] * size, ground + b[1] * size, b[2] * size, 0, 2 * kPi);
  RadialGradient(cr, x - size * 0.25, ground - size * 1.35, size * 1.2, Rgb{140, 210, 90},
                 Rgb{40, 120, 50});
  cairo_fill(cr);
}

void Ground(cairo_t* cr) {
  // Far hill, hazy.
  cairo_move_to(cr, 0, 118);
  cairo_curve_to(cr, 40, 100, 95, 104, 140, 116);
  cairo_curve_to(cr, 170, 124, 200, 132, 230, 150);
  cairo_line_to(cr, 0, 165);
  cairo_close_path(cr);
  VerticalGradient(cr, 100, 150, Rgb{150, 200, 130}, Rgb{110, 170, 100});
  cairo_fill(cr);
  Tree(cr, 44, 113, 22);
  // The garden green in front.
  cairo_move_to(cr, 0, 132);
  cairo_curve_to(cr, 50, 116, 120, 118, 190, 134);
  cairo_curve_to(cr, 215, 140, 235, 146, 250, 165);
  cairo_line_to(cr, 0, 165);
  cairo_close_path(cr);
  VerticalGradient(cr, 116, 150, Rgb{118, 200, 84}, Rgb{52, 138, 58});
  cairo_fill(cr);
  // Mown stripes.
  cairo_save(cr);
  cairo_move_to(cr, 0, 132);
  cairo_curve_to(cr, 50, 116, 120, 118, 190, 134);
  cairo_curve_to(cr, 215, 140, 235, 146, 250, 165);
  cairo_line_to(cr, 0, 165);
  cairo_close_path(cr);
  cairo_clip(cr);
  cairo_set_line_width(cr, 4);
  for (int i = 0; i < 9; ++i) {
    cairo_move_to(cr, -10 + i * 26, 170);
    cairo_line_to(cr, 30 + i * 26, 110);
  }
  SetColour(cr, kWhite, 0.07);
  cairo_stroke(cr);
  cairo_restore(cr);
  // Moon rock on the night side.
  cairo_move_to(cr, 250, 165);
  cairo_curve_to(cr, 280, 138, 330, 132, 421, 126);
  cairo_line_to(cr, 421, 165);
  cairo_close_path(cr);
  VerticalGradient(cr, 126, 150, Rgb{150, 140, 170}, Rgb{78, 70, 104});
  cairo_fill(cr);
  const double craters[4][3] = {{300, 140, 7}, {345, 134, 5}, {376, 139, 8}, {332, 143, 3.5}};
  for (const auto& c : craters) {
    cairo_save(cr);
    cairo_translate(cr, c[0], c[1]);
    cairo_scale(cr, 1, 0.35);
    cairo_arc(cr, 0, 0, c[2], 0, 2 * kPi);
    cairo_restore(cr);
    SetColour(cr, Rgb{60, 52, 84}, 0.8);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_translate(cr, c[0], c[1] + 0.8);
    cairo_scale(cr, 1, 0.35);
    cairo_arc(cr, 0, 0, c[2] * 0.9, 0.1 * kPi, 0.9 * kPi);
    cairo_restore(cr);
    cairo_set_line_width(cr, 1);
    SetColour(cr, Rgb{190, 182, 210}, 0.7);
    cairo_stroke(cr);
  }
}

void FlagOnGreen(cairo_t* cr) {
  const double hx = 84, hy = 124;
  cairo_save(cr);
  cairo_translate(cr, hx - 6, hy);
  cairo_scale(cr, 1, 0.3);
  cairo_arc(cr, 0, 0, 30, 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, Rgb{150, 224, 110}, 0.8);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, hx, hy);
  cairo_scale(cr, 1, 0.4);
  cairo_arc(cr, 0, 0, 4, 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, Rgb{20, 50, 24});
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.6);
  SetColour(cr, Rgb{250, 250, 245});
  cairo_move_to(cr, hx, hy);
  cairo_line_to(cr, hx, 76);
  cairo_stroke(cr);
  cairo_move_to(cr, hx + 0.8, 76);
  cairo_curve_to(cr, hx + 8, 75, hx + 14, 80, hx + 22, 79);
  cairo_curve_to(cr, hx + 16, 84, hx + 9, 87, hx + 0.8, 89);
  cairo_close_path(cr);
  VerticalGradient(cr, 76, 89, Rgb{255, 90, 70}, Rgb{200, 30, 40});
  cairo_fill(cr);
}

void Title(cairo_t* cr) {
  const char* text = "Quendrix";
  const double size = 31;
  SelectFace(cr, Face::kSansBold, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  const double x = 236 - e.x_advance / 2, y = 57;
  cairo_move_to(cr, x + 2, y + 2);
  cairo_text_path(cr, text);
  SetColour(cr, kBlack, 0.45);
  cairo_set_line_width(cr, 4);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  cairo_new_path(cr);
  cairo_move_to(cr, x, y);
  cairo_text_path(cr, text);
  SetColour(cr, kInkBlue);
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  cairo_pattern_t* gold = cairo_pattern_create_linear(0, y - 23, 0, y + 1);
  cairo_pattern_add_color_stop_rgb(gold, 0, 1, 0.97, 0.72);
  cairo_pattern_add_color_stop_rgb(gold, 0.5, 1, 0.82, 0.3);
  cairo_pattern_add_color_stop_rgb(gold, 1, 0.9, 0.52, 0.12);
  cairo_set_source(cr, gold);
  cairo_fill(cr);
  cairo_pattern_destroy(gold);
}

// ---- The four spots ----------------------------------------------------------

// White bold caption with a dark rim, optionally a soft glow behind it.
// A caption centred on (cx, baseline). A translation wider than `room` (and
// than the Russian word, which always keeps its size) is set smaller.
void Caption(cairo_t* cr, const char* russian, const Words& tr, double cx, double baseline,
             double size, double room, double angle, Rgb fill, Rgb rim, bool glow) {
  const std::string words = tr(russian);
  const char* text = words.c_str();
  cairo_save(cr);
  cairo_translate(cr, cx, baseline);
  cairo_rotate(cr, angle);
  SelectFace(cr, Face::kSansBold, size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text, &e);
  if (!tr.Russian()) {
    cairo_text_extents_t own;
    cairo_text_extents(cr, russian, &own);
    const double fit = std::max(room, own.width);
    if (e.width > fit) {
      SelectFace(cr, Face::kSansBold, size * fit / e.width);
      cairo_text_extents(cr, text, &e);
    }
  }
  const double x = -e.x_bearing - e.width / 2;
  if (glow) {
    for (int k = 3; k >= 1; --k) {
      cairo_move_to(cr, x, 0);
      cairo_text_path(cr, text);
      cairo_set_line_width(cr, 2.0 + 2.2 * k);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      SetColour(cr, Rgb{255, 250, 200}, 0.16);
      cairo_stroke(cr);
    }
  }
  cairo_move_to(cr, x, 0);
  cairo_text_path(cr, text);
  cairo_set_line_width(cr, 2.6);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, rim);
  cairo_stroke_preserve(cr);
  SetColour(cr, fill);
  cairo_fill(cr);
  cairo_restore(cr);
}

struct RibbonLook {
  Rgb top, mid, bottom;
};

// A satin ribbon filling the spot's polygon: the path clips everything, the
// outline is stroked inside it in the same colour lit or not, so the rim
// pixels just outside the shape never change with the highlight.
void Ribbon(cairo_t* cr, int index, const RibbonLook& look, bool lit, const char* caption,
            const Words& tr, double cx, double baseline, double size, double angle) {
  const MenuSpotShape& s = kMenuSpots[static_cast<size_t>(index)];
  double top = 1e9, bottom = -1e9, left = 1e9, right = -1e9;
  for (int i = 0; i < s.count; ++i) {
    top = std::min<double>(top, s.points[static_cast<size_t>(i)][1]);
    bottom = std::max<double>(bottom, s.points[static_cast<size_t>(i)][1]);
    left = std::min<double>(left, s.points[static_cast<size_t>(i)][0]);
    right = std::max<double>(right, s.points[static_cast<size_t>(i)][0]);
  }
  // The caption keeps clear of the ball over the ribbon's left end and of
  // its right end.
  const MenuSpotShape& ball = kMenuSpots[0];
  const double ballCx = (ball.points[0][0] + ball.points[1][0]) / 2.0;
  const double ballCy = (ball.points[0][1] + ball.points[1][1]) / 2.0;
  const double ballR = (ball.points[1][0] - ball.points[0][0]) / 2.0;
  const double dy = std::min(ballR, std::abs(baseline - size * 0.35 - ballCy));
  const double clearOfBall = ballCx + std::sqrt(ballR * ballR - dy * dy) + 4;
  const double room = 2 * std::min(cx - clearOfBall, right - 8 - cx);
  top += kHalf;
  bottom += kHalf;
  cairo_save(cr);
  SpotPath(cr, index);
  cairo_clip(cr);
  // Lit, every ribbon turns the same warm gold as the lit ball.
  const Rgb a = lit ? Rgb{255, 240, 150} : look.top;
  const Rgb m = lit ? Rgb{252, 178, 40} : look.mid;
  const Rgb b = lit ? Rgb{196, 96, 16} : look.bottom;
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, bottom);
  cairo_pattern_add_color_stop_rgb(p, 0, a.r / 255.0, a.g / 255.0, a.b / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 0.45, m.r / 255.0, m.g / 255.0, m.b / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, b.r / 255.0, b.g / 255.0, b.b / 255.0);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  // Sheen along the upper third.
  cairo_set_line_width(cr, 1.6);
  cairo_move_to(cr, left, top + 3.2);
  cairo_line_to(cr, 300, top + 2.6);
  SetColour(cr, kWhite, lit ? 0.6 : 0.35);
  cairo_stroke(cr);
  // The end tucked behind the ball: a darker fold.
  cairo_pattern_t* fold = cairo_pattern_create_linear(left, 0, left + 16, 0);
  cairo_pattern_add_color_stop_rgba(fold, 0, 0, 0, 0.1, 0.5);
  cairo_pattern_add_color_stop_rgba(fold, 1, 0, 0, 0.1, 0);
  cairo_set_source(cr, fold);
  cairo_paint(cr);
  cairo_pattern_destroy(fold);
  Caption(cr, caption, tr, cx, baseline, size, room, angle, lit ? Rgb{255, 255, 236} : kWhite,
          kInkBlue, lit);
  SpotPath(cr, index);
  cairo_set_line_width(cr, 2.4);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, kInkBlue);
  cairo_stroke(cr);
  if (lit) {
    // A bright inner rim inside the dark one.
    SpotPath(cr, index);
    cairo_set_line_width(cr, 5);
    SetColour(cr, Rgb{255, 244, 170}, 0.55);
    cairo_stroke(cr);
    SpotPath(cr, index);
    cairo_set_line_width(cr, 2.4);
    SetColour(cr, kInkBlue);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

// The ball: a dimpled golf ball with a band across it that reads "Играть".
void Ball(cairo_t* cr, bool lit, const Words& tr) {
  const MenuSpotShape& s = kMenuSpots[0];
  const double cx = (s.points[0][0] + s.points[1][0]) / 2.0 + kHalf;
  const double cy = (s.points[0][1] + s.points[1][1]) / 2.0 + kHalf;
  const double r = (s.points[1][0] - s.points[0][0]) / 2.0 - 0.6;  // inside the spot
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_clip(cr);
  const Rgb hi = lit ? Rgb{255, 255, 246} : Rgb{255, 255, 255};
  const Rgb lo = lit ? Rgb{248, 196, 96} : Rgb{150, 162, 186};
  cairo_pattern_t* body =
      cairo_pattern_create_radial(cx - r * 0.38, cy - r * 0.42, 0, cx, cy, r * 1.02);
  cairo_pattern_add_color_stop_rgb(body, 0, hi.r / 255.0, hi.g / 255.0, hi.b / 255.0);
  cairo_pattern_add_color_stop_rgb(body, 0.55, lit ? 1 : 0.9, lit ? 0.95 : 0.92, lit ? 0.8 : 0.95);
  cairo_pattern_add_color_stop_rgb(body, 1, lo.r / 255.0, lo.g / 255.0, lo.b / 255.0);
  cairo_set_source(cr, body);
  cairo_paint(cr);
  cairo_pattern_destroy(body);
  // Dimples on a hexagonal grid, foreshortened towards the rim.
  for (int row = -6; row <= 6; ++row)
    for (int col = -6; col <= 6; ++col) {
      double dx = (col + (row & 1) * 0.5) * 8.2, dy = row * 7.1;
      double d = std::hypot(dx, dy) / r;
      if (d > 0.93) continue;
      double z = std::sqrt(1 - d * d);
      double ang = std::atan2(dy, dx);
      cairo_save(cr);
      cairo_translate(cr, cx + dx, cy + dy);
      cairo_rotate(cr, ang);
      cairo_scale(cr, 2.3 * z + 0.4, 2.3);
      cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
      cairo_restore(cr);
      SetColour(cr, lit ? Rgb{190, 130, 40} : Rgb{110, 124, 150}, 0.18 + 0.12 * (1 - z));
      cairo_fill(cr);
    }
  // Band, curved like an equator seen from a little above.
  const double tilt = -0.16;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, tilt);
  cairo_move_to(cr, -r - 2, -12);
  cairo_curve_to(cr, -r * 0.5, -6, r * 0.5, -6, r + 2, -12);
  cairo_line_to(cr, r + 2, 6);
  cairo_curve_to(cr, r * 0.5, 12.5, -r * 0.5, 12.5, -r - 2, 6);
  cairo_close_path(cr);
  cairo_restore(cr);
  cairo_pattern_t* band = cairo_pattern_create_linear(0, cy - 10, 0, cy + 12);
  if (lit) {
    cairo_pattern_add_color_stop_rgb(band, 0, 1, 0.86, 0.35);
    cairo_pattern_add_color_stop_rgb(band, 0.5, 1, 0.6, 0.1);
    cairo_pattern_add_color_stop_rgb(band, 1, 0.85, 0.32, 0.05);
  } else {
    cairo_pattern_add_color_stop_rgb(band, 0, 0.95, 0.36, 0.3);
    cairo_pattern_add_color_stop_rgb(band, 0.5, 0.84, 0.16, 0.16);
    cairo_pattern_add_color_stop_rgb(band, 1, 0.6, 0.08, 0.14);
  }
  cairo_set_source(cr, band);
  cairo_pattern_destroy(band);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.4);
  SetColour(cr, kInkBlue, 0.8);
  cairo_stroke(cr);
  Caption(cr, TrNoop("Играть"), tr, cx, cy + 5, 13.5, 2 * r - 12, tilt,
          lit ? Rgb{255, 255, 236} : kWhite, kInkBlue, lit);
  // Gloss.
  cairo_save(cr);
  cairo_translate(cr, cx - r * 0.42, cy - r * 0.55);
  cairo_rotate(cr, -0.6);
  cairo_scale(cr, r * 0.34, r * 0.18);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, kWhite, lit ? 0.9 : 0.75);
  cairo_fill(cr);
  // Rim: dark in both looks; the lit ball adds a warm glow inside it.
  if (lit) {
    cairo_arc(cr, cx, cy, r - 2.5, 0, 2 * kPi);
    cairo_set_line_width(cr, 4);
    SetColour(cr, Rgb{255, 236, 140}, 0.7);
    cairo_stroke(cr);
  }
  cairo_arc(cr, cx, cy, r - 0.8, 0, 2 * kPi);
  cairo_set_line_width(cr, 1.8);
  SetColour(cr, kInkBlue);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void Spots(cairo_t* cr, bool lit, const Words& tr) {
  Ribbon(cr, 1, {Rgb{140, 220, 110}, Rgb{62, 164, 72}, Rgb{24, 100, 52}}, lit, TrNoop("Тренировка"),
         tr, 237, 83.5, 13, -0.02);
  Ribbon(cr, 2, {Rgb{130, 186, 250}, Rgb{52, 112, 214}, Rgb{26, 56, 150}}, lit, TrNoop("Настройки"),
         tr, 228, 104.5, 13, 0);
  Ribbon(cr, 3, {Rgb{255, 150, 130}, Rgb{218, 64, 62}, Rgb{140, 24, 44}}, lit, TrNoop("Выход"), tr,
         207, 124.5, 11, -0.13);
  Ball(cr, lit, tr);
}

// The rounded window the control shows, on the panel's face colour.
void Frame(cairo_t* cr) {
  const MenuView v = MenuVisibleArea();
  const double radius = 9;
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  cairo_rectangle(cr, 0, 0, kMenuPictureWidth, kMenuPictureHeight);
  RoundedRect(cr, v.x, v.y, v.w, v.h, radius);
  SetColour(cr, kMenuPanel);
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  RoundedRect(cr, v.x + 0.75, v.y + 0.75, v.w - 1.5, v.h - 1.5, radius - 0.5);
  cairo_set_line_width(cr, 1.5);
  SetColour(cr, Rgb{70, 62, 84});
  cairo_stroke(cr);
  RoundedRect(cr, v.x + 2, v.y + 2, v.w - 4, v.h - 4, radius - 1.5);
  cairo_set_line_width(cr, 1);
  SetColour(cr, kWhite, 0.35);
  cairo_stroke(cr);
}

}  // namespace

MenuView MenuVisibleArea() {
  // The picture's offset in its control, division truncating toward zero.
  const int ox = (kMenuControlWidth - kMenuPictureWidth) / 2;
  const int oy = (kMenuControlHeight - kMenuPictureHeight) / 2;
  return {-ox, -oy, kMenuControlWidth, kMenuControlHeight};
}

Picture MenuPicture(bool lit, const Words& tr) {
  Canvas c(kMenuPictureWidth, kMenuPictureHeight);
  cairo_t* cr = c.Cr();
  Sky(cr);
  Stars(cr);
  Cloud(cr, 52, 46, 34);
  Cloud(cr, 118, 36, 24);
  Planet(cr, 352, 90, 15);
  Ground(cr);
  FlagOnGreen(cr);
  Title(cr);
  Spots(cr, lit, tr);
  Frame(cr);
  FlattenOptions o;
  return Quantise(Flatten(c, o), 256);
}

}  // namespace quendrix::assetgen
