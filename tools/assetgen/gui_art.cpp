#include "gui_art.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "draw.h"

namespace quendrix::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Rows of the ball's disc (the game draws only these pixels): first and last
// column of each of the 16 rows, -1 for an empty row.
constexpr std::array<std::array<int, 2>, 16> kDiscRows = {{{-1, -1},
                                                           {6, 9},
                                                           {4, 11},
                                                           {3, 12},
                                                           {2, 13},
                                                           {2, 13},
                                                           {1, 14},
                                                           {1, 14},
                                                           {1, 14},
                                                           {1, 14},
                                                           {2, 13},
                                                           {2, 13},
                                                           {3, 12},
                                                           {4, 11},
                                                           {6, 9},
                                                           {-1, -1}}};

bool InDisc(int x, int y) {
  if (x < 0 || y < 0 || x > 15 || y > 15) return false;
  return kDiscRows[y][0] >= 0 && x >= kDiscRows[y][0] && x <= kDiscRows[y][1];
}

Picture Finish(const Canvas& canvas, Rgb matte, int threshold = 112) {
  FlattenOptions o;
  o.matte = matte;
  o.threshold = threshold;
  return Flatten(canvas, o);
}

// A glossy rounded square button face with its icon.
void ButtonFace(cairo_t* cr, const SkinStyle& s, double x, double y, double size, int icon,
                bool pressed);

void Icon(cairo_t* cr, int icon, double cx, double cy, Rgb colour) {
  cairo_save(cr);
  SetColour(cr, colour);
  cairo_set_line_width(cr, 1.8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  switch (icon) {
    case 0: {  // repeat the last message: a speech bubble with a curl
      RoundedRect(cr, cx - 6, cy - 5, 12, 8, 2.5);
      cairo_fill(cr);
      cairo_move_to(cr, cx - 3, cy + 2);
      cairo_line_to(cr, cx - 4, cy + 6);
      cairo_line_to(cr, cx + 1, cy + 2);
      cairo_fill(cr);
      break;
    }
    case 1: {  // change putting style: arrows both ways
      cairo_move_to(cr, cx - 6, cy - 2.5);
      cairo_line_to(cr, cx + 5, cy - 2.5);
      cairo_move_to(cr, cx + 2, cy - 5.5);
      cairo_line_to(cr, cx + 5.5, cy - 2.5);
      cairo_line_to(cr, cx + 2, cy + 0.5);
      cairo_move_to(cr, cx + 6, cy + 3);
      cairo_line_to(cr, cx - 5, cy + 3);
      cairo_move_to(cr, cx - 2, cy);
      cairo_line_to(cr, cx - 5.5, cy + 3);
      cairo_line_to(cr, cx - 2, cy + 6);
      cairo_stroke(cr);
      break;
    }
    case 2: {  // sound: a speaker with waves
      cairo_move_to(cr, cx - 6.5, cy - 2);
      cairo_line_to(cr, cx - 4, cy - 2);
      cairo_line_to(cr, cx, cy - 5.5);
      cairo_line_to(cr, cx, cy + 5.5);
      cairo_line_to(cr, cx - 4, cy + 2);
      cairo_line_to(cr, cx - 6.5, cy + 2);
      cairo_close_path(cr);
      cairo_fill(cr);
      cairo_set_line_width(cr, 1.4);
      cairo_arc(cr, cx + 0.5, cy, 3.5, -0.9, 0.9);
      cairo_stroke(cr);
      cairo_arc(cr, cx + 0.5, cy, 6.2, -0.85, 0.85);
      cairo_stroke(cr);
      break;
    }
    case 3: {  // putting help: a question mark
      TextStyle t;
      t.face = Face::kSansBold;
      t.size = 15;
      t.colour = colour;
      DrawText(cr, "?", cx, cy + 5.5, t, Align::kCentre);
      break;
    }
    default: {  // recentre the view: cross hairs
      cairo_arc(cr, cx, cy, 4.5, 0, 2 * kPi);
      cairo_stroke(cr);
      cairo_move_to(cr, cx, cy - 7.5);
      cairo_line_to(cr, cx, cy - 2.5);
      cairo_move_to(cr, cx, cy + 2.5);
      cairo_line_to(cr, cx, cy + 7.5);
      cairo_move_to(cr, cx - 7.5, cy);
      cairo_line_to(cr, cx - 2.5, cy);
      cairo_move_to(cr, cx + 2.5, cy);
      cairo_line_to(cr, cx + 7.5, cy);
      cairo_stroke(cr);
      cairo_arc(cr, cx, cy, 1.2, 0, 2 * kPi);
      cairo_fill(cr);
      break;
    }
  }
  cairo_restore(cr);
}

void ButtonFace(cairo_t* cr, const SkinStyle& s, double x, double y, double size, int icon,
                bool pressed) {
  RoundedRect(cr, x + 0.5, y + 0.5, size - 1, size - 1, 4.5);
  SetColour(cr, s.buttonEdge);
  cairo_fill(cr);
  RoundedRect(cr, x + 1.5, y + 1.5, size - 3, size - 3, 3.5);
  if (pressed)
    VerticalGradient(cr, y, y + size, Shade(s.buttonBottom, 0.75), Shade(s.buttonTop, 0.85));
  else
    VerticalGradient(cr, y, y + size, s.buttonTop, s.buttonBottom);
  cairo_fill(cr);
  if (!pressed) {
    // Gloss on the upper half.
    RoundedRect(cr, x + 2.5, y + 2.5, size - 5, size / 2 - 2, 2.5);
    SetColour(cr, Rgb{255, 255, 255}, 0.28);
    cairo_fill(cr);
  }
  double d = pressed ? 1 : 0;
  Icon(cr, icon, x + size / 2 + d, y + size / 2 + d, pressed ? Shade(s.icon, 0.8) : s.icon);
}

void Badge(cairo_t* cr, double x, double y, double w, double h, Rgb colour, Rgb edge) {
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 5);
  SetColour(cr, edge);
  cairo_fill(cr);
  RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, 4);
  VerticalGradient(cr, y, y + h, Shade(colour, 1.25), Shade(colour, 0.8));
  cairo_fill(cr);
}

