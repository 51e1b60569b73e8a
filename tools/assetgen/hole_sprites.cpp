#include "hole_sprites.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/random.h"
#include "draw.h"

namespace quendrix::assetgen {

namespace {

constexpr double kPi = 3.14159265358979323846;

using FrameFn = std::function<void(cairo_t*, int frame, int frames)>;

// Frames side by side. A blended sheet (drawn with an additive or
// subtractive blend) is painted on black and kept premultiplied; a plain one
// is colour-keyed with dark outlines.
SpriteSheet Sheet(std::string name, int w, int h, int frames, bool blended, const FrameFn& draw) {
  Canvas canvas(w * frames, h);
  cairo_t* cr = canvas.Cr();
  for (int f = 0; f < frames; ++f) {
    cairo_save(cr);
    cairo_rectangle(cr, f * w, 0, w, h);
    cairo_clip(cr);
    cairo_translate(cr, f * w, 0);
    draw(cr, f, frames);
    cairo_restore(cr);
  }
  FlattenOptions o;
  o.premultiplied = blended;
  if (!blended) o.matte = Rgb{30, 30, 30};
  SpriteSheet s;
  s.name = std::move(name);
  s.picture = Flatten(canvas, o);
  s.patternWidth = w;
  s.patternHeight = h;
  return s;
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
  cairo_restore(cr);
}

void Star(cairo_t* cr, double cx, double cy, double outer, double inner, int points, double turn) {
  cairo_new_sub_path(cr);
  for (int k = 0; k < 2 * points; ++k) {
    const double r = k % 2 ? inner : outer;
    const double a = turn + k * kPi / points - kPi / 2;
    if (k == 0) {
      cairo_move_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    } else {
      cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
  }
  cairo_close_path(cr);
}

Rgb Scale2(Rgb c) {
  return Mix(c, Rgb{0, 0, 0}, 0.45);
}

// 0 ... 1 ... 0 over the frames.
double Swell(int f, int n) {
  return std::sin(kPi * (f + 0.5) / n);
}

// ------------------------------------------------------------- effects

SpriteSheet DirtFountain() {  // image 3 of the garden: a mole hill throws
  return Sheet("mole burst", 54, 160, 8, true, [](cairo_t* cr, int f, int n) {
    Pcg32 rng(3, 1);
    const double t = (f + 1.0) / n;
    for (int k = 0; k < 40; ++k) {
      const double vx = (rng.RandomBelow(100) - 50) / 50.0 * 12;
      const double vy = 60 + rng.RandomBelow(90);
      const double x = 27 + vx * t * 2, y = 147 - vy * t + 90 * t * t;
      const double fade = 1 - t * 0.8;
      SetColour(cr, k % 3 ? Rgb{200, 150, 90} : Rgb{250, 230, 170}, fade);
      cairo_arc(cr, x, y, 1.2 + rng.RandomBelow(3) * 0.6, 0, 2 * kPi);
      cairo_fill(cr);
    }
  });
}

SpriteSheet BlasterBurst() {  // image 3 of the station: a repulsor fires
  return Sheet("repulsor burst", 110, 110, 8, true, [](cairo_t* cr, int f, int n) {
    const double t = (f + 1.0) / n;
    const double r = 8 + 44 * t;
    RadialGradient(cr, 55, 65, r, Rgb{200, 255, 220}, Rgb{40, 200, 110}, 1 - t * 0.7, 0);
    Ellipse(cr, 55, 65, r, r * 0.7);
    cairo_fill(cr);
    cairo_set_line_width(cr, 3 * (1 - t) + 1);
    SetColour(cr, Rgb{160, 255, 200}, 1 - t);
    Ellipse(cr, 55, 65, r, r * 0.5);
    cairo_stroke(cr);
  });
}

SpriteSheet Splash(Theme theme) {  // image 4: the ball goes under
  const Rgb drop = theme == Theme::kSpace ? Rgb{200, 120, 255} : Rgb{200, 230, 255};
  return Sheet("splash", 16, 32, 8, true, [drop](cairo_t* cr, int f, int n) {
    Pcg32 rng(4, 1);
    const double t = (f + 1.0) / n;
    for (int k = 0; k < 14; ++k) {
      const double vx = (rng.RandomBelow(100) - 50) / 50.0 * 6;
      const double vy = 20 + rng.RandomBelow(22);
      const double x = 8 + vx * t, y = 26 - vy * t + 40 * t * t;
      SetColour(cr, drop, 1 - t * 0.7);
      cairo_arc(cr, x, std::min(y, 30.0), 1.1, 0, 2 * kPi);
      cairo_fill(cr);
    }
    cairo_set_line_width(cr, 1.2);
    SetColour(cr, drop, 0.8 * (1 - t));
    Ellipse(cr, 8, 27, 3 + 5 * t, 1.5 + 2.5 * t);
    cairo_stroke(cr);
  });
}

SpriteSheet ExtraStrokeBurst() {  // image 7: a bonus is picked up
  return Sheet("extra stroke", 160, 124, 8, true, [](cairo_t* cr, int f, int n) {
    const double t = (f + 1.0) / n;
    RadialGradient(cr, 80, 62, 20 + 40 * t, Rgb{255, 250, 200}, Rgb{255, 180, 40}, 1 - t * 0.6, 0);
    cairo_arc(cr, 80, 62, 20 + 40 * t, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_set_line_width(cr, 2.5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Rgb{255, 236, 140}, 1 - t * 0.8);
    for (int k = 0; k < 12; ++k) {
      const double a = k * kPi / 6 + t * 0.6;
      const double r0 = 16 + 40 * t, r1 = r0 + 18;
      cairo_move_to(cr, 80 + r0 * std::cos(a), 62 + r0 * std::sin(a) * 0.8);
      cairo_line_to(cr, 80 + r1 * std::cos(a), 62 + r1 * std::sin(a) * 0.8);
    }
    cairo_stroke(cr);
  });
}

SpriteSheet DustPuff(Theme theme) {  // image 8: long grass or dust
  const Rgb c = theme == Theme::kSpace ? Rgb{170, 150, 130} : Rgb{150, 190, 110};
  return Sheet("dust", 24, 24, 6, true, [c](cairo_t* cr, int f, int n) {
    const double t = (f + 1.0) / n;
    for (int k = 0; k < 5; ++k) {
      const double a = k * 2 * kPi / 5;
      const double x = 12 + std::cos(a) * 6 * t, y = 14 + std::sin(a) * 4 * t - 4 * t;
      RadialGradient(cr, x, y, 4 + 4 * t, c, c, 0.8 * (1 - t), 0);
      cairo_arc(cr, x, y, 4 + 4 * t, 0, 2 * kPi);
      cairo_fill(cr);
    }
  });
}

SpriteSheet PipeFlash(Theme theme) {  // image 13: a ring of sparks round the ball
  const Rgb c = theme == Theme::kSpace ? Rgb{120, 255, 230} : Rgb{255, 250, 200};
  return Sheet("pipe flash", 34, 40, 8, true, [c](cairo_t* cr, int f, int n) {
    const double t = (f + 1.0) / n;
    cairo_set_line_width(cr, 1.6);
    SetColour(cr, c, 1 - t * 0.8);
    Ellipse(cr, 17, 28, 6 + 10 * t, 3 + 5 * t);
    cairo_stroke(cr);
    for (int k = 0; k < 8; ++k) {
      const double a = k * kPi / 4 + t;
      const double x = 17 + std::cos(a) * (6 + 9 * t), y = 28 + std::sin(a) * (3 + 4 * t) - 20 * t;
      SetColour(cr, Rgb{255, 255, 255}, 1 - t);
      cairo_arc(cr, x, y, 1.2, 0, 2 * kPi);
      cairo_fill(cr);
    }
  });
}

SpriteSheet HitFlash(int image) {  // a flying ball hits a rail
  const Rgb c = image == ItemIndex(HoleImage::kHitFlash19)    ? Rgb{255, 220, 90}
                : image == ItemIndex(HoleImage::kHitFlash109) ? Rgb{110, 220, 255}
                                                              : Rgb{255, 255, 255};
  return Sheet("hit flash", 60, 60, 6, true, [c](cairo_t* cr, int f, int n) {
    const double t = (f + 1.0) / n;
    RadialGradient(cr, 30, 30, 26 * (0.4 + t * 0.6), Rgb{255, 255, 255}, c, 1 - t * 0.8, 0);
    Star(cr, 30, 30, 26 * (0.5 + 0.5 * t), 6, 4, t * 0.5);
    cairo_fill(cr);
  });
}

SpriteSheet Sparkle(const std::string& name) {  // an image a hole does not use
  return Sheet(name, 16, 16, 4, true, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{255, 255, 255}, Swell(f, n));
    Star(cr, 8, 8, 7, 1.5, 4, 0);
    cairo_fill(cr);
  });
}

// --------------------------------------------------------- garden decor

SpriteSheet Clover() {  // the golden clover that gives an extra stroke
  return Sheet("golden clover", 40, 40, 8, false, [](cairo_t* cr, int f, int n) {
    const double squash = std::abs(std::cos(f * kPi / n));  // turning round
    const double bob = std::sin(f * 2 * kPi / n) * 1.5;
    cairo_save(cr);
    cairo_translate(cr, 20, 12 + bob);
    cairo_scale(cr, std::max(squash, 0.15), 1);
    for (int k = 0; k < 4; ++k) {
      const double a = k * kPi / 2 + kPi / 4;
      RadialGradient(cr, std::cos(a) * 5 - 1, std::sin(a) * 5 - 2, 7, Rgb{255, 246, 160},
                     Rgb{214, 150, 20});
      cairo_arc(cr, std::cos(a) * 5, std::sin(a) * 5, 5.5, 0, 2 * kPi);
      cairo_fill_preserve(cr);
      SetColour(cr, Rgb{120, 80, 10});
      cairo_set_line_width(cr, 1);
      cairo_stroke(cr);
    }
    cairo_restore(cr);
    SetColour(cr, Rgb{255, 255, 255}, 0.9);
    Star(cr, 14, 6 + bob, 3, 0.8, 4, f * 0.3);
    cairo_fill(cr);
  });
}

SpriteSheet FloatShadow(const std::string& name) {  // drawn with a subtractive blend
  return Sheet(name, 36, 40, 1, true, [](cairo_t* cr, int, int) {
    RadialGradient(cr, 18, 28, 12, Rgb{150, 150, 150}, Rgb{150, 150, 150}, 1, 0);
    Ellipse(cr, 18, 28, 12, 5);
    cairo_fill(cr);
  });
}

SpriteSheet Butterflies(int image) {  // drifting over course1hole5, added on
  // Added onto green grass at full strength: little green of their own, or
  // they all wash out to white.
  const Rgb wing = image == ItemIndex(HoleImage::kDrifter) ? Rgb{255, 50, 170} : Rgb{180, 40, 255};
  return Sheet(image == ItemIndex(HoleImage::kDrifter) ? "butterfly" : "petal", 20, 16, 4, true,
               [wing](cairo_t* cr, int f, int n) {
                 const double open = 0.25 + 0.75 * std::abs(std::cos(f * kPi / n));
                 for (int side = -1; side <= 1; side += 2) {
                   SetColour(cr, wing, 0.9);
                   Ellipse(cr, 10 + side * 4.5 * open, 6, 4.5 * open, 4);
                   cairo_fill(cr);
                   SetColour(cr, wing, 0.6);
                   Ellipse(cr, 10 + side * 3.5 * open, 11, 3.5 * open, 3);
                   cairo_fill(cr);
                 }
                 SetColour(cr, Rgb{120, 110, 90});
                 Ellipse(cr, 10, 9, 1, 4);
                 cairo_fill(cr);
               });
}

SpriteSheet Pinwheel() {  // training1, above the top lane
  return Sheet("pinwheel", 40, 40, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{120, 84, 50});
    cairo_rectangle(cr, 19, 20, 3, 20);
    cairo_fill(cr);
    const Rgb colours[4] = {{240, 80, 80}, {250, 210, 60}, {80, 170, 240}, {120, 210, 100}};
    const double turn = f * 2 * kPi / n / 4;
    for (int k = 0; k < 4; ++k) {
      const double a = turn + k * kPi / 2;
      cairo_move_to(cr, 20, 16);
      cairo_line_to(cr, 20 + 13 * std::cos(a), 16 + 13 * std::sin(a));
      cairo_line_to(cr, 20 + 9 * std::cos(a + 0.9), 16 + 9 * std::sin(a + 0.9));
      cairo_close_path(cr);
      SetColour(cr, colours[k]);
      cairo_fill_preserve(cr);
      SetColour(cr, Rgb{60, 50, 40});
      cairo_set_line_width(cr, 0.8);
      cairo_stroke(cr);
    }
    SetColour(cr, Rgb{250, 250, 250});
    cairo_arc(cr, 20, 16, 2, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet SlopeArrows() {  // training1: arrows running down the right-hand slope
  return Sheet("slope arrows", 148, 176, 8, false, [](cairo_t* cr, int f, int n) {
    const double shift = f * 44.0 / n;
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    for (double y = -44 + shift; y < 176; y += 44) {
      for (int col = 0; col < 3; ++col) {
        const double x = 26 + col * 48;
        const double fade = std::clamp(std::min(y + 10, 170 - y) / 40.0, 0.0, 1.0);
        SetColour(cr, Rgb{250, 255, 220}, fade);
        cairo_move_to(cr, x - 10, y);
        cairo_line_to(cr, x, y + 9);
        cairo_line_to(cr, x + 10, y);
        cairo_stroke(cr);
      }
    }
  });
}

SpriteSheet PracticeFlag() {  // training1: the flag over the cup, pole foot at (32, 61)
  return Sheet("practice flag", 64, 64, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{240, 240, 240});
    cairo_rectangle(cr, 31, 6, 2.5, 55);
    cairo_fill(cr);
    const double wave = f * 2 * kPi / n;
    cairo_move_to(cr, 33.5, 6);
    for (int k = 0; k <= 10; ++k) {
      const double x = 33.5 + k * 2.6, y = 6 + std::sin(wave + k * 0.6) * 2;
      cairo_line_to(cr, x, y);
    }
    for (int k = 10; k >= 0; --k) {
      const double x = 33.5 + k * 2.6, y = 22 + std::sin(wave + k * 0.6) * 2;
      cairo_line_to(cr, x, y);
    }
    cairo_close_path(cr);
    SetColour(cr, Rgb{230, 50, 50});
    cairo_fill_preserve(cr);
    SetColour(cr, Rgb{120, 20, 20});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
}

SpriteSheet BirdBath() {  // course1hole2, on the lawn
  return Sheet("bird bath", 60, 70, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 34, 64, 18, 5);
    cairo_fill(cr);
    SetColour(cr, Rgb{200, 196, 186});
    cairo_rectangle(cr, 25, 34, 10, 30);
    cairo_fill(cr);
    Ellipse(cr, 30, 64, 12, 4);
    cairo_fill(cr);
    Ellipse(cr, 30, 32, 24, 8);
    cairo_fill_preserve(cr);
    SetColour(cr, Rgb{110, 106, 100});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    SetColour(cr, Rgb{110, 170, 230});
    Ellipse(cr, 30, 31, 19, 5.5);
    cairo_fill(cr);
    // A little bird hopping on the rim.
    const double hop = std::abs(std::sin(f * 2 * kPi / n)) * 6;
    SetColour(cr, Rgb{120, 90, 60});
    Ellipse(cr, 44, 20 - hop, 6, 4.5);
    cairo_fill(cr);
    cairo_arc(cr, 48, 16 - hop, 3, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Rgb{250, 180, 60});
    cairo_move_to(cr, 50.5, 15.5 - hop);
    cairo_line_to(cr, 54, 16.5 - hop);
    cairo_line_to(cr, 50.5, 17.5 - hop);
    cairo_fill(cr);
  });
}

SpriteSheet Dapple() {  // course1hole3: light or shade moving under the leaves
  return Sheet("dapple", 100, 64, 10, true, [](cairo_t* cr, int f, int n) {
    Pcg32 rng(9, 3);
    for (int k = 0; k < 9; ++k) {
      const double x = 18 + rng.RandomBelow(64), y = 14 + rng.RandomBelow(36);
      const double r = 7 + rng.RandomBelow(9);
      const double phase = rng.RandomBelow(100) / 100.0 * 2 * kPi;
      const double sway = std::sin(f * 2 * kPi / n + phase) * 4;
      // Dim: subtracted at 220 it must leave a darker lawn, not a black hole;
      // added at 192 to 250 it still lights the grass up.
      RadialGradient(cr, x + sway, y, r, Rgb{64, 80, 48}, Rgb{64, 80, 48}, 0.9, 0);
      Ellipse(cr, x + sway, y, r, r * 0.6);
      cairo_fill(cr);
    }
  });
}

SpriteSheet BushRustle() {  // course1hole4: leaves of the bush shake
  return Sheet("bush rustle", 60, 48, 6, false, [](cairo_t* cr, int f, int n) {
    Pcg32 rng(10, 4);
    const double shake = std::sin(f * 2 * kPi / n * 2) * 2.5 * (1 - static_cast<double>(f) / n);
    for (int k = 0; k < 10; ++k) {
      const double x = 12 + rng.RandomBelow(36) + shake, y = 8 + rng.RandomBelow(26);
      SetColour(cr, k % 2 ? Rgb{90, 170, 70} : Rgb{60, 130, 50});
      Ellipse(cr, x, y, 5, 3.5);
      cairo_fill(cr);
    }
    SetColour(cr, Rgb{140, 210, 100});
    for (int k = 0; k < 3; ++k) {
      const double t = (f + 1.0) / n;
      cairo_arc(cr, 16 + k * 14, 36 + t * 8, 2, 0, 2 * kPi);
      cairo_fill(cr);
    }
  });
}

SpriteSheet Gnome() {  // course1hole6, in the flower bed above the green
  return Sheet("gnome", 40, 64, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 22, 60, 13, 4);
    cairo_fill(cr);
    SetColour(cr, Rgb{60, 110, 200});
    RoundedRect(cr, 11, 34, 18, 24, 5);
    cairo_fill(cr);
    SetColour(cr, Rgb{250, 214, 180});
    cairo_arc(cr, 20, 30, 6.5, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Rgb{250, 250, 250});
    cairo_move_to(cr, 14, 31);
    cairo_curve_to(cr, 14, 44, 26, 44, 26, 31);
    cairo_fill(cr);
    const double nod = std::sin(f * 2 * kPi / n) * 2;
    SetColour(cr, Rgb{220, 40, 40});
    cairo_move_to(cr, 12, 26);
    cairo_line_to(cr, 20 + nod, 4);
    cairo_line_to(cr, 28, 26);
    cairo_close_path(cr);
    cairo_fill(cr);
    SetColour(cr, Rgb{40, 30, 20});
    cairo_arc(cr, 18, 29, 0.9, 0, 2 * kPi);
    cairo_arc(cr, 22, 29, 0.9, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet SwayingTree(const std::string& name) {  // a tree at the picture's edge
  return Sheet(name, 80, 120, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 44, 114, 30, 6);
    cairo_fill(cr);
    SetColour(cr, Rgb{110, 76, 46});
    cairo_rectangle(cr, 35, 60, 10, 54);
    cairo_fill(cr);
    const double sway = std::sin(f * 2 * kPi / n) * 2;
    TreeCanopy(cr, 40 + sway, 44, 34);
  });
}

SpriteSheet Scarecrow() {  // course1hole7, outside the rail
  return Sheet("scarecrow", 50, 80, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 27, 76, 12, 3);
    cairo_fill(cr);
    SetColour(cr, Rgb{120, 84, 50});
    cairo_rectangle(cr, 23, 20, 4, 56);
    cairo_fill(cr);
    const double flap = std::sin(f * 2 * kPi / n) * 3;
    cairo_set_line_width(cr, 4);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Rgb{190, 80, 60});
    cairo_move_to(cr, 6, 32 + flap);
    cairo_line_to(cr, 44, 32 - flap);
    cairo_stroke(cr);
    RoundedRect(cr, 16, 28, 18, 24, 3);
    cairo_fill(cr);
    SetColour(cr, Rgb{240, 210, 120});
    cairo_arc(cr, 25, 20, 7, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Rgb{150, 100, 40});
    cairo_move_to(cr, 13, 16);
    cairo_line_to(cr, 37, 16);
    cairo_line_to(cr, 30, 6);
    cairo_line_to(cr, 20, 6);
    cairo_close_path(cr);
    cairo_fill(cr);
  });
}