void Field(cairo_t* cr, const SkinStyle& s, double x, double y, double w, double h) {
  RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 3);
  SetColour(cr, s.fieldEdge);
  cairo_fill(cr);
  RoundedRect(cr, x + 1.5, y + 1.5, w - 3, h - 2.5, 2.5);
  VerticalGradient(cr, y, y + h, Shade(s.field, 0.8), s.field);
  cairo_fill(cr);
}

void CloseButton(cairo_t* cr, const SkinStyle& s, double cx, double cy) {
  cairo_arc(cr, cx, cy, 6, 0, 2 * kPi);
  SetColour(cr, s.edge);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 5, 0, 2 * kPi);
  RadialGradient(cr, cx - 1.5, cy - 2, 6, Rgb{255, 140, 120}, Rgb{200, 40, 40});
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, Rgb{255, 255, 255});
  cairo_move_to(cr, cx - 2.2, cy - 2.2);
  cairo_line_to(cr, cx + 2.2, cy + 2.2);
  cairo_move_to(cr, cx + 2.2, cy - 2.2);
  cairo_line_to(cr, cx - 2.2, cy + 2.2);
  cairo_stroke(cr);
}

void Logo(cairo_t* cr, const SkinStyle& s, double x, double baseline, double size) {
  TextStyle t;
  t.face = Face::kSansBold;
  t.size = size;
  t.colour = s.caption;
  t.shadow = 1;
  t.shadowColour = s.edge;
  t.shadowAlpha = 0.8;
  // Spaced capitals.
  const char* letters = "QUENDRIX";
  for (const char* p = letters; *p; ++p) {
    char one[2] = {*p, 0};
    x += DrawText(cr, one, x, baseline, t) + 1.2;
  }
}

// A small flag on a green, the emblem of the game.
void Emblem(cairo_t* cr, const SkinStyle& s, double cx, double cy) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 1, 0.45);
  cairo_arc(cr, 0, 0, 16, 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, s.edge);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, 1, 0.45);
  cairo_arc(cr, 0, 0, 15, 0, 2 * kPi);
  cairo_restore(cr);
  VerticalGradient(cr, cy - 7, cy + 7, Rgb{120, 220, 110}, Rgb{40, 150, 60});
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, cx + 3, cy + 1);
  cairo_scale(cr, 1, 0.5);
  cairo_arc(cr, 0, 0, 3, 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, Rgb{20, 40, 20});
  cairo_fill(cr);
  cairo_set_line_width(cr, 1.2);
  SetColour(cr, Rgb{240, 240, 240});
  cairo_move_to(cr, cx + 3, cy + 1);
  cairo_line_to(cr, cx + 3, cy - 21);
  cairo_stroke(cr);
  cairo_move_to(cr, cx + 3.5, cy - 21);
  cairo_line_to(cr, cx + 13, cy - 17.5);
  cairo_line_to(cr, cx + 3.5, cy - 14);
  cairo_close_path(cr);
  SetColour(cr, s.accent);
  cairo_fill(cr);
}

// A stored text stamped centred over `width` pixels from `left` (6 pixels a
// letter; C++ division, so "JDAP" over the 23-pixel field starts at its
// left edge).
void StampCentred(Picture& onto, const Picture& font, const std::string& stored, int left,
                  int width, int y, const Words& tr) {
  const int x = left + (width - kFontCellW * static_cast<int>(stored.size())) / 2;
  StampText(onto, font, stored, x, y, tr.language());
}

}  // namespace

void StampText(Picture& onto, const Picture& strip, std::string_view stored, int x, int y,
               Language language) {
  int cellW = kFontCellW, cellH = strip.Height();
  for (size_t k = 0; k < stored.size(); ++k) {
    int cell = FontMapCell(static_cast<unsigned char>(stored[k]), language);
    for (int j = 0; j < cellH; ++j)
      for (int i = 0; i < cellW; ++i) {
        Rgb c = strip.At(cell * cellW + i, j);
        int tx = x + static_cast<int>(k) * cellW + i, ty = y + j;
        if (!(c == kBlack) && tx >= 0 && ty >= 0 && tx < onto.Width() && ty < onto.Height())
          onto.Set(tx, ty, c);
      }
  }
}

Picture HudFont(const SkinStyle& style, const PixelFont& pixels, Language language) {
  if (style.pixelFont) {
    PixelLook look = style.pixel;
    look.language = language;
    return PixelFontStrip(pixels, FontMapCells(language), kFontCellW, kFontCellH, look);
  }
  OutlineLook look = style.outline;
  look.language = language;
  return OutlineFontStrip(FontMapCells(language), kFontCellW, kFontCellH, look);
}

Picture Pointer(const SkinStyle& s) {
  Canvas c(16, 22);
  cairo_t* cr = c.Cr();
  cairo_move_to(cr, 1, 1);
  cairo_line_to(cr, 1, 16.5);
  cairo_line_to(cr, 4.8, 12.8);
  cairo_line_to(cr, 7.6, 19.5);
  cairo_line_to(cr, 10.4, 18.3);
  cairo_line_to(cr, 7.6, 11.8);
  cairo_line_to(cr, 12.8, 11.8);
  cairo_close_path(cr);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  SetColour(cr, s.pointerEdge);
  cairo_set_line_width(cr, 2);
  cairo_stroke_preserve(cr);
  VerticalGradient(cr, 0, 20, Shade(s.pointerFill, 1.3), s.pointerFill);
  cairo_fill(cr);
  return Finish(c, s.pointerEdge, 100);
}