SpriteSheet Wheelbarrow() {  // course1hole7, outside the rail
  return Sheet("wheelbarrow", 60, 44, 4, false, [](cairo_t* cr, int f, int) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 32, 40, 24, 4);
    cairo_fill(cr);
    SetColour(cr, Rgb{60, 140, 200});
    cairo_move_to(cr, 10, 14);
    cairo_line_to(cr, 48, 14);
    cairo_line_to(cr, 42, 30);
    cairo_line_to(cr, 16, 30);
    cairo_close_path(cr);
    cairo_fill(cr);
    SetColour(cr, Rgb{210, 120, 60});  // flowers in the barrow
    for (int k = 0; k < 5; ++k) {
      cairo_arc(cr, 16 + k * 7, 12 - (k + f) % 2, 3, 0, 2 * kPi);
      cairo_fill(cr);
    }
    SetColour(cr, Rgb{40, 40, 40});
    cairo_arc(cr, 44, 34, 6, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Rgb{120, 84, 50});
    cairo_set_line_width(cr, 2.5);
    cairo_move_to(cr, 10, 24);
    cairo_line_to(cr, 2, 30);
    cairo_stroke(cr);
  });
}

SpriteSheet Duck() {  // course1hole8, swimming on the moat
  return Sheet("duck", 40, 30, 8, false, [](cairo_t* cr, int f, int n) {
    const double bob = std::sin(f * 2 * kPi / n) * 1.2;
    SetColour(cr, Rgb{150, 200, 240}, 0.8);
    cairo_set_line_width(cr, 1);
    Ellipse(cr, 20, 25, 16, 3.5);
    cairo_stroke(cr);
    SetColour(cr, Rgb{250, 250, 240});
    Ellipse(cr, 18, 20 + bob, 11, 6);
    cairo_fill(cr);
    cairo_arc(cr, 27, 11 + bob, 5, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Rgb{250, 160, 40});
    cairo_move_to(cr, 31, 11 + bob);
    cairo_line_to(cr, 37, 12.5 + bob);
    cairo_line_to(cr, 31, 14 + bob);
    cairo_fill(cr);
    SetColour(cr, Rgb{20, 20, 20});
    cairo_arc(cr, 28.5, 10 + bob, 0.9, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet Fountain() {  // course1hole9: the spray over the basin, centre x 32
  return Sheet("fountain", 64, 64, 8, false, [](cairo_t* cr, int f, int n) {
    Pcg32 rng(12, 8);
    for (int k = 0; k < 30; ++k) {
      const double a = (rng.RandomBelow(100) - 50) / 50.0;
      const double t = std::fmod(f / static_cast<double>(n) + k / 30.0, 1.0);
      const double x = 32 + a * 22 * t, y = 44 - 40 * t + 36 * t * t;
      SetColour(cr, Rgb{210, 236, 255}, 0.9);
      cairo_arc(cr, x, y, 1.3, 0, 2 * kPi);
      cairo_fill(cr);
    }
    SetColour(cr, Rgb{230, 246, 255});
    cairo_rectangle(cr, 30.5, 22, 3, 22);
    cairo_fill(cr);
  });
}

SpriteSheet GardenLamp() {  // course1hole9, below the rail by the green
  return Sheet("lamp", 30, 80, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 17, 76, 9, 3);
    cairo_fill(cr);
    SetColour(cr, Rgb{50, 56, 60});
    cairo_rectangle(cr, 13.5, 20, 3, 56);
    cairo_fill(cr);
    RadialGradient(cr, 15, 14, 14, Rgb{255, 240, 170}, Rgb{255, 200, 90}, 0.4 + 0.2 * Swell(f, n),
                   0);
    cairo_arc(cr, 15, 14, 14, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Rgb{255, 236, 150});
    RoundedRect(cr, 9, 7, 12, 14, 3);
    cairo_fill_preserve(cr);
    SetColour(cr, Rgb{50, 56, 60});
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
  });
}

// ---------------------------------------------------------- space decor

SpriteSheet BonusStar() {  // the star that gives an extra stroke
  return Sheet("bonus star", 40, 40, 8, false, [](cairo_t* cr, int f, int n) {
    const double bob = std::sin(f * 2 * kPi / n) * 1.5;
    RadialGradient(cr, 20, 12 + bob, 13, Rgb{255, 255, 200}, Rgb{255, 200, 60}, 0.8, 0);
    cairo_arc(cr, 20, 12 + bob, 13, 0, 2 * kPi);
    cairo_fill(cr);
    Star(cr, 20, 12 + bob, 10, 4.5, 5, f * 2 * kPi / n / 5);
    SetColour(cr, Rgb{255, 224, 60});
    cairo_fill_preserve(cr);
    SetColour(cr, Rgb{150, 90, 10});
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  });
}

SpriteSheet Beacon(const std::string& name, Rgb light) {  // a mast with a blinking light
  return Sheet(name, 40, 70, 8, false, [light](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 22, 66, 12, 3);
    cairo_fill(cr);
    SetColour(cr, Rgb{120, 136, 170});
    cairo_move_to(cr, 14, 66);
    cairo_line_to(cr, 19, 16);
    cairo_line_to(cr, 21, 16);
    cairo_line_to(cr, 26, 66);
    cairo_close_path(cr);
    cairo_fill(cr);
    const double on = f < n / 2 ? 1.0 : 0.25;
    RadialGradient(cr, 20, 12, 11, light, light, on, 0);
    cairo_arc(cr, 20, 12, 11, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Mix(Rgb{60, 60, 70}, light, on));
    cairo_arc(cr, 20, 12, 3.5, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet Dish() {  // a turning radar dish
  return Sheet("dish", 60, 60, 8, false, [](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{0, 0, 0}, 0.3);
    Ellipse(cr, 32, 56, 16, 4);
    cairo_fill(cr);
    SetColour(cr, Rgb{110, 124, 150});
    cairo_rectangle(cr, 27, 32, 6, 24);
    cairo_fill(cr);
    const double turn = std::cos(f * 2 * kPi / n);
    SetColour(cr, Rgb{210, 220, 236});
    Ellipse(cr, 30, 24, 20 * std::max(std::abs(turn), 0.2), 14);
    cairo_fill_preserve(cr);
    SetColour(cr, Rgb{80, 90, 110});
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    SetColour(cr, Rgb{255, 90, 80});
    cairo_arc(cr, 30 + 8 * turn, 24, 2.5, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet Planet(const std::string& name, int w, int h, Rgb body, Rgb band) {
  return Sheet(name, w, h, 8, false, [w, h, body, band](cairo_t* cr, int f, int n) {
    const double cx = w / 2.0, cy = h / 2.0, r = std::min(w * 0.34, h * 0.42);
    RadialGradient(cr, cx - r * 0.4, cy - r * 0.4, r * 1.5, Mix(body, Rgb{255, 255, 255}, 0.4),
                   Scale2(body));
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_clip(cr);
    SetColour(cr, band, 0.5);
    const double drift = f * r / n;
    for (int k = -2; k <= 2; ++k) {
      Ellipse(cr, cx + drift - r / 2, cy + k * r * 0.35, r * 1.4, r * 0.08);
      cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_set_line_width(cr, 2.5);
    SetColour(cr, Rgb{230, 220, 200}, 0.8);
    Ellipse(cr, cx, cy, r * 1.45, r * 0.32);
    cairo_stroke(cr);
  });
}

SpriteSheet Satellite() {
  return Sheet("satellite", 60, 40, 8, false, [](cairo_t* cr, int f, int n) {
    const double bob = std::sin(f * 2 * kPi / n) * 2;
    SetColour(cr, Rgb{60, 90, 200});
    cairo_rectangle(cr, 4, 14 + bob, 18, 10);
    cairo_rectangle(cr, 38, 14 + bob, 18, 10);
    cairo_fill(cr);
    SetColour(cr, Rgb{140, 170, 255}, 0.8);
    cairo_set_line_width(cr, 0.8);
    for (int k = 0; k < 3; ++k) {
      cairo_move_to(cr, 4 + k * 6, 14 + bob);
      cairo_line_to(cr, 4 + k * 6, 24 + bob);
      cairo_move_to(cr, 38 + k * 6, 14 + bob);
      cairo_line_to(cr, 38 + k * 6, 24 + bob);
    }
    cairo_stroke(cr);
    SetColour(cr, Rgb{220, 200, 120});
    RoundedRect(cr, 22, 11 + bob, 16, 16, 3);
    cairo_fill(cr);
    SetColour(cr, Rgb{255, 80, 80}, f % 4 < 2 ? 1 : 0.3);
    cairo_arc(cr, 30, 9 + bob, 2, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet FloorLight(const std::string& name, Rgb light) {  // flat, the ball rolls over it
  return Sheet(name, 40, 24, 8, false, [light](cairo_t* cr, int f, int n) {
    SetColour(cr, Rgb{40, 46, 62});
    Ellipse(cr, 20, 12, 16, 8);
    cairo_fill(cr);
    const double on = 0.35 + 0.65 * Swell(f, n);
    RadialGradient(cr, 20, 12, 14, Mix(light, Rgb{255, 255, 255}, 0.5), light, on, on * 0.2);
    Ellipse(cr, 20, 12, 13, 6.5);
    cairo_fill(cr);
    SetColour(cr, Rgb{150, 170, 200});
    cairo_set_line_width(cr, 1);
    Ellipse(cr, 20, 12, 16, 8);
    cairo_stroke(cr);
  });
}

SpriteSheet RepulsorGlow() {  // 48 x 48, the post in the middle
  return Sheet("repulsor", 48, 48, 8, false, [](cairo_t* cr, int f, int n) {
    const double pulse = Swell(f, n);
    RadialGradient(cr, 24, 20, 20, Rgb{190, 255, 210}, Rgb{40, 200, 110}, 0.9, 0);
    cairo_arc(cr, 24, 20, 14 + 6 * pulse, 0, 2 * kPi);
    cairo_fill(cr);
    SetColour(cr, Rgb{110, 126, 160});
    RoundedRect(cr, 19, 10, 10, 16, 3);
    cairo_fill(cr);
    SetColour(cr, Rgb{220, 255, 230});
    cairo_arc(cr, 24, 12, 4, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet SpireGlow() {  // course2hole1: the spire's crown glows, added on
  return Sheet("spire glow", 54, 60, 8, true, [](cairo_t* cr, int f, int n) {
    const double pulse = 0.5 + 0.5 * Swell(f, n);
    RadialGradient(cr, 27, 30, 24, Rgb{255, 150, 60}, Rgb{255, 60, 20}, pulse, 0);
    cairo_arc(cr, 27, 30, 24, 0, 2 * kPi);
    cairo_fill(cr);
  });
}

SpriteSheet FanBlades() {  // course2hole3: the fan spins as it blows
  return Sheet("fan", 48, 64, 8, false, [](cairo_t* cr, int f, int n) {
    const double turn = f * kPi / 2 / n;
    for (int k = 0; k < 4; ++k) {
      const double a = turn + k * kPi / 2;
      cairo_move_to(cr, 24, 32);
      cairo_line_to(cr, 24 + 18 * std::cos(a), 32 + 9 * std::sin(a));
      cairo_line_to(cr, 24 + 18 * std::cos(a + 0.7), 32 + 9 * std::sin(a + 0.7));
      cairo_close_path(cr);
    }
    SetColour(cr, Rgb{180, 240, 255});
    cairo_fill(cr);
    SetColour(cr, Rgb{180, 240, 255}, 0.5 * (1 - static_cast<double>(f) / n));
    for (int k = 0; k < 3; ++k) {
      cairo_rectangle(cr, 12 + k * 10, 4 + (f * 3 + k * 7) % 20, 2, 8);
    }
    cairo_fill(cr);
  });
}

// A laser gate's posts and beam: `w` x `h`, the beam across the middle row
// from x 10 to w - 10.
SpriteSheet LaserGate(const std::string& name, int w, int h) {
  return Sheet(name, w, h, 8, false, [w, h](cairo_t* cr, int f, int n) {
    const double y = h / 2.0;
    // Drawn colour-keyed, so the glow is opaque bands (a faint halo would be
    // keyed away) and the flicker is a change of brightness.
    const double flicker = 0.75 + 0.25 * Swell(f, n);
    const auto shade = [flicker](int r, int g, int b) {
      return Rgb{static_cast<uint8_t>(r * flicker), static_cast<uint8_t>(g * flicker),
                 static_cast<uint8_t>(b * flicker)};
    };
    SetColour(cr, shade(150, 36, 60));
    cairo_rectangle(cr, 10, y - 3.5, w - 20, 7);
    cairo_fill(cr);
    SetColour(cr, shade(255, 90, 110));
    cairo_rectangle(cr, 10, y - 2, w - 20, 4);
    cairo_fill(cr);
    SetColour(cr, Rgb{255, 240, 240});
    cairo_rectangle(cr, 10, y - 0.5, w - 20, 1);
    cairo_fill(cr);
    for (int e = 0; e < 2; ++e) {
      const double x = e ? w - 10 : 10;
      RoundedRect(cr, x - 6, y - 22, 12, 24, 3);
      SetColour(cr, Rgb{110, 120, 150});
      cairo_fill(cr);
      RadialGradient(cr, x, y - 16, 8, Rgb{255, 220, 220}, Rgb{255, 60, 80}, 1, 0.2);
      cairo_arc(cr, x, y - 16, 5, 0, 2 * kPi);
      cairo_fill(cr);
    }
  });
}

SpriteSheet WorkerSheet() {  // course2hole3: the road worker wakes and throws
  return Sheet("road worker", 90, 180, 8, false,
               [](cairo_t* cr, int f, int) { WorkerPicture(cr, 0, 0, f); });
}

}  // namespace

void TreeCanopy(cairo_t* cr, double cx, double cy, double r) {
  SetColour(cr, Rgb{0, 0, 0}, 0.25);
  Ellipse(cr, cx + r * 0.25, cy + r * 0.75, r * 0.9, r * 0.35);
  cairo_fill(cr);
  const double blobs[6][3] = {{-0.45, 0.1, 0.55}, {0.45, 0.1, 0.55}, {0, -0.3, 0.6},
                              {-0.2, 0.3, 0.55},  {0.25, 0.3, 0.5},  {0, 0, 0.6}};
  for (const auto& b : blobs) {
    RadialGradient(cr, cx + b[0] * r - r * 0.2, cy + b[1] * r - r * 0.25, r * b[2] * 1.4,
                   Rgb{120, 196, 84}, Rgb{36, 96, 40});
    cairo_arc(cr, cx + b[0] * r, cy + b[1] * r, r * b[2], 0, 2 * kPi);
    cairo_fill(cr);
  }
}

void Bush(cairo_t* cr, double cx, double cy, double r) {
  SetColour(cr, Rgb{0, 0, 0}, 0.25);
  Ellipse(cr, cx + 4, cy + r * 0.5, r * 1.1, r * 0.4);
  cairo_fill(cr);
  for (int k = 0; k < 5; ++k) {
    const double bx = cx + (k - 2) * r * 0.35, by = cy - (k % 2) * r * 0.3;
    RadialGradient(cr, bx - r * 0.2, by - r * 0.3, r * 0.8, Rgb{100, 176, 72}, Rgb{36, 90, 36});
    cairo_arc(cr, bx, by, r * 0.6, 0, 2 * kPi);
    cairo_fill(cr);
  }
}

void RockSpire(cairo_t* cr, double baseX, double baseY) {
  SetColour(cr, Rgb{0, 0, 0}, 0.35);
  Ellipse(cr, baseX + 10, baseY + 2, 46, 12);
  cairo_fill(cr);
  cairo_move_to(cr, baseX - 40, baseY);
  cairo_curve_to(cr, baseX - 34, baseY - 60, baseX - 26, baseY - 100, baseX - 14, baseY - 128);
  cairo_line_to(cr, baseX + 4, baseY - 138);
  cairo_line_to(cr, baseX + 18, baseY - 124);
  cairo_curve_to(cr, baseX + 28, baseY - 96, baseX + 36, baseY - 56, baseX + 42, baseY);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(baseX - 40, 0, baseX + 42, 0);
  // Dark basalt, so the pale rocks that fall from it stand out.
  cairo_pattern_add_color_stop_rgb(g, 0, 0.44, 0.40, 0.42);
  cairo_pattern_add_color_stop_rgb(g, 0.55, 0.28, 0.25, 0.27);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.13, 0.12, 0.15);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColour(cr, Rgb{30, 26, 30});
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
  // Cracks glowing from inside.
  cairo_set_line_width(cr, 2);
  SetColour(cr, Rgb{255, 120, 50});
  cairo_move_to(cr, baseX - 6, baseY - 126);
  cairo_line_to(cr, baseX + 2, baseY - 110);
  cairo_line_to(cr, baseX - 4, baseY - 92);
  cairo_line_to(cr, baseX + 6, baseY - 70);
  cairo_stroke(cr);
}

void WorkerPicture(cairo_t* cr, double left, double top, int frame) {
  // Frames 0 and 7: asleep on his mattress; 1 ... 3 sitting up; 4 ... 6
  // swinging his shovel. The mattress lies round (left + 40, top + 155).
  cairo_save(cr);
  cairo_translate(cr, left, top);
  SetColour(cr, Rgb{0, 0, 0}, 0.3);
  Ellipse(cr, 44, 160, 40, 10);
  cairo_fill(cr);
  RoundedRect(cr, 6, 146, 70, 18, 6);
  SetColour(cr, Rgb{70, 110, 170});
  cairo_fill_preserve(cr);
  SetColour(cr, Rgb{30, 40, 60});
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  const int f = frame % 8;
  const bool asleep = f == 0 || f == 7;
  const double rise = asleep ? 0 : std::min(f, 3) * 10.0;
  // Body in an orange vest.
  SetColour(cr, Rgb{255, 140, 30});
  if (asleep) {
    RoundedRect(cr, 16, 136, 40, 14, 6);
  } else {
    RoundedRect(cr, 24, 140 - rise - 14, 18, 26 + rise * 0.3, 6);
  }
  cairo_fill(cr);
  SetColour(cr, Rgb{60, 70, 90});
  RoundedRect(cr, asleep ? 52 : 40, 144, 22, 8, 3);
  cairo_fill(cr);
  // Head with a helmet.
  const double hx = asleep ? 14 : 33, hy = asleep ? 138 : 120 - rise;
  SetColour(cr, Rgb{240, 200, 170});
  cairo_arc(cr, hx, hy, 7, 0, 2 * kPi);
  cairo_fill(cr);
  SetColour(cr, Rgb{255, 220, 40});
  cairo_arc(cr, hx, hy - 2, 7.5, kPi, 2 * kPi);
  cairo_fill(cr);
  if (asleep) {
    TextStyle z;
    z.face = Face::kSansBold;
    z.size = 12;
    z.colour = Rgb{220, 230, 255};
    DrawText(cr, "z", 22, 118, z);
    z.size = 16;
    DrawText(cr, "Z", 32, 100, z);
  } else if (f >= 4) {
    // The shovel swings up and over.
    const double a = -kPi / 2 - (f - 4) * 0.9;
    cairo_set_line_width(cr, 3);
    SetColour(cr, Rgb{150, 110, 70});
    const double sx = 36, sy = 110 - rise;
    cairo_move_to(cr, sx, sy);
    cairo_line_to(cr, sx + 40 * std::cos(a), sy + 40 * std::sin(a));
    cairo_stroke(cr);
    SetColour(cr, Rgb{180, 186, 196});
    cairo_arc(cr, sx + 44 * std::cos(a), sy + 44 * std::sin(a), 6, 0, 2 * kPi);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

SpriteSheet HoleSprite(const HoleModel& m, int image) {
  const std::string& n = m.name;
  const bool space = m.theme == Theme::kSpace;
  const bool bonusHole = n == "course1hole4" || n == "course1hole7" || n == "course1hole9" ||
                         n == "course2hole1" || n == "course2hole6";
  switch (image) {
    case ItemIndex(HoleImage::kBurst):
      return space ? BlasterBurst() : DirtFountain();
    case ItemIndex(HoleImage::kSplash):
      return Splash(m.theme);
    case ItemIndex(HoleImage::kDrifter):
      if (n == "course1hole5") return Butterflies(ItemIndex(HoleImage::kDrifter));
      if (bonusHole) return space ? BonusStar() : Clover();
      break;
    case 6:
      if (n == "course1hole5") return Butterflies(ItemIndex(HoleImage::kDrifter) + 1);
      if (bonusHole) return FloatShadow("bonus shadow");
      if (n == "course1hole6") return Gnome();
      if (n == "course1hole8") return Duck();
      if (n == "course2hole2") return Beacon("beacon", Rgb{255, 90, 80});
      if (n == "course2hole5") return Beacon("beacon", Rgb{90, 230, 255});
      break;
    case ItemIndex(HoleImage::kBonusFlash):
      if (n == "course1hole6") return SwayingTree("tree");
      if (n == "course2hole2" || n == "course2hole8") return Dish();
      if (n == "course2hole5") return FloorLight("floor light", Rgb{90, 230, 255});
      return ExtraStrokeBurst();
    case ItemIndex(HoleImage::kDust):
      if (n == "course1hole2") return BirdBath();
      if (n == "course2hole2")
        return Planet("planet", 90, 90, Rgb{200, 120, 80}, Rgb{250, 200, 150});
      if (n == "course2hole3") return WorkerSheet();
      if (n == "course2hole5") return FloorLight("floor light", Rgb{255, 200, 80});
      if (n == "course2hole8") return Beacon("antenna", Rgb{120, 255, 160});
      return DustPuff(m.theme);
    case 9:
      if (n == "training1") return Pinwheel();
      if (n == "course1hole3") return Dapple();
      if (n == "course2hole2") return Beacon("beacon", Rgb{120, 255, 160});
      if (n == "course2hole3") return FanBlades();
      if (n == "course2hole4") return RepulsorGlow();
      if (n == "course2hole5" || n == "course2hole7" || n == "course2hole8")
        return FloorLight("floor light", Rgb{120, 255, 160});
      if (n == "course2hole9") return LaserGate("laser gate", 200, 100);
      break;
    case 10:
      if (n == "training1") return SlopeArrows();
      if (n == "course1hole4") return BushRustle();
      if (n == "course1hole7") return Scarecrow();
      if (n == "course1hole9") return Fountain();
      if (n == "course2hole2") return Satellite();
      if (n == "course2hole4") return RepulsorGlow();
      if (n == "course2hole5" || n == "course2hole7" || n == "course2hole8")
        return FloorLight("floor light", Rgb{255, 120, 200});
      if (n == "course2hole9") return LaserGate("laser gate", 200, 100);
      break;
    case 11:
      if (n == "training1") return PracticeFlag();
      if (n == "course1hole7") return Wheelbarrow();
      if (n == "course1hole9") return GardenLamp();
      if (n == "course2hole1") return SpireGlow();
      if (n == "course2hole2") return Beacon("beacon", Rgb{255, 220, 90});
      if (n == "course2hole4") return RepulsorGlow();
      if (n == "course2hole5") return LaserGate("laser gate", 200, 200);
      if (n == "course2hole8")
        return Planet("ringed planet", 150, 100, Rgb{110, 150, 230}, Rgb{200, 230, 255});
      if (n == "course2hole9") return LaserGate("laser gate", 200, 100);
      break;
    case ItemIndex(HoleImage::kFlash):
      return PipeFlash(m.theme);
    case ItemIndex(HoleImage::kHitFlash19):
    case ItemIndex(HoleImage::kHitFlash109):
    case ItemIndex(HoleImage::kHitFlash0):
      return HitFlash(image);
    default:
      break;
  }
  return Sparkle("sparkle");
}

Picture TitleCard(const HoleModel& m, const Picture& course, const Words& tr) {
  const int w = 520, h = 300;
  Canvas canvas(w, h);
  cairo_t* cr = canvas.Cr();
  const bool space = m.theme == Theme::kSpace;
  const Rgb top = space ? Rgb{30, 36, 70} : Rgb{46, 110, 50};
  const Rgb bottom = space ? Rgb{10, 12, 30} : Rgb{20, 60, 26};
  const Rgb accent = space ? Rgb{110, 230, 255} : Rgb{255, 226, 120};
  RoundedRect(cr, 2, 2, w - 4, h - 4, 18);
  VerticalGradient(cr, 0, h, top, bottom);
  cairo_fill_preserve(cr);
  SetColour(cr, accent);
  cairo_set_line_width(cr, 3);
  cairo_stroke(cr);
  // The course in small, on the right.
  const int mapW = 230, mapH = 200;
  const double s = std::min(static_cast<double>(mapW) / course.Width(),
                            static_cast<double>(mapH) / course.Height());
  const double mw = course.Width() * s, mh = course.Height() * s;
  const double mx = w - 20 - mapW + (mapW - mw) / 2, my = 50 + (mapH - mh) / 2;
  Canvas map(course.Width(), course.Height());
  {
    cairo_surface_flush(map.Surface());
    unsigned char* data = cairo_image_surface_get_data(map.Surface());
    const int stride = cairo_image_surface_get_stride(map.Surface());
    for (int y = 0; y < course.Height(); ++y)
      for (int x = 0; x < course.Width(); ++x) {
        const Rgb c = course.At(x, y);
        *reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride + 4 * x) =
            0xFF000000u | (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
      }
    cairo_surface_mark_dirty(map.Surface());
  }
  cairo_save(cr);
  RoundedRect(cr, mx, my, mw, mh, 8);
  cairo_clip(cr);
  cairo_translate(cr, mx, my);
  cairo_scale(cr, s, s);
  cairo_set_source_surface(cr, map.Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  RoundedRect(cr, mx, my, mw, mh, 8);
  SetColour(cr, accent, 0.8);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);

  TextStyle small;
  small.face = Face::kSansBold;
  small.size = 17;
  small.colour = accent;
  small.shadow = 1.5;
  const std::string courseName = m.Training() ? tr("Тренировка")
                                 : space      ? tr("Космо Корт")
                                              : tr("Земной Корт");
  DrawText(cr, courseName, 28, 44, small);
  TextStyle big;
  big.face = Face::kSansBold;
  big.size = 46;
  big.colour = Rgb{255, 255, 255};
  big.outline = 3;
  big.outlineColour = Scale2(top);
  const std::string number =
      m.Training() ? tr("Лунка") : tr("Лунка") + " " + std::to_string(m.Number());
  DrawText(cr, number, 26, 110, big);
  TextStyle title;
  title.face = Face::kCondensedBold;
  title.size = 26;
  title.colour = Rgb{255, 250, 230};
  title.shadow = 2;
  // The hole's name, on two lines when it is long.
  std::string first = tr(m.title.c_str()), second;
  if (TextWidth(first, title.face, title.size) > 230) {
    const size_t gap = first.find(' ', first.size() / 3);
    if (gap != std::string::npos) {
      second = first.substr(gap + 1);
      first = first.substr(0, gap);
    }
  }
  // TRANSLATORS: the quotation marks around a hole's name.
  const std::string open = tr("«"), close = tr("»");
  const std::string line1 = open + first + (second.empty() ? close : "");
  const std::string line2 = second.empty() ? "" : second + close;
  // A translated name of one long word is set smaller, clear of the map.
  if (!tr.Russian()) {
    const double wide = std::max(TextWidth(line1, title.face, title.size),
                                 TextWidth(line2, title.face, title.size));
    if (wide > 236) title.size *= 236 / wide;
  }
  DrawText(cr, line1, 28, 158, title);
  if (!second.empty()) DrawText(cr, line2, 28, 188, title);
  TextStyle par = big;
  par.size = 34;
  par.colour = accent;
  DrawText(cr, tr("Пар") + " " + std::to_string(m.par), 28, 262, par);
  FlattenOptions o;
  o.matte = bottom;
  return Flatten(canvas, o);
}

}  // namespace quendrix::assetgen