Picture Panel(const SkinStyle& s, const Picture& font, const Words& tr) {
  Canvas c(kPanelW, kPanelH);
  cairo_t* cr = c.Cr();
  // Body and the title tab (the tab is the strip a double click folds).
  auto body = [&] { RoundedRect(cr, 0.5, 14.5, kPanelW - 1, kPanelH - 15, 9); };
  auto tab = [&] {
    cairo_new_sub_path(cr);
    cairo_move_to(cr, 0.5, 22);
    cairo_arc(cr, 7.5, 7.5, 7, kPi, 1.5 * kPi);
    cairo_arc(cr, 269.5, 7.5, 7, 1.5 * kPi, 2 * kPi);
    cairo_line_to(cr, 276.5, 22);
    cairo_close_path(cr);
  };
  cairo_set_line_width(cr, 2.5);
  SetColour(cr, s.edge);
  body();
  cairo_stroke(cr);
  tab();
  cairo_stroke(cr);
  body();
  VerticalGradient(cr, 14, kPanelH, s.bodyTop, s.bodyBottom);
  cairo_fill(cr);
  tab();
  VerticalGradient(cr, 0, 16, s.stripTop, s.stripBottom);
  cairo_fill(cr);
  // Rim light along the body, and the seam under the tab.
  cairo_set_line_width(cr, 1);
  RoundedRect(cr, 2, 16, kPanelW - 4, kPanelH - 18, 8);
  SetColour(cr, s.rim, 0.45);
  cairo_stroke(cr);
  SetColour(cr, s.edge, 0.7);
  cairo_move_to(cr, 2, 16.5);
  cairo_line_to(cr, 275, 16.5);
  cairo_stroke(cr);
  SetColour(cr, s.rim, 0.35);
  cairo_move_to(cr, 3, 1.5);
  cairo_line_to(cr, 273, 1.5);
  cairo_stroke(cr);
  Logo(cr, s, 8, 12, 10);
  // Grip dots: the strip can be double-clicked.
  for (int i = 0; i < 12; ++i) {
    cairo_arc(cr, 150 + 8 * i, 8, 1.1, 0, 2 * kPi);
    SetColour(cr, s.rim, 0.55);
    cairo_fill(cr);
  }
  CloseButton(cr, s, 266.5, 6.5);

  // Score box: players 1 and 2 on top, 3 and 4 below.
  Field(cr, s, 15, 21, 87, 43);
  SetColour(cr, s.fieldEdge);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 58.5, 23);
  cairo_line_to(cr, 58.5, 62);
  cairo_move_to(cr, 17, 42.5);
  cairo_line_to(cr, 100, 42.5);
  cairo_stroke(cr);
  static const Rgb kPlayerDots[4] = {
      {250, 250, 250}, {255, 214, 60}, {80, 170, 255}, {255, 105, 160}};
  for (int p = 0; p < 4; ++p) {
    double dx = p % 2 ? 62.5 : 19;
    double dy = p < 2 ? 32 : 53;
    cairo_arc(cr, dx, dy, 2.6, 0, 2 * kPi);
    SetColour(cr, s.edge);
    cairo_fill(cr);
    cairo_arc(cr, dx, dy, 1.8, 0, 2 * kPi);
    SetColour(cr, kPlayerDots[p]);
    cairo_fill(cr);
  }
  // Text line (names, hints, ticker), stroke count and par.
  Field(cr, s, 113, 24, 176, 15);
  Field(cr, s, 111, 41, 23, 15);
  Field(cr, s, 158, 41, 20, 15);
  // Pull-putt badge; the push sign is drawn over it for a push putter.
  Badge(cr, 189, 45, kSignW, kSignH, s.pull, s.edge);
  for (int k = 0; k < 5; ++k) ButtonFace(cr, s, 13 + 22 * k, 72, kButtonSize, k, false);
  Emblem(cr, s, 262, 86);
  Picture out = Finish(c, s.edge);
  // Captions in the skin's own letters, each centred under its field (or on
  // the badge): УДАР, ПАР; ПУЛ on the badge.
  StampCentred(out, font, tr.PlayCodes("JDAP", TrNoop("УДАР")), 111, 23, 59, tr);
  StampCentred(out, font, tr.PlayCodes("YAP", TrNoop("ПАР")), 158, 20, 59, tr);
  StampCentred(out, font, tr.PlayCodes("YJV", TrNoop("ПУЛ")), 189, kSignW, 49, tr);
  return out;
}

Picture CompactPanel(const SkinStyle& s, const Picture& font) {
  (void)font;
  Canvas c(kCompactW, kCompactH);
  cairo_t* cr = c.Cr();
  RoundedRect(cr, 0.5, 0.5, kCompactW - 1, kCompactH - 1, 7);
  SetColour(cr, s.edge);
  cairo_fill(cr);
  RoundedRect(cr, 1.5, 1.5, kCompactW - 3, kCompactH - 3, 6);
  VerticalGradient(cr, 0, kCompactH, s.stripTop, s.bodyBottom);
  cairo_fill(cr);
  SetColour(cr, s.rim, 0.35);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 6, 2.5);
  cairo_line_to(cr, kCompactW - 6, 2.5);
  cairo_stroke(cr);
  Logo(cr, s, 7, 14, 9.5);
  Field(cr, s, 77, 2, 125, 16);
  Field(cr, s, 203, 2, 15, 16);
  Field(cr, s, 220, 2, 15, 16);
  // A tiny flag marks the par.
  SetColour(cr, s.caption);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 239.5, 16);
  cairo_line_to(cr, 239.5, 4);
  cairo_stroke(cr);
  cairo_move_to(cr, 240, 4);
  cairo_line_to(cr, 246, 6.5);
  cairo_line_to(cr, 240, 9);
  SetColour(cr, s.accent);
  cairo_fill(cr);
  CloseButton(cr, s, 266.5, 9.5);
  return Finish(c, s.edge);
}

Picture PressedButtons(const SkinStyle& s) {
  Canvas c(kButtonSize * 5, kButtonSize);
  for (int k = 0; k < 5; ++k) ButtonFace(c.Cr(), s, kButtonSize * k, 0, kButtonSize, k, true);
  return Finish(c, s.buttonEdge);
}

Picture PushSign(const SkinStyle& s, const Picture& font, const Words& tr) {
  Canvas c(kSignW, kSignH);
  Badge(c.Cr(), 0, 0, kSignW, kSignH, s.push, s.edge);
  Picture out = Finish(c, s.edge);
  StampCentred(out, font, tr.PlayCodes("YJU", TrNoop("ПУШ")), 0, kSignW, 4, tr);
  return out;
}

Picture Gauge(const SkinStyle& s) {
  const int cols = 8, rows = (kGaugeSteps + 1 + cols - 1) / cols;
  Canvas c(kGaugeW * cols, kGaugeH * rows);
  cairo_t* cr = c.Cr();
  const double a0 = kPi * 1.1, a1 = kPi * 1.9, r0 = 31, r1 = 44;
  for (int k = 0; k <= kGaugeSteps; ++k) {
    double ox = (k % cols) * kGaugeW, oy = (k / cols) * kGaugeH;
    double cx = ox + 47.5, cy = oy + 56;
    cairo_save(cr);
    cairo_rectangle(cr, ox, oy, kGaugeW, kGaugeH);
    cairo_clip(cr);
    // The dark bed of the arc.
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r1 + 2, a0 - 0.04, a1 + 0.04);
    cairo_arc_negative(cr, cx, cy, r0 - 2, a1 + 0.04, a0 - 0.04);
    cairo_close_path(cr);
    SetColour(cr, s.edge);
    cairo_fill(cr);
    for (int i = 0; i < kGaugeSteps; ++i) {
      double b0 = a0 + (a1 - a0) * i / kGaugeSteps + 0.006;
      double b1 = a0 + (a1 - a0) * (i + 1) / kGaugeSteps - 0.006;
      // Segments grow outward as the power rises.
      double outer = r0 + 6 + (r1 - r0 - 6) * i / (kGaugeSteps - 1.0);
      cairo_new_path(cr);
      cairo_arc(cr, cx, cy, outer, b0, b1);
      cairo_arc_negative(cr, cx, cy, r0, b1, b0);
      cairo_close_path(cr);
      double t = i / (kGaugeSteps - 1.0);
      Rgb col =
          t < 0.5 ? Mix(s.gaugeLow, s.gaugeMid, t * 2) : Mix(s.gaugeMid, s.gaugeHigh, t * 2 - 1);
      if (i < k)
        SetColour(cr, col);
      else
        SetColour(cr, Mix(s.edge, col, 0.25));
      cairo_fill(cr);
    }
    cairo_restore(cr);
  }
  return Finish(c, s.edge);
}

Picture Target(const SkinStyle& s) {
  Canvas c(kTargetW * kTargetFrames, kTargetH);
  cairo_t* cr = c.Cr();
  for (int f = 0; f < kTargetFrames; ++f) {
    Canvas one(kTargetW, kTargetH);
    cairo_t* o = one.Cr();
    double cx = 16, cy = 13;
    auto ground = [&](double r, double a, double& x, double& y) {
      x = cx + r * std::cos(a);
      y = cy + 0.5 * r * std::sin(a);
    };
    cairo_set_line_cap(o, CAIRO_LINE_CAP_ROUND);
    // Ring on the ground.
    cairo_save(o);
    cairo_translate(o, cx, cy);
    cairo_scale(o, 1, 0.5);
    cairo_arc(o, 0, 0, 10, 0, 2 * kPi);
    cairo_restore(o);
    cairo_set_line_width(o, 1.6);
    SetColour(o, s.target);
    cairo_stroke(o);
    // Four ticks turning a quarter of their spacing a frame.
    double phase = f * (kPi / 2) / 4;
    for (int i = 0; i < 4; ++i) {
      double a = phase + i * kPi / 2, x0, y0, x1, y1;
      ground(12, a, x0, y0);
      ground(15, a, x1, y1);
      cairo_move_to(o, x0, y0);
      cairo_line_to(o, x1, y1);
    }
    cairo_set_line_width(o, 2);
    cairo_stroke(o);
    cairo_save(o);
    cairo_translate(o, cx, cy);
    cairo_scale(o, 1, 0.5);
    cairo_arc(o, 0, 0, 2.5, 0, 2 * kPi);
    cairo_restore(o);
    SetColour(o, Rgb{255, 255, 255});
    cairo_fill(o);
    // Glow: a blurred copy under the sharp one.
    Canvas glow(kTargetW, kTargetH);
    PaintCanvas(glow.Cr(), one, 0, 0);
    Blur(glow, 2, 2);
    PaintCanvas(cr, glow, f * kTargetW, 0, 0.9);
    PaintCanvas(cr, one, f * kTargetW, 0);
  }
  FlattenOptions o;
  o.premultiplied = true;  // drawn with an additive blend: black adds nothing
  return Flatten(c, o);
}

Picture Digits(const SkinStyle& s) {
  OutlineLook look;
  look.text.face = Face::kSansBold;
  look.text.size = 12.5;
  look.text.colour = s.digitTop;
  look.text.outline = 2.2;
  look.text.outlineColour = s.digitEdge;
  look.baseline = 11;
  look.matte = s.digitEdge;
  look.narrowToFit = false;
  Canvas c(kDigitCellW * 12, kDigitCellH);
  cairo_t* cr = c.Cr();
  for (int k = 0; k < 12; ++k) {
    char code = kDigitCells[k];
    std::string text = code == 'o' ? "+" : code == '-' ? "\xE2\x88\x92" : std::string(1, code);
    cairo_save(cr);
    cairo_rectangle(cr, k * kDigitCellW, 0, kDigitCellW, kDigitCellH);
    cairo_clip(cr);
    double adv = TextWidth(text, look.text.face, look.text.size);
    double sx = std::min(1.0, (kDigitCellW - 1.5) / adv);
    cairo_translate(cr, k * kDigitCellW + kDigitCellW / 2.0, 0);
    cairo_scale(cr, sx, 1);
    TextStyle t = look.text;
    DrawText(cr, text, 0, look.baseline, t, Align::kCentre);
    // Lighter top half of the fill.
    cairo_rectangle(cr, -kDigitCellW, 0, 2 * kDigitCellW, 6);
    cairo_clip(cr);
    t.outline = 0;
    t.colour = Shade(s.digitTop, 1.35);
    DrawText(cr, text, 0, look.baseline, t, Align::kCentre);
    cairo_restore(cr);
  }
  return Finish(c, s.digitEdge, 90);
}

Picture NameBox(const SkinStyle& s) {
  Canvas c(kNameBoxW, kNameBoxH);
  cairo_t* cr = c.Cr();
  auto shape = [&] {
    RoundedRect(cr, 1, 1, kNameBoxW - 2, 16, 6);
    cairo_move_to(cr, 46, 16);
    cairo_line_to(cr, 52, 23);
    cairo_line_to(cr, 58, 16);
    cairo_close_path(cr);
  };
  cairo_set_line_width(cr, 2);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  shape();
  SetColour(cr, s.edge);
  cairo_stroke_preserve(cr);
  VerticalGradient(cr, 0, 18, s.stripTop, s.bodyBottom);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  SetColour(cr, s.rim, 0.4);
  cairo_move_to(cr, 6, 2.5);
  cairo_line_to(cr, kNameBoxW - 6, 2.5);
  cairo_stroke(cr);
  return Finish(c, s.edge);
}

namespace {

struct Vec3 {
  double x, y, h;  // ground x, ground y (away from the viewer is -y), height
};

// Ground and height to the putter pattern: the head sits at (47, 125); the
// ground is seen at a slant, so ground y counts half.
void Project(const Vec3& p, double ox, double oy, double& sx, double& sy) {
  sx = ox + 47.5 + p.x;
  sy = oy + 125.5 + p.y * 0.5 - p.h;
}

void PutterPattern(cairo_t* cr, int k, double ox, double oy, bool shadow) {
  double angle = 2 * kPi * ((128 - 8 * k) & 255) / 256.0;
  // The aim on screen is (cos, sin); on the ground the y part counts double.
  double ux = std::cos(angle), uy = 2 * std::sin(angle);
  double n = std::hypot(ux, uy);
  ux /= n;
  uy /= n;
  double vx = -uy, vy = ux;  // along the blade
  const double len = 11, depth = 3.4, tall = 6;
  auto pt = [&](double a, double b, double h) { return Vec3{a * vx + b * ux, a * vy + b * uy, h}; };
  Vec3 heel = pt(-len * 0.55, 0, tall);
  Vec3 top{heel.x - ux * 12, heel.y - uy * 12, 110};
  if (shadow) {
    // The sun stands high at the front left: shadows fall back and right.
    auto cast = [&](Vec3 p) { return Vec3{p.x + 0.33 * p.h, p.y - 0.5 * p.h, 0}; };
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Rgb{90, 92, 80});
    double x0, y0, x1, y1;
    Project(cast(heel), ox, oy, x0, y0);
    Project(cast(top), ox, oy, x1, y1);
    cairo_set_line_width(cr, 3);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
    // Grip: a thicker last part.
    Vec3 gripStart{heel.x + (top.x - heel.x) * 0.72, heel.y + (top.y - heel.y) * 0.72,
                   heel.h + (top.h - heel.h) * 0.72};
    Project(cast(gripStart), ox, oy, x0, y0);
    cairo_set_line_width(cr, 4.5);
    cairo_move_to(cr, x0, y0);
    cairo_line_to(cr, x1, y1);
    cairo_stroke(cr);
    // Head footprint.
    Vec3 c4[4] = {pt(-len, -depth, 0), pt(len, -depth, 0), pt(len, depth, 0), pt(-len, depth, 0)};
    for (int i = 0; i < 4; ++i) {
      Vec3 a = c4[i];
      Vec3 b = cast(pt(0, 0, tall));
      (void)b;
      double sx, sy;
      Project(Vec3{a.x + 0.33 * 3, a.y - 1.5, 0}, ox, oy, sx, sy);
      if (i == 0)
        cairo_move_to(cr, sx, sy);
      else
        cairo_line_to(cr, sx, sy);
    }
    cairo_close_path(cr);
    cairo_fill(cr);
    return;
  }
  // Head: a box; faces seen from the viewer (front side faces and the top),
  // lit from the front left.
  const Rgb metal{176, 188, 204};
  const Rgb edge{28, 32, 44};
  struct Face4 {
    Vec3 p[4];
    double nx, ny, nh;
  };
  Vec3 b[8] = {pt(-len, -depth, 0),  pt(len, -depth, 0),     pt(len, depth, 0),
               pt(-len, depth, 0),   pt(-len, -depth, tall), pt(len, -depth, tall),
               pt(len, depth, tall), pt(-len, depth, tall)};
  Face4 faces[5] = {
      {{b[0], b[1], b[5], b[4]}, -ux, -uy, 0}, {{b[2], b[3], b[7], b[6]}, ux, uy, 0},
      {{b[1], b[2], b[6], b[5]}, vx, vy, 0},   {{b[3], b[0], b[4], b[7]}, -vx, -vy, 0},
      {{b[4], b[5], b[6], b[7]}, 0, 0, 1},
  };
  const double lx = -0.45, ly = 0.55, lh = 0.7;
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  auto facePath = [&](const Face4& f) {
    for (int i = 0; i < 4; ++i) {
      double sx, sy;
      Project(f.p[i], ox, oy, sx, sy);
      if (i == 0)
        cairo_move_to(cr, sx, sy);
      else
        cairo_line_to(cr, sx, sy);
    }
    cairo_close_path(cr);
  };
  // Outline of the whole head first.
  for (const Face4& f : faces) {
    facePath(f);
    SetColour(cr, edge);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
  }
  for (const Face4& f : faces) {
    if (f.nh == 0 && f.ny <= 0) continue;  // faces turned away from the viewer
    double light = std::max(0.0, f.nx * lx + f.ny * ly + f.nh * lh);
    facePath(f);
    SetColour(cr, Shade(metal, 0.5 + 0.6 * light));
    cairo_fill(cr);
  }
  // Shaft and grip.
  double x0, y0, x1, y1;
  Project(heel, ox, oy, x0, y0);
  Project(top, ox, oy, x1, y1);
  double gx = x0 + (x1 - x0) * 0.72, gy = y0 + (y1 - y0) * 0.72;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColour(cr, edge);
  cairo_set_line_width(cr, 3.6);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 6);
  cairo_move_to(cr, gx, gy);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  SetColour(cr, Rgb{200, 208, 220});
  cairo_set_line_width(cr, 1.6);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, gx, gy);
  cairo_stroke(cr);
  SetColour(cr, Rgb{235, 240, 250});
  cairo_set_line_width(cr, 0.7);
  cairo_move_to(cr, x0 - 0.4, y0);
  cairo_line_to(cr, gx - 0.4, gy);
  cairo_stroke(cr);
  SetColour(cr, Rgb{210, 60, 50});
  cairo_set_line_width(cr, 4);
  cairo_move_to(cr, gx, gy);
  cairo_line_to(cr, x1, y1);
  cairo_stroke(cr);
  SetColour(cr, Rgb{255, 140, 120});
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, gx - 1, gy);
  cairo_line_to(cr, x1 - 1, y1);
  cairo_stroke(cr);
}

Picture PutterSheet(bool shadow) {
  const int cols = 8, rows = kPutterDirections / cols;
  Canvas c(kPutterW * cols, kPutterH * rows);
  cairo_t* cr = c.Cr();
  for (int k = 0; k < kPutterDirections; ++k) {
    double ox = (k % cols) * kPutterW, oy = (k / cols) * kPutterH;
    cairo_save(cr);
    cairo_rectangle(cr, ox, oy, kPutterW, kPutterH);
    cairo_clip(cr);
    PutterPattern(cr, k, ox, oy, shadow);
    cairo_restore(cr);
  }
  if (shadow) {
    Blur(c, 1, 2);
    FlattenOptions o;
    o.premultiplied = true;  // subtracted from the ground: black takes nothing away
    return Flatten(c, o);
  }
  return Finish(c, Rgb{28, 32, 44});
}

}  // namespace

Picture Putter() {
  return PutterSheet(false);
}
Picture PutterShadow() {
  return PutterSheet(true);
}

Picture BallShading() {
  Picture out(kBallSize, kBallSize, kBlack);
  const double lx = -0.45, ly = -0.55, lz = 0.70;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (!InDisc(x, y)) continue;
      double nx = (x - 7.5) / 7.6, ny = (y - 7.5) / 7.6;
      double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
      double lambert = nx * lx + ny * ly + nz * lz;
      // Mirror highlight towards the viewer.
      double rz = 2 * lambert * nz - lz;
      if (rz > 0.93) {
        out.Set(x, y, Rgb{255, 255, 248});
      } else if (lambert < 0.78) {
        // Blended at half strength: grey levels below the texture darken it.
        double g = std::clamp(40 + 180 * lambert, 24.0, 200.0);
        Rgb c = Narrow565(
            Rgb{static_cast<uint8_t>(g), static_cast<uint8_t>(g), static_cast<uint8_t>(g + 10)});
        out.Set(x, y, c == kBlack ? NextToKey(kBlack) : c);
      }
    }
  return out;
}

Picture HighlightRing() {
  Picture out(kBallSize, kBallSize, kBlack);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      if (!InDisc(x, y)) continue;
      bool rim = !InDisc(x - 1, y) || !InDisc(x + 1, y) || !InDisc(x, y - 1) || !InDisc(x, y + 1);
      bool inner = !rim && (!InDisc(x - 2, y) || !InDisc(x + 2, y) || !InDisc(x, y - 2) ||
                            !InDisc(x, y + 2));
      if (rim) out.Set(x, y, Narrow565(Rgb{255, 236, 96}));
      if (inner) out.Set(x, y, Narrow565(Rgb{255, 250, 200}));
    }
  return out;
}

Picture BallShadow() {
  Picture out(kBallSize, kBallSize, kBlack);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      double dx = (x + 0.5 - 8) / 7.5, dy = (y + 0.5 - 9) / 5.2;
      double d = dx * dx + dy * dy;
      if (d > 1) continue;
      // Half-strength blend: the core darkens the ground by half, the rim less.
      Rgb c = d < 0.45 ? Rgb{10, 18, 12} : Rgb{72, 84, 70};
      out.Set(x, y, Narrow565(c) == kBlack ? NextToKey(kBlack) : Narrow565(c));
    }
  return out;
}

std::vector<BitmapFile> SkinBitmaps(const SkinStyle& s, const PixelFont& pixels, const Words& tr) {
  std::string dir = tr.Folder() + "skins/" + s.folder + "/";
  Picture font = HudFont(s, pixels, tr.language());
  if (!tr.Russian())  // only the pictures with letters
    return {
        {dir + "panel.bmp", Panel(s, font, tr)},
        {dir + "pushputt.bmp", PushSign(s, font, tr)},
        {dir + "font.bmp", font},
    };
  return {
      {dir + "pointer.bmp", Pointer(s)},
      {dir + "panel.bmp", Panel(s, font, tr)},
      {dir + "panelmin.bmp", CompactPanel(s, font)},
      {dir + "buttonsdown.bmp", PressedButtons(s)},
      {dir + "pushputt.bmp", PushSign(s, font, tr)},
      {dir + "gauge.bmp", Gauge(s)},
      {dir + "target.bmp", Target(s)},
      {dir + "font.bmp", font},
      {dir + "numbers.bmp", Digits(s)},
      {dir + "namebox.bmp", NameBox(s)},
  };
}

}  // namespace quendrix::assetgen
